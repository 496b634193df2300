// Everything the program needs of the platform it runs on: every modal box
// and dialog, the New command and the random source. The program answers
// with real boxes and dialogs; tests answer from a script.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "palabrum_options.h"
#include "picture.h"

namespace palabrum {

struct FileFilter {
    std::u16string name;     // "Text Files (*.txt)"
    std::u16string pattern;  // "*.txt"
};

// What the Options dialog hands back on OK: the options as the player left
// them, and the picture it previewed (none when it showed none).
struct OptionsChoice {
    PalabrumOptions options;
    std::unique_ptr<Picture> picture;
};

class PlatformPort {
public:
    virtual ~PlatformPort() = default;

    // A modal box with the stop icon and one OK button.
    virtual void ShowError(std::u16string_view text, std::u16string_view caption) = 0;
    // A modal Yes/No box without icon; true for Yes.
    virtual bool AskYesNo(std::u16string_view text, std::u16string_view caption) = 0;
    // A modal box with the information icon and one OK button.
    virtual void ShowNotice(std::u16string_view text, std::u16string_view caption) = 0;
    // A whole number from `low` to `high`, offered as `initial`; nothing on cancel.
    virtual std::optional<int> AskNumber(std::u16string_view caption, std::u16string_view text, int initial, int low,
                                         int high) = 0;
    // The open-file dialog; the full path chosen, or nothing on cancel.
    virtual std::optional<std::filesystem::path> ChooseFileToOpen(const std::vector<FileFilter>& filters) = 0;
    // The save-file dialog, offering `suggestedName`; the full path chosen, or nothing on cancel.
    virtual std::optional<std::filesystem::path> ChooseFileToSave(std::u16string_view title,
                                                                  std::u16string_view suggestedName,
                                                                  const std::vector<FileFilter>& filters) = 0;
    // Runs the Options dialog on `current`; the player's choice on OK, nothing on Cancel.
    virtual std::optional<OptionsChoice> RunOptionsDialog(const PalabrumOptions& current) = 0;
    // The About box.
    virtual void ShowAbout() = 0;
    // The application's New command: a fresh game and freshly initialised views.
    virtual void FileNew() = 0;
    // One unsigned 32-bit pseudo-random draw.
    virtual std::uint32_t Random() = 0;
};

}  // namespace palabrum

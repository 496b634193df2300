// Everything the document needs of the platform it runs on. The program
// answers with real boxes and dialogs; tests answer from a script.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace palabrum {

class CPalabrumDoc;

struct FileFilter {
    std::u16string name;     // "Text Files (*.txt)"
    std::u16string pattern;  // "*.txt"
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
    // The open-file dialog; the full path chosen, or nothing on cancel.
    virtual std::optional<std::filesystem::path> ChooseFileToOpen(const std::vector<FileFilter>& filters) = 0;
    // Runs the Options dialog over the document's options; true when accepted.
    virtual bool RunOptionsDialog(CPalabrumDoc& doc) = 0;
    // The application's New command: a fresh game and freshly initialised views.
    virtual void FileNew() = 0;
    // One unsigned 32-bit pseudo-random draw.
    virtual std::uint32_t Random() = 0;
};

}  // namespace palabrum

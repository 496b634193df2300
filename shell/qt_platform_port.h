// The platform port on the desktop: real message boxes and file dialogs.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <random>

#include "model/platform_port.h"

class QMessageBox;

namespace palabrum {

// The widest a message box's text may be (logical pixels): a long file name never
// makes a box wider than a screen. Words wider than that are cut in the middle,
// and the whole text is then in the box's details; the text is selectable.
inline constexpr int kMessageWidth = 480;

// A message box as the port shows it, for `exec()`.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, int icon, std::u16string_view text,
                                            std::u16string_view caption, int buttons);

class QtPlatformPort : public PlatformPort {
public:
    // `fileNew` runs the application's New command.
    explicit QtPlatformPort(std::function<void()> fileNew);

    // Boxes and dialogs are owned by this window once it exists.
    void SetOwner(QWidget* owner) { m_owner = owner; }
    // With nobody at the screen (a screenshot run), boxes go to standard error,
    // questions are answered Yes and dialogs cancelled, so nothing ever waits
    // for a person.
    void SetUnattended(bool unattended) { m_unattended = unattended; }
    // What the Options dialog's Help button runs.
    void SetHelpTopics(std::function<void()> helpTopics) { m_helpTopics = std::move(helpTopics); }

    void ShowError(std::u16string_view text, std::u16string_view caption) override;
    bool AskYesNo(std::u16string_view text, std::u16string_view caption) override;
    void ShowNotice(std::u16string_view text, std::u16string_view caption) override;
    std::optional<int> AskNumber(std::u16string_view caption, std::u16string_view text, int initial, int low,
                                 int high) override;
    std::optional<std::filesystem::path> ChooseFileToOpen(const std::vector<FileFilter>& filters) override;
    std::optional<std::filesystem::path> ChooseFileToSave(std::u16string_view title, std::u16string_view suggestedName,
                                                          const std::vector<FileFilter>& filters) override;
    std::optional<OptionsChoice> RunOptionsDialog(const PalabrumOptions& current) override;
    void ShowAbout() override;
    void FileNew() override { m_fileNew(); }
    std::uint32_t Random() override { return m_random(); }

private:
    QPointer<QWidget> m_owner;
    std::function<void()> m_fileNew;
    std::function<void()> m_helpTopics;
    bool m_unattended = false;
    std::mt19937 m_random{std::random_device{}()};
};

}  // namespace palabrum

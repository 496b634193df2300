#include "shell/qt_platform_port.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QStringList>
#include <cstdio>

#include "options/options_dlg.h"
#include "shell/about_dlg.h"
#include "shell/native_path.h"
#include "views/qt_text.h"

namespace palabrum {

namespace {

int ShowBox(QWidget* owner, QMessageBox::Icon icon, std::u16string_view text, std::u16string_view caption,
            QMessageBox::StandardButtons buttons) {
    return MakeMessageBox(owner, icon, text, caption, buttons)->exec();
}

QString FilterList(const std::vector<FileFilter>& filters) {
    QStringList parts;
    for (const auto& f : filters) {
        // Qt matches every file with "*", not "*.*".
        const QString pattern = f.pattern == u"*.*" ? QStringLiteral("*") : ToQString(f.pattern);
        parts << QStringLiteral("%1 (%2)").arg(ToQString(f.name).section(QLatin1String(" ("), 0, 0), pattern);
    }
    return parts.join(QStringLiteral(";;"));
}

// Nobody is there to answer a box: say it on standard error instead.
void Tell(std::u16string_view text, std::u16string_view caption) {
    std::fprintf(stderr, "palabrum: %s: %s\n", qPrintable(ToQString(caption)), qPrintable(ToQString(text)));
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, int icon, std::u16string_view text,
                                            std::u16string_view caption, int buttons) {
    const QString whole = ToQString(text);
    auto box = std::make_unique<QMessageBox>(static_cast<QMessageBox::Icon>(icon), ToQString(caption), whole,
                                             QMessageBox::StandardButtons(buttons), owner);
    box->setTextFormat(Qt::PlainText);  // texts carry file names and words, never markup
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const QFontMetrics metrics(box->font());
    QStringList lines = whole.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        QStringList words = line.split(QLatin1Char(' '));
        for (QString& word : words) word = metrics.elidedText(word, Qt::ElideMiddle, kMessageWidth);
        line = words.join(QLatin1Char(' '));
    }
    const QString shown = lines.join(QLatin1Char('\n'));
    if (shown != whole) {
        box->setText(shown);
        box->setDetailedText(whole);
    }
    // The box's own label wraps only past a width of its choosing.
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        label->setWordWrap(true);
        label->setMaximumWidth(kMessageWidth);
    }
    return box;
}

QtPlatformPort::QtPlatformPort(std::function<void()> fileNew) : m_fileNew(std::move(fileNew)) {}

void QtPlatformPort::ShowError(std::u16string_view text, std::u16string_view caption) {
    if (m_unattended) return Tell(text, caption);
    ShowBox(m_owner, QMessageBox::Critical, text, caption, QMessageBox::Ok);
}

bool QtPlatformPort::AskYesNo(std::u16string_view text, std::u16string_view caption) {
    if (m_unattended) {
        Tell(text, caption);
        return true;
    }
    return ShowBox(m_owner, QMessageBox::NoIcon, text, caption, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void QtPlatformPort::ShowNotice(std::u16string_view text, std::u16string_view caption) {
    if (m_unattended) return Tell(text, caption);
    ShowBox(m_owner, QMessageBox::Information, text, caption, QMessageBox::Ok);
}

std::optional<std::filesystem::path> QtPlatformPort::ChooseFileToOpen(const std::vector<FileFilter>& filters) {
    if (m_unattended) return std::nullopt;
    const QString path = QFileDialog::getOpenFileName(m_owner, QString(), QString(), FilterList(filters));
    if (path.isEmpty()) return std::nullopt;
    return PathOfChosenFile(path);
}

std::optional<std::filesystem::path> QtPlatformPort::ChooseFileToSave(std::u16string_view title,
                                                                      std::u16string_view suggestedName,
                                                                      const std::vector<FileFilter>& filters) {
    if (m_unattended) return std::nullopt;
    const QString path =
        QFileDialog::getSaveFileName(m_owner, ToQString(title), ToQString(suggestedName), FilterList(filters));
    if (path.isEmpty()) return std::nullopt;
    return PathOfChosenFile(path);
}

std::optional<int> QtPlatformPort::AskNumber(std::u16string_view caption, std::u16string_view text, int initial,
                                             int low, int high) {
    if (m_unattended) return std::nullopt;
    bool ok = false;
    const int number = QInputDialog::getInt(m_owner, ToQString(caption), ToQString(text), initial, low, high, 1, &ok);
    if (!ok) return std::nullopt;
    return number;
}

std::optional<OptionsChoice> QtPlatformPort::RunOptionsDialog(const PalabrumOptions& current) {
    if (m_unattended) return std::nullopt;
    COptionsDlg dialog(current, *this, m_owner, m_helpTopics);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.TakeChoice();
}

void QtPlatformPort::ShowAbout() {
    if (m_unattended) return;
    CAboutDlg about(m_owner);
    about.exec();
}

}  // namespace palabrum

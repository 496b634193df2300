#include "shell/qt_platform_port.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <cstdio>

#include "model/game_document.h"
#include "shell/native_path.h"
#include "options/options_dlg.h"

namespace palabrum {

namespace {

QString Q(std::u16string_view s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }

int ShowBox(QWidget* owner, QMessageBox::Icon icon, std::u16string_view text, std::u16string_view caption,
            QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, Q(caption), Q(text), buttons, owner);
    box.setTextFormat(Qt::PlainText);  // texts carry file names and words, never markup
    return box.exec();
}

// Nobody is there to answer a box: say it on standard error instead.
void Tell(std::u16string_view text, std::u16string_view caption) {
    std::fprintf(stderr, "palabrum: %s: %s\n", qPrintable(Q(caption)), qPrintable(Q(text)));
}

}  // namespace

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
    QStringList parts;
    for (const auto& f : filters) {
        // Qt matches every file with "*", not "*.*".
        const QString pattern = f.pattern == u"*.*" ? QStringLiteral("*") : Q(f.pattern);
        parts << QStringLiteral("%1 (%2)").arg(Q(f.name).section(QLatin1String(" ("), 0, 0), pattern);
    }
    const QString path = QFileDialog::getOpenFileName(m_owner, QString(), QString(), parts.join(QStringLiteral(";;")));
    if (path.isEmpty()) return std::nullopt;
    return PathOfChosenFile(path);
}

bool QtPlatformPort::RunOptionsDialog(CPalabrumDoc& doc) {
    COptionsDlg dialog(doc, doc.Options(), *this, m_owner, m_helpTopics);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace palabrum

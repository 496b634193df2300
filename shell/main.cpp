// palabrum [FILE] [--screenshot PNG] [--check-list FILE]: starts the game,
// restoring the last one, or checks a word list. The command line is read
// before the toolkit starts, so that no answer needs a display.
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "model/command_line.h"
#include "model/file_io.h"
#include "model/file_name.h"
#include "model/translate.h"
#include "model/word_list.h"
#include "palabrum/product_info.h"
#include "shell/app.h"
#include "shell/main_frame.h"
#include "shell/quit_signals.h"
#include "views/qt_text.h"

namespace {

// The player's language from the system locale: our texts, built in, and the
// toolkit's own (standard buttons, file dialogs) where the system has them.
// Loaded before the toolkit starts, so the command line speaks it too.
void LoadTranslations(QTranslator& ours, QTranslator& toolkit) {
    const QLocale locale;
    if (ours.load(locale, QStringLiteral("palabrum"), QStringLiteral("_"), QStringLiteral(":/i18n"))) {
        palabrum::SetTranslator([&ours](const char* context, const char* source) {
            return ours.translate(context, source).toStdU16String();
        });
    }
    (void)toolkit.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void Print(std::FILE* stream, const std::u16string& text) {
    std::fputs(QString::fromStdU16String(text).toUtf8().constData(), stream);
}

// Reads a word list exactly as Load Custom List does and prints its verdict,
// naming the file, on one line.
int CheckWordList(const std::filesystem::path& path) {
    const palabrum::WordListRead list = palabrum::ReadWordListFile(path);
    const QString name = palabrum::ToQString(palabrum::DisplayName(path));
    QString verdict = palabrum::ToQString(list.ok() ? palabrum::Tr("CommandLine", "25 good words") : list.error);
    verdict.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (!verdict.startsWith(name)) verdict = name + QStringLiteral(": ") + verdict;
    std::printf("%s\n", verdict.toUtf8().constData());
    return list.ok() ? 0 : 1;
}

// Warnings a player can do nothing about: no runtime folder of the session's
// (we make our own), window hints the offscreen platform cannot take.
QtMessageHandler g_nextHandler = nullptr;

void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")) ||
                                 message.contains(QLatin1String("propagateSizeHints")))) {
        return;
    }
    g_nextHandler(type, context, message);
}

// The window as a PNG, written as every file of ours is.
bool WriteScreenshot(QWidget& window, const std::filesystem::path& path) {
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (!window.grab().save(&png, "PNG")) return false;
    return palabrum::WriteFileAtomically(path, palabrum::Bytes(png.data().begin(), png.data().end()));
}

bool HasDisplay(const std::vector<std::string>& toolkit) {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           std::find(toolkit.begin(), toolkit.end(), "-platform") != toolkit.end();
}

}  // namespace

int main(int argc, char* argv[]) {
    QTranslator ours, theirs;
    LoadTranslations(ours, theirs);
    const palabrum::CommandLine line = palabrum::ParseCommandLine(argc, argv);
    switch (line.action) {
    case palabrum::CommandLine::Action::kHelp:
        Print(stdout, palabrum::Usage());
        return 0;
    case palabrum::CommandLine::Action::kVersion:
        std::printf("palabrum %s\n", palabrum::product::kVersion);
        return 0;
    case palabrum::CommandLine::Action::kCheckList:
        return CheckWordList(line.list);
    case palabrum::CommandLine::Action::kError:
        Print(stderr, u"palabrum: " + line.error + u"\n" +
                          palabrum::Tr("CommandLine", "Try 'palabrum --help' for more.") + u"\n");
        return 2;
    case palabrum::CommandLine::Action::kPlay:
        break;
    }
    const bool screenshot = line.screenshot.has_value();
    if (!HasDisplay(line.toolkit)) {
        if (!screenshot) {
            Print(stderr, u"palabrum: " +
                              palabrum::Tr("CommandLine",
                                           "there is no display to show the window on (DISPLAY and WAYLAND_DISPLAY "
                                           "are unset);\npalabrum --screenshot PNG writes the window to a picture "
                                           "instead.") +
                              u"\n");
            return 2;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    g_nextHandler = qInstallMessageHandler(QuietMessages);

    // The toolkit sees only its own options; ours were read above, as bytes.
    std::vector<char*> toolkitArgv{argv[0]};
    std::vector<std::string> toolkit = line.toolkit;
    for (std::string& arg : toolkit) toolkitArgv.push_back(arg.data());
    toolkitArgv.push_back(nullptr);
    int toolkitArgc = static_cast<int>(toolkitArgv.size()) - 1;
    QApplication app(toolkitArgc, toolkitArgv.data());
    QCoreApplication::installTranslator(&ours);
    QCoreApplication::installTranslator(&theirs);
    QApplication::setOrganizationName(QStringLiteral("Palabrum"));
    QApplication::setApplicationName(QStringLiteral("Palabrum"));
    QApplication::setApplicationVersion(QString::fromLatin1(palabrum::product::kVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.palabrum.palabrum"));

    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    palabrum::CPalabrumApp palabrum(
        palabrum::ResolveDisplayedName(QDir(dataDir).filePath(QStringLiteral("Palabrum.dat")).toStdU16String()));
    palabrum::CPalabrumApp::Options options;
    options.file = line.file;
    options.singleInstance = !screenshot;  // a screenshot never disturbs a running game
    options.unattended = screenshot;       // nor waits for anyone to answer a box
    // A signal saves the game as closing the window does, even while a box
    // or dialog is open: every event loop is told to end.
    palabrum::QuitSignals quitSignals;
    bool quitting = false;
    QObject::connect(&quitSignals, &palabrum::QuitSignals::quitRequested, [&] {
        quitting = true;
        if (palabrum.MainFrame()) palabrum.MainFrame()->close();
        QApplication::exit(0);
    });
    if (!palabrum.InitInstance(options) || quitting) return 0;

    if (screenshot) {
        palabrum.MainFrame()->SetSaveOnClose(false);
        QTimer::singleShot(0, palabrum.MainFrame(), [&] {
            const bool saved = WriteScreenshot(*palabrum.MainFrame(), *line.screenshot);
            if (!saved) {
                Print(stderr, u"palabrum: " +
                                  palabrum::Arg(palabrum::Tr("CommandLine", "could not write %1"),
                                               {palabrum::DisplayName(*line.screenshot)}) +
                                  u"\n");
            }
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}

// palabrum [FILE] [--screenshot PNG] [--check-list FILE]: starts the game,
// restoring the last one, or checks a word list.
#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "model/file_io.h"
#include "model/file_name.h"
#include "model/word_list.h"
#include "palabrum/product_info.h"
#include "shell/app.h"
#include "shell/main_frame.h"
#include "shell/quit_signals.h"
#include "views/qt_text.h"

namespace {

constexpr char kUsage[] =
    "Usage: palabrum [options] [FILE]\n"
    "Buzzword bingo for meetings.\n\n"
    "Arguments:\n"
    "  FILE               a saved game to open\n\n"
    "Options:\n"
    "  --screenshot PNG   start as usual, write the window to PNG once painted, and end\n"
    "                     without saving the game\n"
    "  --check-list FILE  check a word list as Load Custom List would, and say what it\n"
    "                     found; exit status 0 for a good list, 1 otherwise\n"
    "  -h, --help         show this help\n"
    "  -v, --version      show the version\n";

// Reads a word list exactly as Load Custom List does and prints its verdict.
int CheckWordList(const char* path) {
    const palabrum::WordListRead list = palabrum::ReadWordListFile(path);
    if (list.ok()) {
        std::printf("%s: 25 good words\n", path);
        return 0;
    }
    std::printf("%s: %s\n", qPrintable(palabrum::ToQString(palabrum::kFileReadErrorCaption)),
                qPrintable(palabrum::ToQString(list.error)));
    return 1;
}

// Qt would decode the command line, losing the bytes of names that are not
// UTF-8; each argument is taken as the bytes it is instead.
QStringList Arguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << palabrum::ToQString(palabrum::Utf16FromPath(argv[i]));
    return arguments;
}

std::filesystem::path PathArgument(const QString& argument) {
    return palabrum::PathFromUtf16(argument.toStdU16String());
}

// The window as a PNG, written as every file of ours is.
bool WriteScreenshot(QWidget& window, const std::filesystem::path& path) {
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (!window.grab().save(&png, "PNG")) return false;
    return palabrum::WriteFileAtomically(path, palabrum::Bytes(png.data().begin(), png.data().end()));
}

bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char* argv[]) {
    bool screenshot = false;
    // Help and version need no display, so they are answered before Qt starts.
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--version") || !std::strcmp(argv[i], "-v")) {
            std::printf("palabrum %s\n", palabrum::product::kVersion);
            return 0;
        }
        if (!std::strcmp(argv[i], "--check-list")) {
            if (i + 1 >= argc) {
                std::fputs(kUsage, stderr);
                return 2;
            }
            return CheckWordList(argv[i + 1]);
        }
        screenshot |= !std::strcmp(argv[i], "--screenshot");
    }
    if (screenshot && !HasDisplay()) qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Palabrum"));
    QApplication::setApplicationName(QStringLiteral("Palabrum"));
    QApplication::setApplicationVersion(QString::fromLatin1(palabrum::product::kVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.palabrum.Palabrum"));

    QCommandLineParser parser;
    const QCommandLineOption shotOption(QStringLiteral("screenshot"), QStringLiteral("Write the window to PNG."),
                                        QStringLiteral("PNG"));
    parser.addOption(shotOption);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A saved game to open."));
    if (!parser.parse(Arguments(argc, argv)) || parser.positionalArguments().size() > 1) {
        std::fprintf(stderr, "%s\n%s", qPrintable(parser.errorText()), kUsage);
        return 2;
    }

    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    palabrum::CPalabrumApp palabrum(
        palabrum::ResolveDisplayedName(QDir(dataDir).filePath(QStringLiteral("Palabrum.dat")).toStdU16String()));
    palabrum::CPalabrumApp::Options options;
    if (!parser.positionalArguments().isEmpty()) options.file = PathArgument(parser.positionalArguments().first());
    screenshot = parser.isSet(shotOption);
    const std::filesystem::path shotPath = PathArgument(parser.value(shotOption));
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
            const bool saved = WriteScreenshot(*palabrum.MainFrame(), shotPath);
            if (!saved) std::fprintf(stderr, "palabrum: could not write %s\n", shotPath.c_str());
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}

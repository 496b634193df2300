// Writes the README's pictures of the window: a game with a bingo on the
// anti-diagonal and a few more marks, at the first window's size, in the
// desktop's default light colours and in a dark palette.
//
//   readme_shots DIR    writes DIR/screenshot.png and DIR/screenshot-dark.png
#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <cstdio>

#include "model/game_document.h"
#include "shell/app.h"
#include "shell/main_frame.h"
#include "tests/support/scripted_port.h"
#include "tests/support/temp_dir.h"

namespace {

// Fusion's colours with the light and dark roles swapped, as dark desktop themes give them.
QPalette DarkPalette() {
    QPalette dark(QColor(230, 230, 230), QColor(45, 45, 48));
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    dark.setColor(QPalette::AlternateBase, QColor(52, 52, 56));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(61, 142, 201));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Link, QColor(120, 180, 255));
    return dark;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: readme_shots DIR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const palabrum::testing::TempDir home;  // settings of its own: the first window, words on
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home.File("config").string()));
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QString dir = QString::fromLocal8Bit(argv[1]);
    for (const bool dark : {false, true}) {
        QApplication::setPalette(dark ? DarkPalette() : QApplication::style()->standardPalette());
        palabrum::testing::ScriptedPort port;
        palabrum::CPalabrumApp game(home.File(dark ? "dark.dat" : "light.dat"), &port);
        port.doc = &game.Document();
        game.InitInstance({.file = {}, .singleInstance = false, .unattended = true});
        game.Document().SetMarks(std::vector<std::int32_t>{4, 8, 12, 16, 20, 1, 17});
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
        const QString file = dir + (dark ? QStringLiteral("/screenshot-dark.png") : QStringLiteral("/screenshot.png"));
        if (!game.MainFrame()->grab().save(file)) {
            std::fprintf(stderr, "readme_shots: could not write %s\n", qPrintable(file));
            return 1;
        }
        game.MainFrame()->SetSaveOnClose(false);
    }
    return 0;
}

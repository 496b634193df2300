// Writes the README's picture of meeting play: three windows in one room on
// a real mosquitto (started here on a free loopback port), the players panel
// beside each board, two players with some marks, one bingo.
//
//   meeting_shot DIR    writes DIR/meeting.png
#include <QApplication>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QPainter>
#include <QSettings>
#include <QStyleFactory>
#include <cstdio>
#include <memory>
#include <random>

#include "model/game_document.h"
#include "shell/app.h"
#include "shell/main_frame.h"
#include "shell/meeting_controller.h"
#include "shell/meeting_dialogs.h"
#include "shell/meeting_session.h"
#include "tests/support/broker.h"
#include "tests/support/scripted_port.h"

namespace palabrum {
namespace {

struct Dialogs : MeetingDialogs {
    MeetingEntry entry;
    std::optional<MeetingEntry> AskEntry(bool, const QString&) override { return entry; }
    std::optional<BrokerSettings> AskSettings(const BrokerSettings&) override { return std::nullopt; }
    std::optional<QString> AskPassword(const BrokerSettings&) override { return std::nullopt; }
};

struct Window {
    testing::TempDir dir;
    testing::ScriptedPort port;
    Dialogs dialogs;
    CPalabrumApp app{dir.File("state.dat"), &port};
    explicit Window(const QString& name) {
        std::random_device random;
        for (int i = 0; i < 200; ++i) port.draws.push_back(random());
        dialogs.entry.name = name;
        app.SetMeetingDialogs(dialogs);
        app.InitInstance({.file = {}, .singleInstance = false, .unattended = false});
        port.doc = &app.Document();
        app.MainFrame()->resize(760, 560);
    }
};

bool Wait(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 15000) QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

}  // namespace
}  // namespace palabrum

int main(int argc, char* argv[]) {
    using namespace palabrum;
    if (argc != 2) return std::fprintf(stderr, "usage: meeting_shot DIR\n"), 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const testing::TempDir home;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home.File("config").string()));
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    testing::Broker broker;
    if (!broker.started) return std::fprintf(stderr, "meeting_shot: mosquitto did not start\n"), 1;
    QSettings().setValue(QStringLiteral("Meeting/Host"), QStringLiteral("127.0.0.1"));
    QSettings().setValue(QStringLiteral("Meeting/Port"), broker.port);

    std::vector<std::unique_ptr<Window>> windows;
    for (const char* name : {"Ana", "Björn", "Chiara"}) windows.push_back(std::make_unique<Window>(QString::fromUtf8(name)));
    windows[0]->app.Meeting()->Start();
    if (!Wait([&] { return windows[0]->port.boxes.size() == 1; })) return std::fprintf(stderr, "meeting_shot: no room\n"), 1;
    const QString code = QString::fromStdString(windows[0]->app.Meeting()->Session()->Seat().code.Shown());
    for (int i = 1; i < 3; ++i) {
        windows[i]->dialogs.entry.code = code;
        windows[i]->app.Meeting()->Join();
    }
    if (!Wait([&] { return windows[2]->app.Meeting()->Session() && windows[2]->app.Meeting()->Session()->IsPlaying(); }))
        return std::fprintf(stderr, "meeting_shot: could not join\n"), 1;
    const std::vector<std::vector<std::int32_t>> marks = {{0, 6, 12, 3}, {10, 11, 12, 13, 14, 2}, {4, 9, 14}};
    for (int i = 0; i < 3; ++i)
        for (const int square : marks[i]) windows[i]->app.Document().SetMark(square, 1);
    QElapsedTimer settle;  // everyone hears everything; the panels refresh
    settle.start();
    Wait([&] { return settle.elapsed() > 1500; });
    QImage shot(3 * 760, 560, QImage::Format_ARGB32);
    QPainter painter(&shot);
    for (int i = 0; i < 3; ++i) painter.drawPixmap(i * 760, 0, windows[i]->app.MainFrame()->grab());
    painter.end();
    const QString file = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/meeting.png");
    for (auto& window : windows) window->app.MainFrame()->SetSaveOnClose(false);
    if (!shot.scaledToWidth(1500, Qt::SmoothTransformation).save(file))
        return std::fprintf(stderr, "meeting_shot: could not write %s\n", qPrintable(file)), 1;
    std::printf("%s\n", qPrintable(file));
    return 0;
}

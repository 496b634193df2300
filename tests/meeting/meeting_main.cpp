// One offscreen QApplication for the meeting tests, with settings in a folder
// of the run's own. Started with --meeting-player PORT CODE NAME, the program
// is instead a second player in a process of its own: it joins, marks two
// squares and plays on until it is killed (or a minute has passed).
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <cstring>

#include "meeting/room_code.h"
#include "shell/meeting_session.h"
#include "tests/support/session.h"
#include "tests/support/temp_dir.h"

namespace {

int RunPlayer(int port, const char* code, const char* name) {
    using namespace palabrum;
    const palabrum::testing::TempDir dir;
    palabrum::testing::Session player(dir.File("state.dat"));
    MeetingSeat seat{*ParseRoomCode(code), name, {7, 7, 7}, false, 0};
    MeetingSession session(player.doc, seat, *DeriveRoomSecrets(seat.code), {"127.0.0.1", port, false, {}, {}}, {});
    QObject::connect(&session, &MeetingSession::joined, [&] {
        player.doc.SetMark(0, 1);
        player.doc.SetMark(1, 1);
    });
    QTimer::singleShot(60000, qApp, &QCoreApplication::quit);
    return qApp->exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const palabrum::testing::TempDir home;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home.File("config").string()));
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Palabrum"));
    QApplication::setApplicationName(QStringLiteral("Palabrum"));
    if (argc == 5 && std::strcmp(argv[1], "--meeting-player") == 0) return RunPlayer(std::atoi(argv[2]), argv[3], argv[4]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

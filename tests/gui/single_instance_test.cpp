// The one running copy: a second start hands its token and file over and
// ends; the lock and socket sit where no other user can reach them; nobody
// else is trusted either way; and slow or silent second starts never hold up
// the window. Real sockets and real second processes throughout.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <thread>

#include "model/game_document.h"
#include "shell/app.h"
#include "shell/main_frame.h"
#include "shell/single_instance.h"
#include "tests/support/child_process.h"
#include "tests/support/scripted_port.h"
#include "tests/support/temp_dir.h"
#include "views/form_view.h"

namespace palabrum {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::TempDir;

constexpr uid_t kNobody = 65534;

bool WaitFor(const std::function<bool()>& done, int limitMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

// Sets or removes an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        Set(value);
    }
    ~ScopedEnv() { Set(m_old); }

private:
    void Set(const std::optional<std::string>& value) {
        if (value) ::setenv(m_name, value->c_str(), 1);
        else ::unsetenv(m_name);
    }
    const char* m_name;
    std::optional<std::string> m_old;
};

fs::path Folder(const fs::path& path, mode_t mode) {
    fs::create_directory(path);
    ::chmod(path.c_str(), mode);
    return path;
}

sockaddr_un AddressOf(const fs::path& socket) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
    return address;
}

int ConnectTo(const fs::path& socket) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_un address = AddressOf(socket);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) ADD_FAILURE() << "no connection";
    return fd;
}

// Whatever reaches the running copy, in order.
struct Received {
    explicit Received(SingleInstance& instance) {
        QObject::connect(&instance, &SingleInstance::activationRequested, [this](const QByteArray& t) { tokens << t; });
        QObject::connect(&instance, &SingleInstance::openRequested, [this](const fs::path& f) { files.push_back(f); });
    }
    QList<QByteArray> tokens;
    std::vector<fs::path> files;
};

TEST(SingleInstance, ASecondStartHandsItsTokenAndFileToTheFirstAndEnds) {
    TempDir dir;
    SingleInstance first(dir.Path(), "copy");
    ASSERT_TRUE(first.Claim({}));
    Received got(first);

    // A file name is bytes: not UTF-8 and with a newline, it is still the same file.
    const fs::path odd = "/tmp/caf\xe9\nmeeting.dat";
    SingleInstance second(dir.Path(), "copy");
    EXPECT_FALSE(second.Claim({"token-123", odd}));
    EXPECT_TRUE(WaitFor([&] { return got.tokens.size() == 1; }));
    SingleInstance third(dir.Path(), "copy");
    EXPECT_FALSE(third.Claim({}));
    EXPECT_TRUE(WaitFor([&] { return got.tokens.size() == 2; }));
    EXPECT_EQ(got.tokens, (QList<QByteArray>{"token-123", ""}));
    EXPECT_EQ(got.files, std::vector<fs::path>{odd});
}

TEST(SingleInstance, ACopyTakesItsSocketAlongAndWhatACrashLeftNeverBlocksAStart) {
    TempDir dir;
    std::ofstream(dir.File("copy.socket")) << "left behind";
    std::ofstream(dir.File("copy.lock")) << "";
    {
        SingleInstance start(dir.Path(), "copy");
        EXPECT_TRUE(start.Claim({}));
        SingleInstance another(dir.Path(), "copy");
        EXPECT_FALSE(another.Claim({}));
    }
    EXPECT_FALSE(fs::exists(dir.File("copy.socket")));
    SingleInstance next(dir.Path(), "copy");
    EXPECT_TRUE(next.Claim({}));
}

TEST(SingleInstance, EverySpellingOfADataFolderNamesTheSameCopy) {
    TempDir dir;
    const fs::path data = dir.File("data");
    const std::string name = SingleInstance::NameFor(data);
    EXPECT_TRUE(fs::is_directory(data));  // made first, so that it has a canonical name
    fs::create_directory_symlink(data, dir.File("link"));
    for (const fs::path& spelling : {dir.File("link"), fs::path(data.string() + "/"),
                                     fs::path(dir.Path().string() + "//data"), dir.File("link") / ".." / "data"}) {
        EXPECT_EQ(SingleInstance::NameFor(spelling), name) << spelling;
    }
    EXPECT_NE(SingleInstance::NameFor(dir.File("other")), name);
}

TEST(SingleInstance, LockAndSocketLiveOnlyInAFolderNoOtherUserCanWrite) {
    enum Where { kRuntime, kOwn, kNowhere };
    struct Row {
        const char* what;
        bool asRoot;
        // Prepares the scratch folder; returns XDG_RUNTIME_DIR's value.
        std::function<std::optional<std::string>(const TempDir&, const fs::path& own)> setup;
        Where expected;
    };
    const auto chown = [](const fs::path& p) { EXPECT_EQ(::chown(p.c_str(), kNobody, kNobody), 0); };
    const Row rows[] = {
        {"a private runtime folder", false, [](auto& d, auto&) { return Folder(d.File("run"), 0700).string(); }, kRuntime},
        {"a runtime folder anyone may write", false, [](auto& d, auto&) { return Folder(d.File("run"), 0777).string(); }, kOwn},
        {"a runtime folder the group may read", false, [](auto& d, auto&) { return Folder(d.File("run"), 0750).string(); }, kOwn},
        {"a relative runtime folder", false, [](auto& d, auto&) { Folder(d.File("run"), 0700); return std::string("run"); }, kOwn},
        {"no runtime folder", false, [](auto&, auto&) { return std::optional<std::string>(); }, kOwn},
        {"a runtime folder reached through a link", false,
         [](auto& d, auto&) {
             fs::create_directory_symlink(Folder(d.File("run"), 0700), d.File("link"));
             return d.File("link").string();
         },
         kOwn},
        {"another user's runtime folder", true,
         [&](auto& d, auto&) {
             chown(Folder(d.File("run"), 0700));
             return d.File("run").string();
         },
         kOwn},
        {"our temporary folder taken by a link", false,
         [](auto& d, auto& own) {
             fs::create_directory_symlink(Folder(d.File("elsewhere"), 0700), own);
             return std::optional<std::string>();
         },
         kNowhere},
        {"our temporary folder open to anyone", false,
         [](auto&, auto& own) {
             Folder(own, 0777);
             return std::optional<std::string>();
         },
         kNowhere},
        {"our temporary folder made by another user", true,
         [&](auto&, auto& own) {
             chown(Folder(own, 0700));
             return std::optional<std::string>();
         },
         kNowhere},
    };
    for (const Row& row : rows) {
        if (row.asRoot && ::geteuid() != 0) continue;
        SCOPED_TRACE(row.what);
        TempDir scratch;
        const fs::path temp = Folder(scratch.File("tmp"), 01777);
        const fs::path own = temp / ("palabrum-" + std::to_string(::getuid()));
        const auto runtime = row.setup(scratch, own);
        ScopedEnv tmpdir("TMPDIR", temp.string());
        ScopedEnv xdg("XDG_RUNTIME_DIR", runtime);
        const auto folder = SingleInstance::TrustedFolder();
        switch (row.expected) {
        case kRuntime: EXPECT_EQ(folder, fs::path(*runtime)); break;
        case kOwn:
            EXPECT_EQ(folder, own);
            EXPECT_EQ(fs::status(own).permissions(), fs::perms::owner_all);
            break;
        case kNowhere: EXPECT_EQ(folder, std::nullopt); break;
        }
    }
}

// Whoever listens first where a shared temporary folder would hold our
// socket must neither learn our token nor stop the start.
TEST(SingleInstance, AListenerAtTheSharedTemporaryPathHearsNothingAndTheStartRuns) {
    TempDir scratch;
    const fs::path temp = Folder(scratch.File("tmp"), 01777);
    ScopedEnv tmpdir("TMPDIR", temp.string());
    ScopedEnv xdg("XDG_RUNTIME_DIR", std::nullopt);
    const std::string name = SingleInstance::NameFor(scratch.File("data"));
    const int squatter = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const sockaddr_un address = AddressOf(temp / (name + ".socket"));
    ASSERT_EQ(::bind(squatter, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(squatter, 4), 0);

    const auto folder = SingleInstance::TrustedFolder();
    ASSERT_TRUE(folder);
    SingleInstance start(*folder, name);
    EXPECT_TRUE(start.Claim({"secret-token", std::nullopt}));
    EXPECT_LT(::accept(squatter, nullptr, nullptr), 0) << "the listener was reached";
    ::close(squatter);
}

TEST(SingleInstance, AnotherUsersListenerInOurPlaceGetsNothingAndTheStartRuns) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to run a process as another user";
    TempDir dir;
    SingleInstance start(dir.Path(), "copy");
    const std::string lock = start.LockPath();
    const sockaddr_un address = AddressOf(start.SocketPath());
    int ready[2];
    ASSERT_EQ(::pipe2(ready, O_CLOEXEC), 0);
    // Takes the lock and the socket's place as root, then listens as another
    // user; its status is the number of bytes that reached it.
    testing::Child squatter = testing::Child::Fork([&] {
        const int held = ::open(lock.c_str(), O_RDWR | O_CREAT, 0600);
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (held < 0 || ::flock(held, LOCK_EX) != 0 || s < 0 ||
            ::bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || ::setuid(kNobody) != 0 ||
            ::listen(s, 4) != 0 || ::write(ready[1], "r", 1) != 1) {
            return 100;
        }
        pollfd waiting{s, POLLIN, 0};
        if (::poll(&waiting, 1, 3000) != 1) return 0;
        const int c = ::accept(s, nullptr, nullptr);
        char buffer[256];
        ssize_t total = 0, n;
        while ((n = ::read(c, buffer, sizeof buffer)) > 0) total += n;
        return static_cast<int>(std::min<ssize_t>(total, 99));
    });
    ::close(ready[1]);
    char byte;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1) << "the other user's listener did not start";
    ::close(ready[0]);

    EXPECT_TRUE(start.Claim({"secret-token", fs::path("/tmp/game.dat")}));
    const auto status = squatter.Wait(10s);
    ASSERT_TRUE(status);
    EXPECT_EQ(testing::ExitCode(*status), 0) << "bytes that reached another user";
}

TEST(SingleInstance, AnotherUsersRequestIsDroppedUnread) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to run a process as another user";
    TempDir dir;
    SingleInstance first(dir.Path(), "copy");
    ASSERT_TRUE(first.Claim({}));
    Received got(first);
    // Opened up only so that the other user can reach the socket at all.
    ::chmod(dir.Path().c_str(), 0711);
    ::chmod(first.SocketPath().c_str(), 0666);
    const std::string message = *EncodeStartRequest({"foreign", fs::path("/tmp/foreign.dat")});
    const sockaddr_un address = AddressOf(first.SocketPath());
    testing::Child intruder = testing::Child::Fork([&] {
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::setuid(kNobody) != 0 || s < 0 ||
            ::connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            return 100;
        }
        return ::send(s, message.data(), message.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(message.size()) ? 0 : 101;
    });
    EXPECT_TRUE(WaitFor([&] { return !intruder.Running(); }));
    EXPECT_EQ(testing::ExitCode(*intruder.Status()), 0) << "the other user could not reach the socket";

    ::chmod(dir.Path().c_str(), 0700);
    SingleInstance second(dir.Path(), "copy");
    EXPECT_FALSE(second.Claim({"ours", std::nullopt}));
    // A second token, had the foreign request been read, would arrive within the second.
    WaitFor([&] { return got.tokens.size() >= 2; }, 1000);
    EXPECT_EQ(got.tokens, QList<QByteArray>{"ours"});
    EXPECT_TRUE(got.files.empty());
}

TEST(SingleInstance, SlowAndSilentSecondStartsNeverFreezeTheWindow) {
    TempDir dir;
    SingleInstance first(dir.Path(), "copy");
    ASSERT_TRUE(first.Claim({}));
    Received got(first);
    // One start trickles its request a byte every 0.4 s; behind it, more than
    // are read at once connect and say nothing.
    const int slow = ConnectTo(first.SocketPath());
    std::vector<int> silent;
    for (int i = 0; i < SingleInstance::kMaxConnections + 4; ++i) silent.push_back(ConnectTo(first.SocketPath()));
    std::atomic<bool> cutOff = false, done = false;
    std::thread trickle([&] {
        const std::string line = *EncodeStartRequest({"slow", std::nullopt});
        for (char c : line.substr(0, 12)) {
            if (::send(slow, &c, 1, MSG_NOSIGNAL) != 1) {
                cutOff = true;
                break;
            }
            std::this_thread::sleep_for(400ms);
        }
        done = true;
    });
    // The window's own clock: a 50 ms timer keeps firing all along.
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, worst = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        worst = std::max(worst, clock.elapsed() - last);
        last = clock.elapsed();
    });
    tick.start(50);
    WaitFor([&] { return done.load(); }, 8000);
    worst = std::max(worst, clock.elapsed() - last);  // a freeze to the very end counts too
    trickle.join();
    EXPECT_LT(worst, 1000) << "the window stood still for " << worst << " ms";
    EXPECT_TRUE(cutOff) << "a request that never ended was never dropped";

    SingleInstance second(dir.Path(), "copy");
    EXPECT_FALSE(second.Claim({"after", std::nullopt}));
    EXPECT_TRUE(WaitFor([&] { return !got.tokens.empty(); }));
    EXPECT_EQ(got.tokens, QList<QByteArray>{"after"});
    ::close(slow);
    for (int fd : silent) ::close(fd);
}

// `palabrum GAME` while a copy runs: that copy opens GAME, asking first when
// a game is under way, and the second start ends with status 0.
TEST(SingleInstance, ASecondStartOfTheProgramOpensItsGameInTheRunningCopy) {
    struct Row {
        const char* what;
        bool underWay;
        std::deque<bool> answers;
        bool asks;
        bool opens;
    };
    const Row rows[] = {
        {"no game under way", false, {}, false, true},
        {"a game under way, and Yes", true, {true}, true, true},
        {"a game under way, and No", true, {false}, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir home;
        const fs::path run = Folder(home.File("run"), 0700);
        ScopedEnv runtime("XDG_RUNTIME_DIR", run.string());
        ScopedEnv token("XDG_ACTIVATION_TOKEN", std::nullopt);
        testing::ScriptedPort port;
        CPalabrumApp app(home.File("data") / "Palabrum" / "Palabrum" / "Palabrum.dat", &port);
        port.doc = &app.Document();
        ASSERT_TRUE(app.InitInstance({}));
        app.MainFrame()->SetSaveOnClose(false);
        // The game to pass on: the same words with square 9 marked.
        app.Document().SetMark(9, 1);
        ASSERT_TRUE(app.Document().SaveDocumentFile(home.File("meet\ning.dat")));
        app.DoFileNew();
        if (row.underWay) app.Document().SetMark(0, 1);
        port.answers = row.answers;

        QProcess second;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_DATA_HOME", QString::fromStdString(home.File("data").string()));
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(home.File("config").string()));
        env.insert("XDG_ACTIVATION_TOKEN", "token-7");
        second.setProcessEnvironment(env);
        second.setWorkingDirectory(QString::fromStdString(home.Path().string()));
        second.start(QString::fromUtf8(PALABRUM_PROGRAM), {QStringLiteral("meet\ning.dat")});  // relative to its own folder
        EXPECT_TRUE(WaitFor([&] { return second.state() == QProcess::NotRunning && qgetenv("XDG_ACTIVATION_TOKEN") == "token-7"; }, 15000));
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();

        ASSERT_EQ(port.boxes.size(), row.asks ? 1u : 0u);
        if (row.asks) {
            EXPECT_EQ(port.boxes[0].text, u"Cancel current game?");
        }
        EXPECT_EQ(app.Document().GetMark(9), row.opens ? 1 : 0);
        EXPECT_EQ(app.Document().GetMark(0), row.underWay && !row.opens ? 1 : 0);
        EXPECT_EQ(app.View()->WordList()->selectedItems().size(), row.opens || row.underWay ? 1 : 0);
    }
}

}  // namespace
}  // namespace palabrum

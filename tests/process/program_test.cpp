// The program as a player, a desktop or a script starts and ends it: signals,
// screenshots that never wait, and files that are not files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace palabrum {
namespace {

using namespace std::chrono_literals;
using testing::Child;
using testing::Command;
using testing::ExitCode;

const std::filesystem::path kSeeds = PALABRUM_SOURCE_DIR "/fuzz/corpus/state_file";

std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A home of its own for one run: data, settings and runtime folders.
class Home {
public:
    Home() {
        std::filesystem::create_directories(State().parent_path());
        std::filesystem::create_directories(m_dir.File("runtime"));
        ::chmod(m_dir.File("runtime").c_str(), 0700);
    }
    std::filesystem::path State() const { return m_dir.File("data") / "Palabrum" / "Palabrum" / "Palabrum.dat"; }
    std::filesystem::path File(const std::string& name) const { return m_dir.File(name); }

    Command Palabrum(std::vector<std::string> args) const {
        Command c;
        c.program = PALABRUM_PROGRAM;
        c.args = std::move(args);
        c.env = testing::EnvironmentWith({{"QT_QPA_PLATFORM", "offscreen"},
                                          {"XDG_DATA_HOME", m_dir.File("data").string()},
                                          {"XDG_CONFIG_HOME", m_dir.File("config").string()},
                                          {"XDG_RUNTIME_DIR", m_dir.File("runtime").string()},
                                          {"XDG_ACTIVATION_TOKEN", std::nullopt}});
        c.stdoutFile = m_dir.File("out.txt");
        c.stderrFile = m_dir.File("err.txt");
        return c;
    }
    // Runs to the end, which must come within a minute.
    int Run(std::vector<std::string> args) const {
        Child child = Child::Start(Palabrum(std::move(args)));
        const auto status = child.Wait(60s);
        EXPECT_TRUE(status) << "still running after a minute: it waits for something";
        return status ? ExitCode(*status) : -1;
    }
    std::string Out() const { return Read(m_dir.File("out.txt")); }
    std::string Err() const { return Read(m_dir.File("err.txt")); }

private:
    testing::TempDir m_dir;
};

// Whether `pid` has its own handler for `signal` yet: until then the signal
// would end it at once, as at any program's very start.
bool Catches(pid_t pid, int signal) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
    }
    return false;
}

// Logout, shutdown and Ctrl+C save the game as closing the window does; a
// second signal right behind the first does not cut the save short.
TEST(Program, EndsBySignalWithTheGameSaved) {
    const std::string game = Read(kSeeds / "started_no_bingo.dat");
    ASSERT_FALSE(game.empty());
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(signal);
        Home home;
        std::ofstream(home.State(), std::ios::binary) << game << "trailing bytes a save drops";
        Child child = Child::Start(home.Palabrum({}));
        for (int tries = 0; tries < 3000 && child.Running() && !Catches(child.Pid(), signal); ++tries) {
            std::this_thread::sleep_for(10ms);
        }
        child.Signal(signal);
        child.Signal(signal);
        const auto status = child.Wait(60s);
        ASSERT_TRUE(status);
        EXPECT_EQ(ExitCode(*status), 0) << home.Err();
        EXPECT_EQ(Read(home.State()), game);
    }
}

// No box ever waits for a person during a screenshot: each is told on
// standard error, and nothing the program is given blocks it, a FIFO
// included; a game's name need not be UTF-8.
TEST(Program, AScreenshotRunAlwaysEndsWithItsPicture) {
    struct Run {
        const char* what;
        const char* state;  // a seed, "fifo", or none
        std::string game;   // on the command line, in the home: a seed's copy, "fifo", or any other name
        std::string said;   // on standard error, or no word of ours at all
    };
    const Run runs[] = {
        {"a missing custom picture and no game", "options_all_set.dat", "notagame.dat",
         "palabrum: Open Failed: Could not open C:\\pictures\\boss.bmp\n"},
        {"a FIFO as the state file and as the game", "fifo", "fifo", "Could not open the game "},
        {"a game whose name is not UTF-8", nullptr, "caf\xE9.dat", ""},
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(run.what);
        Home home;
        if (run.state && std::string(run.state) == "fifo") {
            ASSERT_EQ(::mkfifo(home.State().c_str(), 0600), 0);
        } else if (run.state) {
            std::filesystem::copy_file(kSeeds / run.state, home.State());
        }
        const auto game = home.File(run.game);
        if (run.game == "fifo") {
            ASSERT_EQ(::mkfifo(game.c_str(), 0600), 0);
        }
        if (run.game == "caf\xE9.dat") std::filesystem::copy_file(kSeeds / "bingo_row.dat", game);
        if (run.game == "notagame.dat") std::ofstream(game) << "hello";

        EXPECT_EQ(home.Run({"--screenshot", home.File("shot.png").string(), game.string()}), 0) << home.Err();
        EXPECT_EQ(Read(home.File("shot.png")).substr(0, 8), "\x89PNG\r\n\x1A\n");
        if (run.said.empty()) {
            EXPECT_EQ(home.Err().find("palabrum:"), std::string::npos) << home.Err();
        } else {
            EXPECT_NE(home.Err().find(run.said), std::string::npos) << home.Err();
        }
    }
}

TEST(Program, ChecksAListWithoutWaitingOnAFifoAndWhateverItsName) {
    Home home;
    ASSERT_EQ(::mkfifo(home.File("fifo.txt").c_str(), 0600), 0);
    EXPECT_EQ(home.Run({"--check-list", home.File("fifo.txt").string()}), 1);
    EXPECT_EQ(home.Out(), "File Read Error: Error reading " + home.File("fifo.txt").string() + "\n");

    std::ofstream list(home.File("r\xE9union.txt"));
    for (int i = 1; i <= 25; ++i) list << "word " << i << "\n";
    list.close();
    EXPECT_EQ(home.Run({"--check-list", home.File("r\xE9union.txt").string()}), 0);
    EXPECT_EQ(home.Out(), home.File("r\xE9union.txt").string() + ": 25 good words\n");
}

}  // namespace
}  // namespace palabrum

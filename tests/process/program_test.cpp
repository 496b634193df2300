// The program started and ended as players, desktops and scripts do it: signals, screenshot runs that
// never wait, and many starts at one instant (PALABRUM_RACE_ROUNDS=20 process_tests runs 20 rounds, not 3).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace palabrum::testing {
namespace {

using namespace std::chrono_literals;

// Data, settings and runtime folders of its own for every program started while it lives.
struct Home : TempDir {
    Home() {
        std::filesystem::create_directories(File("data/Palabrum/Palabrum"));
        ::mkdir(File("run").c_str(), 0700);
        ::setenv("XDG_DATA_HOME", File("data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", File("config").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", File("run").c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::unsetenv("XDG_ACTIVATION_TOKEN");
    }
    // Puts a FIFO at `name`, a copy of a seed (a name ending in .dat), or the text itself.
    std::string Place(const std::string& name, const std::string& what) const {
        if (what == "fifo") EXPECT_EQ(::mkfifo(File(name).c_str(), 0600), 0);
        else if (what.ends_with(".dat"))
            std::filesystem::copy_file(PALABRUM_SOURCE_DIR "/fuzz/corpus/state_file/" + what, File(name));
        else std::ofstream(File(name), std::ios::binary) << what;
        return File(name);
    }
    Child Start(std::vector<std::string> args, const std::string& n = "", int gate = -1) const {
        args.insert(args.begin(), PALABRUM_PROGRAM);
        return Child::Start(args, File("out" + n), File("err" + n), gate);
    }
};

// Hang-up (logout) saves the game as closing the window does, and so do the other quit signals, by the same path;
// a second signal right behind the first does not cut the save short.
TEST(Program, EndsBySignalWithTheGameSaved) {
    Home home;
    const std::string game = ReadFile(home.Place("game.dat", "started_no_bingo.dat"));
    const std::string state = home.Place("data/Palabrum/Palabrum/Palabrum.dat", game + "trailing bytes a save drops");
    Child child = home.Start({});
    // The one running copy's lock shows that the start is under way, its handlers in place.
    for (int tries = 0; tries < 3000 && child.Running() && std::filesystem::is_empty(home.File("run")); ++tries)
        std::this_thread::sleep_for(10ms);
    child.Signal(SIGHUP);
    child.Signal(SIGHUP);
    EXPECT_EQ(ExitCode(child.Wait(60s)), 0) << ReadFile(home.File("err"));
    EXPECT_EQ(ReadFile(state), game);
}

// No box waits for a person during a screenshot: each is told on standard error; nothing the program
// is given blocks it, a FIFO included; and a file's name need not be UTF-8.
TEST(Program, AScreenshotRunAlwaysEndsWithItsPicture) {
    struct Case { const char *state, *game, *gameIs, *said; };  // said: on standard error; "": no word of ours
    for (const Case& c : {Case{"options_all_set.dat", "notagame.dat", "hello",
                               "palabrum: Open Failed: Could not open C:\\pictures\\boss.bmp\n"},
                          Case{"fifo", "fifo", "fifo", "palabrum: File Open Error: Could not open the game "},
                          Case{nullptr, "caf\xE9.dat", "bingo_row.dat", ""}}) {
        Home home;
        if (c.state) home.Place("data/Palabrum/Palabrum/Palabrum.dat", c.state);
        Child run = home.Start({"--screenshot", home.File("shot.png"), home.Place(c.game, c.gameIs)});
        EXPECT_EQ(ExitCode(run.Wait(60s)), 0) << c.game;
        EXPECT_EQ(ReadFile(home.File("shot.png")).substr(0, 8), "\x89PNG\r\n\x1A\n");
        const std::string err = ReadFile(home.File("err"));
        EXPECT_EQ(err.find(*c.said ? c.said : "palabrum:") != std::string::npos, *c.said != 0) << err;
    }
}

// Starts at one instant, as a desktop launching a file twice: one window stays, the others end cleanly.
TEST(OneRunningCopy, ManyStartsAtTheSameInstantLeaveExactlyOneWindow) {
    constexpr int kCopies = 50;
    const char* rounds = std::getenv("PALABRUM_RACE_ROUNDS");
    for (int round = rounds ? std::atoi(rounds) : 3; round > 0; --round) {
        Home home;
        int gate[2];
        ASSERT_EQ(::pipe2(gate, O_CLOEXEC), 0);
        std::vector<Child> copies;
        for (int i = 0; i < kCopies; ++i) copies.push_back(home.Start({}, std::to_string(i), gate[0]));
        EXPECT_EQ(::write(gate[1], std::string(kCopies, 'g').data(), kCopies), kCopies);  // a byte each lets all go
        ::close(gate[0]), ::close(gate[1]);
        // A second window would keep the count up to the limit: fifty starts on two busy cores, sanitized too.
        const auto until = std::chrono::steady_clock::now() + 120s;
        while (std::ranges::count_if(copies, &Child::Running) > 1 && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(50ms);
        EXPECT_EQ(std::ranges::count_if(copies, &Child::Running), 1) << "round " << round;
        for (int i = 0; i < kCopies; ++i)
            EXPECT_TRUE(copies[i].Running() || ExitCode(copies[i].Wait()) == 0)
                << i << ": " << ReadFile(home.File("err" + std::to_string(i)));
    }
}

}  // namespace
}  // namespace palabrum::testing

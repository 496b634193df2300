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

// No display needed, no abort: help and version wherever they stand, else the first mistake on standard error (2);
// results on standard output; the toolkit's options passed on, its idle warnings not shown. A screenshot run ends with
// its picture: boxes told on standard error, a FIFO never waited on, a name not UTF-8 opened. "@": the run's folder.
TEST(Program, AnswersItsCommandLineAndEndsEveryScreenshotRunWithItsPicture) {
    const std::string list = PALABRUM_SOURCE_DIR "/fuzz/corpus/word_list/lines_24.txt", shot = "--screenshot=@s.png";
    const std::string nul = PALABRUM_SOURCE_DIR "/fuzz/corpus/word_list/nul_byte.txt", help = "\nTry 'palabrum --help";
    // out, err: how each stream begins; state, game: what the state file and the last argument hold.
    struct Case { std::vector<std::string> args; int status; std::string out{}, err{}; const char *state{}, *game{}; };
    for (Case c :
         {Case{{"a.dat", "--version"}, 0, "palabrum 1.0.0.1\n"}, Case{{"--bogus", "-h"}, 0, "Usage: palabrum ["},
          Case{{"--check-list=" + list}, 1, list + ": List has 24 lines. (I need 25.)\n"},
          Case{{"--check-list", nul}, 1, nul + " is not a text file\n"},
          Case{{"--bogus"}, 2, "", "palabrum: unknown option '--bogus'" + help},
          Case{{"-screenshot", "s.png"}, 2, "", "palabrum: unknown option '-screenshot'" + help},
          Case{{"--", "--help", "-v"}, 2, "", "palabrum: one game file at most, but '-v' is a second" + help},
          Case{{"--screenshot"}, 2, "", "palabrum: option '--screenshot' needs a value" + help},
          Case{{"--check-list", list, "a.dat"}, 2, "", "palabrum: --check-list takes its list and nothing else" + help},
          Case{{}, 2, "", "palabrum: there is no display"}, Case{{"-platform", "offscreen", shot}, 0},
          Case{{shot, "--style=fusion", "-reverse", "@caf\xE9.dat"}, 0, "", "", nullptr, "bingo_row.dat"},
          Case{{shot, "@notagame.dat"}, 0, "", "palabrum: Open Failed: Could not open C:\\pictures\\boss.bmp\n",
               "options_all_set.dat", "hello"},
          Case{{shot, "@fifo"}, 0, "", "palabrum: File Open Error: Could not open the game ", "fifo", "fifo"},
          Case{{"LANG=de_DE.UTF-8", "--bogus"}, 2, "", "palabrum: unbekannte Option '--bogus'\nMehr dazu mit"}}) {
        Home home;
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR", "LANGUAGE", "LC_ALL"})
            ::unsetenv(name);
        ::setenv("LANG", c.args.empty() || !c.args[0].starts_with("LANG=") ? "C.UTF-8" : c.args[0].c_str() + 5, 1);
        if (!c.args.empty() && c.args[0].starts_with("LANG=")) c.args.erase(c.args.begin());
        if (c.state) home.Place("data/Palabrum/Palabrum/Palabrum.dat", c.state);
        if (c.game) home.Place(c.args.back().substr(1), c.game);
        for (std::string& arg : c.args)
            if (const auto at = arg.find('@'); at != std::string::npos) arg.replace(at, 1, home.File("").string());
        EXPECT_EQ(ExitCode(home.Start(c.args).Wait(60s)), c.status) << c.args.size();
        const std::string out = ReadFile(home.File("out")), err = ReadFile(home.File("err"));
        EXPECT_EQ(std::tuple(out.substr(0, c.out.size()), out.empty(), err.substr(0, c.err.size()), err.empty()),
                  std::tuple(c.out, c.out.empty(), c.err, c.err.empty())) << out << err;
        EXPECT_EQ(ReadFile(home.File("s.png")).substr(0, 8), c.status || !c.out.empty() ? "" : "\x89PNG\r\n\x1A\n");
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

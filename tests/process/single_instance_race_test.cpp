// Many starts of the real program at the same instant, as a desktop that
// launches a file twice or a double-click on a launcher might: exactly one
// window must stay, and every other start must hand over and end cleanly.
//
//   PALABRUM_RACE_ROUNDS=20 process_tests    # more rounds than the default 3
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace palabrum::testing {
namespace {

constexpr int kCopies = 50;
// Fifty Qt programs starting on two busy cores, under the sanitizers too.
constexpr auto kSettleLimit = std::chrono::seconds(120);

int Rounds() {
    const char* text = std::getenv("PALABRUM_RACE_ROUNDS");
    const int rounds = text ? std::atoi(text) : 0;
    return rounds > 0 ? rounds : 3;
}

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One round: whether exactly one copy runs once the others have ended, each of them with status 0.
bool OneRoundLeavesOneWindow(int round) {
    TempDir home;
    const auto run = home.File("run");
    std::filesystem::create_directory(run);
    ::chmod(run.c_str(), 0700);
    const auto env = EnvironmentWith({{"QT_QPA_PLATFORM", "offscreen"},
                                      {"XDG_DATA_HOME", home.File("data").string()},
                                      {"XDG_CONFIG_HOME", home.File("config").string()},
                                      {"XDG_RUNTIME_DIR", run.string()},
                                      {"XDG_ACTIVATION_TOKEN", std::nullopt}});
    StartBarrier barrier;
    std::vector<Child> copies;
    for (int i = 0; i < kCopies; ++i) {
        const std::string n = std::to_string(i);
        copies.push_back(Child::Start({PALABRUM_PROGRAM, {}, env, {}, home.File("out" + n), home.File("err" + n)}, &barrier));
    }
    barrier.Release();

    // Windows never end by themselves, so a second one keeps the count above one until the limit.
    const auto until = std::chrono::steady_clock::now() + kSettleLimit;
    int running = kCopies;
    while (running > 1 && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        running = 0;
        for (auto& copy : copies) running += copy.Running();
    }
    bool clean = running == 1;
    EXPECT_EQ(running, 1) << "round " << round << ": copies still running";
    for (int i = 0; i < kCopies; ++i) {
        if (copies[i].Running()) continue;
        const int code = ExitCode(*copies[i].Status());
        clean &= code == 0;
        EXPECT_EQ(code, 0) << "round " << round << ", start " << i << ":\n"
                           << ReadText(home.File("err" + std::to_string(i)));
    }
    // Whichever won, it ends now; SIGKILL only if it ignores the polite request.
    for (auto& copy : copies) {
        if (copy.Running()) {
            EXPECT_TRUE(copy.Stop(std::chrono::seconds(5)));
        }
    }
    return clean;
}

TEST(OneRunningCopy, ManyStartsAtTheSameInstantLeaveExactlyOneWindow) {
    const int rounds = Rounds();
    int good = 0;
    for (int round = 1; round <= rounds; ++round) good += OneRoundLeavesOneWindow(round);
    std::printf("%d of %d rounds left one window\n", good, rounds);
    EXPECT_EQ(good, rounds);
}

}  // namespace
}  // namespace palabrum::testing

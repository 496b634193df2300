// Replays fuzz inputs through a target's LLVMFuzzerTestOneInput without
// libFuzzer, so builds with any compiler keep the seed corpus as a test.
//
//   replay_NAME FILE_OR_DIRECTORY...
//
// A broken invariant aborts, which fails the test; the input being replayed is
// named on stderr first. An empty or missing directory is an error too, so a
// corpus that went astray cannot pass unnoticed.
#include <algorithm>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

// The input under way, kept where a signal handler may read it.
char g_current[4096];

// Only async-signal-safe calls here; the write results are of no use to us.
void Say(const char* text) {
    if (::write(STDERR_FILENO, text, std::strlen(text)) < 0) return;
}

void OnFatalSignal(int sig) {
    Say("crashed on input: ");
    Say(g_current);
    Say("\n");
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

bool ReadAll(const fs::path& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool Replay(const fs::path& path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadAll(path, bytes)) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    std::snprintf(g_current, sizeof g_current, "%s", path.c_str());
    // A copy of exactly the input's size, so a sanitizer build sees any read past its end.
    std::vector<std::uint8_t> exact(bytes.begin(), bytes.end());
    exact.shrink_to_fit();
    LLVMFuzzerTestOneInput(exact.data(), exact.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE_OR_DIRECTORY...\n", argv[0]);
        return 2;
    }
    for (int sig : {SIGABRT, SIGSEGV, SIGILL, SIGFPE, SIGBUS}) std::signal(sig, OnFatalSignal);

    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path arg(argv[i]);
        std::error_code ec;
        if (fs::is_directory(arg, ec)) {
            // Sorted, so that a failure always shows up at the same input.
            std::vector<fs::path> files;
            for (const auto& entry : fs::directory_iterator(arg, ec)) {
                if (entry.is_regular_file()) files.push_back(entry.path());
            }
            if (ec) {
                std::fprintf(stderr, "cannot list %s: %s\n", arg.c_str(), ec.message().c_str());
                return 1;
            }
            if (files.empty()) {
                std::fprintf(stderr, "no inputs in %s\n", arg.c_str());
                return 1;
            }
            std::sort(files.begin(), files.end());
            for (const auto& file : files) {
                if (!Replay(file)) return 1;
                ++replayed;
            }
        } else if (fs::is_regular_file(arg, ec)) {
            if (!Replay(arg)) return 1;
            ++replayed;
        } else {
            std::fprintf(stderr, "no such file or directory: %s\n", arg.c_str());
            return 1;
        }
    }
    std::printf("replayed %zu inputs\n", replayed);
    return 0;
}

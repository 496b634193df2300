// The program's command line, read once before anything else starts, so that
// every answer needs no display and no mistake can abort the program.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace palabrum {

struct CommandLine {
    enum class Action { kPlay, kHelp, kVersion, kCheckList, kError };
    Action action = Action::kPlay;
    std::filesystem::path file;                       // kPlay: a saved game to open, or empty
    std::optional<std::filesystem::path> screenshot;  // kPlay: write the window there and end
    std::filesystem::path list;                       // kCheckList: the word list to check
    std::u16string error;                             // kError: what is wrong, one line
    std::vector<std::string> toolkit;                 // the toolkit's own options, handed on as given
};

// Reads argv[1..argc-1]. Help and version answer at once wherever they stand;
// otherwise the first mistake (an unknown option, a missing value, a second
// file) is the verdict.
CommandLine ParseCommandLine(int argc, const char* const argv[]);

// What --help prints, in the player's language.
std::u16string Usage();

}  // namespace palabrum

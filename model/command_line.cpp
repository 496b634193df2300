#include "model/command_line.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "model/file_name.h"
#include "model/translate.h"

namespace palabrum {

std::u16string Usage() {
    return Tr("CommandLine",
    "Usage: palabrum [options] [FILE]\n"
    "Buzzword bingo for meetings.\n\n"
    "Arguments:\n"
    "  FILE               a saved game to open\n\n"
    "Options:\n"
    "  --screenshot PNG   start as usual, write the window to PNG once painted, and end\n"
    "                     without saving the game\n"
    "  --check-list FILE  check a word list as Load Custom List would, and say what it\n"
    "                     found; exit status 0 for a good list, 1 otherwise\n"
    "  -h, --help         show this help\n"
    "  -v, --version      show the version\n");
}

namespace {

// The toolkit's standard options a desktop may pass (a session manager, a
// theme); the first ones take a value.
constexpr std::array<std::string_view, 12> kToolkitWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "style", "stylesheet", "session", "display", "geometry"};
constexpr std::array<std::string_view, 2> kToolkitFlags = {"reverse", "widgetcount"};

bool Contains(const auto& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

CommandLine Answered(CommandLine::Action action, std::u16string error = {}) {
    CommandLine line;
    line.action = action;
    line.error = std::move(error);
    return line;
}

CommandLine Refused(std::u16string error) { return Answered(CommandLine::Action::kError, std::move(error)); }

std::u16string Shown(std::string_view arg) { return DisplayName(std::string(arg)); }

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") return Answered(CommandLine::Action::kHelp);
        if (arg == "--version" || arg == "-v") return Answered(CommandLine::Action::kVersion);
    }
    CommandLine line;
    std::optional<std::filesystem::path> list;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!options || arg.size() < 2 || arg[0] != '-') {
            if (!line.file.empty()) {
                return Refused(Arg(Tr("CommandLine", "one game file at most, but '%1' is a second"), {Shown(arg)}));
            }
            line.file = std::string(arg);
            continue;
        }
        if (arg == "--") {
            options = false;
            continue;
        }
        // --name VALUE or --name=VALUE; the toolkit's options also with one dash.
        const std::string_view bare = arg.substr(arg[1] == '-' ? 2 : 1);
        const std::string_view name = bare.substr(0, bare.find('='));
        const bool ours = arg[1] == '-' && (name == "screenshot" || name == "check-list");
        if (!ours && Contains(kToolkitFlags, name) && name == bare) {
            line.toolkit.emplace_back(arg);
            continue;
        }
        if (!ours && !Contains(kToolkitWithValue, name)) {
            return Refused(Arg(Tr("CommandLine", "unknown option '%1'"), {Shown(arg)}));
        }
        std::optional<std::string> value;
        if (name != bare) {
            value = std::string(bare.substr(name.size() + 1));
        } else if (i + 1 < argc) {
            value = argv[++i];
        }
        if (!value || value->empty()) return Refused(Arg(Tr("CommandLine", "option '%1' needs a value"), {Shown(arg)}));
        if (!ours) {
            line.toolkit.insert(line.toolkit.end(), {"-" + std::string(name), *value});
        } else if (name == "screenshot") {
            line.screenshot = *value;
        } else {
            list = *value;
        }
    }
    if (list) {
        if (!line.file.empty() || line.screenshot) {
            return Refused(Tr("CommandLine", "--check-list takes its list and nothing else"));
        }
        line.action = CommandLine::Action::kCheckList;
        line.list = *list;
    }
    return line;
}

}  // namespace palabrum

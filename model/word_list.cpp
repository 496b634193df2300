#include "word_list.h"

#include <filesystem>
#include <fstream>

namespace palabrum {

const std::array<std::u16string_view, kListSize> kBuiltInWords = {
    u"proactive",    u"fast track",      u"core competency", u"utilize",
    u"facilitate",   u"enable",          u"best practices",  u"refocus",
    u"synergy",      u"paradigm",        u"game plan",       u"target date",
    u"revisit",      u"enterprise-wide", u"vision",          u"strategic",
    u"collaborate",  u"bottom line",     u"leverage",        u"best interest(s))",
    u"win-win",      u"ballpark",        u"value-added",     u"result-driven",
    u"mindset",
};

std::vector<std::u16string> BuiltInWordList() {
    return {kBuiltInWords.begin(), kBuiltInWords.end()};
}

namespace {

std::u16string Ascii(std::string_view s) {
    return {s.begin(), s.end()};
}

WordListRead Refuse(std::u16string message) {
    return {{}, std::move(message)};
}

}  // namespace

WordListRead ReadWordList(std::istream& in, std::u16string_view path) {
    std::vector<std::u16string> lines;
    std::u16string line;

    // Ends the current line; true when the list has grown past 25.
    auto endLine = [&] {
        if (!line.empty()) lines.push_back(std::move(line));
        line.clear();
        return lines.size() > kListSize;
    };

    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        const auto got = static_cast<std::size_t>(in.gcount());
        for (std::size_t i = 0; i < got; ++i) {
            const auto b = static_cast<std::uint8_t>(buffer[i]);
            if (b == '\n') {
                if (endLine()) return Refuse(u"More than 25 lines.");
                continue;
            }
            if (b == '\r') continue;  // dropped wherever it stands
            if (b >= 32 && b < 128) {
                line.push_back(static_cast<char16_t>(b));
            } else if (b == '\t') {
                line.push_back(u' ');
            } else {
                return Refuse(std::u16string(path) + u" is not a text file");
            }
            if (line.size() > kMaxLineLength) return Refuse(u"Line too long: " + line);
        }
        if (!in) break;
    }
    if (in.bad()) return Refuse(u"Error reading " + std::u16string(path));
    if (endLine()) return Refuse(u"More than 25 lines.");
    if (lines.size() < kListSize) {
        return Refuse(Ascii("List has " + std::to_string(lines.size()) + " lines.\n(I need " +
                            std::to_string(kListSize) + ".)"));
    }
    return {std::move(lines), {}};
}

WordListRead ReadWordListFile(const std::u16string& path) {
    const std::filesystem::path file(path);
    std::error_code ec;
    // A directory opens as a stream on Linux and reads as empty: refuse it as unreadable.
    std::ifstream in;
    if (!std::filesystem::is_directory(file, ec)) in.open(file, std::ios::binary);
    if (!in.is_open()) return Refuse(u"Error reading " + path);
    return ReadWordList(in, path);
}

}  // namespace palabrum

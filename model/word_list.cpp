#include "word_list.h"

#include "ascii.h"
#include "file_io.h"
#include "file_name.h"

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

WordListRead Refuse(std::u16string message) {
    return {{}, std::move(message)};
}

}  // namespace

WordListRead ReadWordList(std::span<const std::uint8_t> bytes, std::u16string_view name, bool cutShort) {
    std::vector<std::u16string> lines;
    std::u16string line;

    // Ends the current line; true when the list has grown past 25.
    auto endLine = [&] {
        if (!line.empty()) lines.push_back(std::move(line));
        line.clear();
        return lines.size() > kListSize;
    };

    for (const std::uint8_t b : bytes) {
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
            return Refuse(std::u16string(name) + u" is not a text file");
        }
        if (line.size() > kMaxLineLength) return Refuse(u"Line too long: " + line);
    }
    if (cutShort) return Refuse(std::u16string(name) + u" is too large for a word list.");
    if (endLine()) return Refuse(u"More than 25 lines.");
    if (lines.size() < kListSize) {
        return Refuse(Ascii("List has " + std::to_string(lines.size()) + " lines.\n(I need " +
                            std::to_string(kListSize) + ".)"));
    }
    return {std::move(lines), {}};
}

WordListRead ReadWordListFile(const std::filesystem::path& path) {
    const FileContents file = ReadFileContents(path, kMaxWordListBytes);
    const std::u16string name = DisplayName(path);
    if (file.status == FileContents::Status::kUnreadable) return Refuse(u"Error reading " + name);
    return ReadWordList(file.bytes, name, file.status == FileContents::Status::kTooLarge);
}

}  // namespace palabrum

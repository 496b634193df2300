#include "word_list.h"

#include "ascii.h"
#include "file_io.h"
#include "file_name.h"
#include "translate.h"
#include "utf8.h"

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

    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::size_t pos = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;  // a byte-order mark only says "UTF-8"
    std::size_t length = 0;  // characters in `line`, however many UTF-16 units they take
    while (pos < text.size()) {
        const char b = text[pos];
        if (b == '\n') {
            if (endLine()) return Refuse(Tr("WordList", "More than 25 lines."));
            length = 0;
            ++pos;
            continue;
        }
        if (b == '\r') {  // dropped wherever it stands
            ++pos;
            continue;
        }
        const Utf8Char c = DecodeUtf8(text.substr(pos));
        // A character cut by the end of what was read is no fault of the file's.
        if (c.length == 0 && cutShort && text.size() - pos < 4) break;
        // Control characters, the tab aside, C1 ones included; DEL stays, as it always has.
        if (c.length == 0 || (c.code < 32 && c.code != '\t') || (c.code >= 0x80 && c.code < 0xA0)) {
            return Refuse(Arg(Tr("WordList", "%1 is not a text file"), {name}));
        }
        AppendUtf16(line, c.code == '\t' ? U' ' : c.code);
        pos += c.length;
        if (++length > kMaxLineLength) return Refuse(Arg(Tr("WordList", "Line too long: %1"), {line}));
    }
    if (cutShort) return Refuse(Arg(Tr("WordList", "%1 is too large for a word list."), {name}));
    if (endLine()) return Refuse(Tr("WordList", "More than 25 lines."));
    if (lines.size() < kListSize) {
        return Refuse(Arg(Tr("WordList", "List has %1 lines.\n(I need %2.)"),
                         {Ascii(std::to_string(lines.size())), Ascii(std::to_string(kListSize))}));
    }
    return {std::move(lines), {}};
}

WordListRead ReadWordListFile(const std::filesystem::path& path) {
    const FileContents file = ReadFileContents(path, kMaxWordListBytes);
    const std::u16string name = DisplayName(path);
    if (file.status == FileContents::Status::kUnreadable) {
        return Refuse(Arg(Tr("WordList", "Error reading %1"), {name}));
    }
    return ReadWordList(file.bytes, name, file.status == FileContents::Status::kTooLarge);
}

}  // namespace palabrum

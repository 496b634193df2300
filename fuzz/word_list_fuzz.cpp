// Fuzzes the word-list reader, which takes any file the player points it at.
// Beyond "no crash", every input is also read by a deliberately plain second
// reader below, written from the rules alone, and both must come to the same
// verdict with the same words or the same reason.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/require.h"
#include "model/word_list.h"

namespace palabrum {
namespace {

constexpr std::u16string_view kPath = u"words.txt";

enum class Verdict { kGood, kNotText, kTooLong, kTooMany, kTooFew };

struct Expected {
    Verdict verdict = Verdict::kGood;
    std::vector<std::u16string> words;  // the lines, when good or too few
    std::u16string line;                // the offending line when too long
};

// One character of UTF-8 by the textbook: the lead byte gives the length,
// the continuation bytes the bits; then whatever is overlong, a surrogate or
// past U+10FFFF is thrown out. 0 bytes: no character.
std::size_t PlainUtf8(const std::uint8_t* data, std::size_t left, char32_t& code) {
    const std::uint8_t lead = data[0];
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || length > left || lead >= 0xF8) return 0;
    code = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
        if ((data[k] & 0xC0) != 0x80) return 0;
        code = (code << 6) | (data[k] & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
    return length;
}

// The rules of the format, applied character by character; the first problem decides.
Expected ReadPlainly(const std::uint8_t* data, std::size_t size) {
    Expected e;
    std::u16string line;
    std::size_t characters = 0;
    auto endLine = [&] {
        if (!line.empty()) e.words.push_back(line);
        line.clear();
        characters = 0;
        return e.words.size() > static_cast<std::size_t>(kListSize);
    };
    std::size_t i = size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF ? 3 : 0;
    for (std::size_t length = 0; i < size; i += length) {
        char32_t c = 0;
        length = PlainUtf8(data + i, size - i, c);
        if (length == 0 || (c < 32 && c != 9 && c != 10 && c != 13) || (c >= 0x80 && c < 0xA0)) {
            return {Verdict::kNotText, {}, {}};
        }
        if (c == 10) {
            if (endLine()) return {Verdict::kTooMany, {}, {}};
        } else if (c != 13) {
            if (c == 9) c = ' ';
            if (c < 0x10000) {
                line.push_back(static_cast<char16_t>(c));
            } else {
                line.push_back(static_cast<char16_t>(0xD7C0 + (c >> 10)));
                line.push_back(static_cast<char16_t>(0xDC00 | (c & 0x3FF)));
            }
            if (++characters > kMaxLineLength) return {Verdict::kTooLong, {}, line};
        }
    }
    if (endLine()) return {Verdict::kTooMany, {}, {}};
    if (e.words.size() < static_cast<std::size_t>(kListSize)) e.verdict = Verdict::kTooFew;
    return e;
}

std::u16string Ascii(const std::string& s) {
    return {s.begin(), s.end()};
}

}  // namespace
}  // namespace palabrum

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace palabrum;

    const WordListRead read = ReadWordList({data, size}, kPath);

    // What the game relies on, whatever the reasons.
    if (read.ok()) {
        REQUIRE(read.words.size() == static_cast<std::size_t>(kListSize));
        for (const auto& word : read.words) {
            REQUIRE(!word.empty());
            REQUIRE(word.size() <= 2 * kMaxLineLength);  // a character takes at most two units
            for (char16_t c : word) REQUIRE(c >= 32 && (c < 0x80 || c >= 0xA0));
        }
    } else {
        REQUIRE(read.words.empty());
        REQUIRE(!read.error.empty());
    }

    // And the same verdict, with the same words or the right reason, as the plain reading.
    const Expected expected = ReadPlainly(data, size);
    switch (expected.verdict) {
    case Verdict::kGood:
        REQUIRE(read.ok());
        REQUIRE(read.words == expected.words);
        break;
    case Verdict::kNotText:
        REQUIRE(read.error == std::u16string(kPath) + u" is not a text file");
        break;
    case Verdict::kTooLong:
        REQUIRE(read.error == u"Line too long: " + expected.line);
        break;
    case Verdict::kTooMany:
        REQUIRE(read.error == u"More than 25 lines.");
        break;
    case Verdict::kTooFew:
        REQUIRE(read.error ==
                u"List has " + Ascii(std::to_string(expected.words.size())) + u" lines.\n(I need 25.)");
        break;
    }
    return 0;
}

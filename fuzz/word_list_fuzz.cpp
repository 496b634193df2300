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

// The rules of the format, applied byte by byte; the first problem decides.
Expected ReadPlainly(const std::uint8_t* data, std::size_t size) {
    Expected e;
    std::u16string line;
    auto endLine = [&] {
        if (!line.empty()) e.words.push_back(line);
        line.clear();
        return e.words.size() > static_cast<std::size_t>(kListSize);
    };
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t b = data[i];
        if (b == 10) {
            if (endLine()) return {Verdict::kTooMany, {}, {}};
        } else if (b == 13) {
            // dropped
        } else if (b == 9 || (b >= 32 && b <= 127)) {
            line.push_back(b == 9 ? u' ' : static_cast<char16_t>(b));
            if (line.size() > kMaxLineLength) return {Verdict::kTooLong, {}, line};
        } else {
            return {Verdict::kNotText, {}, {}};
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
            REQUIRE(word.size() <= kMaxLineLength);
            for (char16_t c : word) REQUIRE(c >= 32 && c <= 127);
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

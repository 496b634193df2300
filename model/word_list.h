// The two sources of the 25 words: the built-in list and the player's text file.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace palabrum {

inline constexpr int kListSize = 25;
inline constexpr std::size_t kMaxLineLength = 240;

extern const std::array<std::u16string_view, kListSize> kBuiltInWords;

std::vector<std::u16string> BuiltInWordList();

// What reading a word-list file came to: 25 words, or the one message that
// tells the player why the file was refused (caption "File Read Error").
struct WordListRead {
    std::vector<std::u16string> words;
    std::u16string error;  // empty when the file is good

    bool ok() const { return error.empty(); }
};

inline constexpr std::u16string_view kFileReadErrorCaption = u"File Read Error";

// Reads a word list from `in` in file order, stopping at the first problem:
// a byte that is not 7-bit text, a line over 240 characters, a 26th line, or
// fewer than 25 lines at the end. `path` only names the file in messages.
// Memory stays bounded whatever the stream holds.
WordListRead ReadWordList(std::istream& in, std::u16string_view path);

// Opens `path` and reads it as above; a file that cannot be opened gives
// "Error reading " followed by the path.
WordListRead ReadWordListFile(const std::u16string& path);

}  // namespace palabrum

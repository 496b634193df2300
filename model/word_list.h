// The two sources of the 25 words: the built-in list and the player's text file.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace palabrum {

inline constexpr int kListSize = 25;
inline constexpr std::size_t kMaxLineLength = 240;  // characters (code points)
// 25 lines of 240 characters take some 6 KB; a file past this bound is no
// list a person wrote, and refusing it keeps every answer quick.
inline constexpr std::size_t kMaxWordListBytes = 1u << 20;

extern const std::array<std::u16string_view, kListSize> kBuiltInWords;

std::vector<std::u16string> BuiltInWordList();

// What reading a word-list file came to: 25 words, or the one message that
// tells the player why the file was refused, in the player's language
// (shown with the caption "File Read Error").
struct WordListRead {
    std::vector<std::u16string> words;
    std::u16string error;  // empty when the file is good

    bool ok() const { return error.empty(); }
};

// Reads a word list from `bytes`, UTF-8 with or without a byte-order mark (so
// 7-bit ASCII too), in file order, stopping at the first problem: bytes that
// are no UTF-8 or a control character other than tab (refused as no text
// file), a line over 240 characters (not bytes), a 26th line, or fewer than 25
// lines at the end. With `cutShort` the file goes on past
// `bytes`, and a file with no problem within them is refused as too large.
// `name` only names the file in messages.
WordListRead ReadWordList(std::span<const std::uint8_t> bytes, std::u16string_view name, bool cutShort = false);

// Reads the file at `path` as above, at most kMaxWordListBytes of it, never
// waiting on a FIFO or a device; a file that cannot be read, or is no regular
// file, gives "Error reading " followed by its name.
WordListRead ReadWordListFile(const std::filesystem::path& path);

}  // namespace palabrum

// The one UTF-8 decoder: strict, as file names and word lists need it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace palabrum {

struct Utf8Char {
    char32_t code = 0;
    std::size_t length = 0;  // 0: no well-formed character starts here
};

// The code point of the well-formed UTF-8 sequence at the start of `s` (which
// must not be empty) and its length; a length of 0 when the first byte starts
// none: a stray or missing continuation byte, an overlong form, an encoded
// surrogate, a value past U+10FFFF.
Utf8Char DecodeUtf8(std::string_view s);

// Appends `code` as one UTF-16 unit, or a surrogate pair past U+FFFF.
void AppendUtf16(std::u16string& out, char32_t code);

// `bytes` as UTF-16; each byte that starts no character becomes U+FFFD, or,
// with an `escapeBase`, escapeBase + the byte (so that it can be told back).
std::u16string Utf16FromUtf8(std::string_view bytes, char16_t escapeBase = 0);

// `text` as UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);

}  // namespace palabrum

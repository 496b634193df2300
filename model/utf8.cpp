#include "utf8.h"

#include <cstdint>

namespace palabrum {

Utf8Char DecodeUtf8(std::string_view s) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(s[i]); };
    const std::uint8_t b0 = byte(0);
    if (b0 < 0x80) return {b0, 1};
    std::size_t length = 0;
    std::uint8_t low = 0x80, high = 0xBF;  // the range the second byte must fall in
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        if (b0 == 0xE0) low = 0xA0;  // shorter forms are overlong
        if (b0 == 0xED) high = 0x9F;  // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        if (b0 == 0xF0) low = 0x90;
        if (b0 == 0xF4) high = 0x8F;  // past U+10FFFF
    } else {
        return {};
    }
    if (s.size() < length || byte(1) < low || byte(1) > high) return {};
    char32_t code = b0 & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return {};
        code = code << 6 | (byte(i) & 0x3F);
    }
    return {code, length};
}

void AppendUtf16(std::u16string& out, char32_t code) {
    if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
    } else {
        code -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    }
}

std::u16string Utf16FromUtf8(std::string_view bytes, char16_t escapeBase) {
    std::u16string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        const Utf8Char one = DecodeUtf8(bytes);
        if (one.length == 0) {
            out.push_back(escapeBase ? static_cast<char16_t>(escapeBase + static_cast<std::uint8_t>(bytes[0]))
                                     : u'\uFFFD');
            bytes.remove_prefix(1);
        } else {
            AppendUtf16(out, one.code);
            bytes.remove_prefix(one.length);
        }
    }
    return out;
}

std::string Utf8FromUtf16(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (code >= 0xD800 && code <= 0xDFFF)
            code = 0xFFFD;
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += {static_cast<char>(0xC0 | code >> 6), static_cast<char>(0x80 | (code & 0x3F))};
        } else if (code < 0x10000) {
            out += {static_cast<char>(0xE0 | code >> 12), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
                    static_cast<char>(0x80 | (code & 0x3F))};
        } else {
            out += {static_cast<char>(0xF0 | code >> 18), static_cast<char>(0x80 | ((code >> 12) & 0x3F)),
                    static_cast<char>(0x80 | ((code >> 6) & 0x3F)), static_cast<char>(0x80 | (code & 0x3F))};
        }
    }
    return out;
}

}  // namespace palabrum

#include "file_name.h"

#include <cstdint>
#include <system_error>

#include "utf8.h"

namespace palabrum {

namespace {

constexpr char16_t kReplacement = u'\uFFFD';
constexpr char16_t kEscapeBase = 0xDC00;  // + a byte of 0x80..0xFF

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | code >> 6));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | code >> 12));
        out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | code >> 18));
        out.push_back(static_cast<char>(0x80 | (code >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

}  // namespace

std::u16string Utf16FromPath(const std::filesystem::path& path) { return Utf16FromUtf8(path.native(), kEscapeBase); }

std::u16string DisplayName(const std::filesystem::path& path) { return Utf16FromUtf8(path.native()); }

std::filesystem::path PathFromUtf16(std::u16string_view name) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < name.size() && name[i + 1] >= 0xDC00 && name[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (name[i + 1] - 0xDC00));
            ++i;
        } else if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
            out.push_back(static_cast<char>(c - kEscapeBase));
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

std::filesystem::path ResolveDisplayedName(std::u16string_view name) {
    const std::filesystem::path asGiven = PathFromUtf16(name);
    if (name.find(kReplacement) == std::u16string_view::npos) return asGiven;
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(asGiven, ec))) return asGiven;

    std::filesystem::path resolved;
    for (const auto& part : asGiven) {
        const std::u16string shown = Utf16FromPath(part);
        if (shown.find(kReplacement) == std::u16string::npos) {
            resolved /= part;
            continue;
        }
        std::filesystem::path match;
        int matches = 0;
        for (std::filesystem::directory_iterator it(resolved.empty() ? "." : resolved, ec), end; !ec && it != end;
             it.increment(ec)) {
            const auto entry = it->path().filename();
            if (DisplayName(entry) == shown && ++matches == 1) match = entry;
        }
        if (matches != 1) return asGiven;
        resolved /= match;
    }
    return resolved;
}

}  // namespace palabrum

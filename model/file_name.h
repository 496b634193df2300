// File names are bytes on Linux, and need not be UTF-8. The state file and
// the Qt side hold names as UTF-16, so each byte that is not part of UTF-8
// travels as a lone surrogate U+DC80..U+DCFF: every name survives the trip.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace palabrum {

// The name's bytes as UTF-16, undecodable bytes escaped as above.
std::u16string Utf16FromPath(const std::filesystem::path& path);

// The inverse: the very bytes `Utf16FromPath` started from. A lone
// surrogate that is no escape becomes U+FFFD.
std::filesystem::path PathFromUtf16(std::u16string_view name);

// The name as a person can read it: every undecodable byte shows as U+FFFD.
std::u16string DisplayName(const std::filesystem::path& path);

// A file dialog built on a lossy decoding hands back U+FFFD where a name held
// bytes that are not UTF-8. Finds the one existing file each such part of
// `name` stands for, folder by folder; when a part matches no entry, or
// several, the name is returned as it stands.
std::filesystem::path ResolveDisplayedName(std::u16string_view name);

}  // namespace palabrum

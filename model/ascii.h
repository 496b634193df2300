// Messages are UTF-16; those built from numbers and literals start as 7-bit text.
#pragma once

#include <string>
#include <string_view>

namespace palabrum {

inline std::u16string Ascii(std::string_view s) { return {s.begin(), s.end()}; }

}  // namespace palabrum

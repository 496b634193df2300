// The program's texts are UTF-16, as Qt's are: one conversion for all of them.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace palabrum {

inline QString ToQString(std::u16string_view s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }
// The meeting's texts travel as UTF-8.
inline QString ToQString(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

}  // namespace palabrum

// File names between Qt's strings and the file system's bytes.
#pragma once

#include <QString>
#include <filesystem>

#include "model/file_name.h"
#include "views/qt_text.h"

namespace palabrum {

// A file dialog's answer as the bytes of the file it names: Qt decodes names
// that are not UTF-8 with U+FFFD, and this finds the file meant.
inline std::filesystem::path PathOfChosenFile(const QString& chosen) {
    return ResolveDisplayedName(chosen.toStdU16String());
}

// The name for a person to read.
inline QString ShownName(const std::filesystem::path& path) { return ToQString(DisplayName(path)); }

}  // namespace palabrum

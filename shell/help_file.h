// Finding the help file.
#pragma once

#include <QString>
#include <QUrl>

namespace palabrum {

// The help file at its start topic: the one installed beside the program
// (<prefix>/share/palabrum next to <prefix>/bin), else the one in the source
// tree of a development build, else the copy built into the program.
QUrl HelpFileUrl(const QString& programDir);

}  // namespace palabrum

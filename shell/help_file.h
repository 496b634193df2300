// Finding the help file.
#pragma once

#include <QLocale>
#include <QString>
#include <QUrl>

namespace palabrum {

// The help file at its start topic, in the first of the locale's languages
// that has one (else English): the one installed beside the program
// (<prefix>/share/palabrum next to <prefix>/bin), else the copy built into the
// program.
QUrl HelpFileUrl(const QString& programDir, const QLocale& locale = QLocale());

}  // namespace palabrum

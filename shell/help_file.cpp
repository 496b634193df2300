#include "shell/help_file.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace palabrum {

QUrl HelpFileUrl(const QString& programDir, const QLocale& locale) {
    // The page in the player's language where there is one, else the English one;
    // installed beside the program first (a packager may update it), else built in.
    QStringList names;
    for (const QString& language : locale.uiLanguages()) {
        const QString code = language.section(QLatin1Char('-'), 0, 0);
        if (code != QLatin1String("en")) names << QStringLiteral("Palabrum.%1.htm").arg(code);
    }
    names << QStringLiteral("Palabrum.htm");
    for (const QString& name : names) {
        QUrl url;
        const QFileInfo installed(QDir(programDir).filePath(QStringLiteral("../share/palabrum/") + name));
        if (installed.isFile()) {
            url = QUrl::fromLocalFile(installed.canonicalFilePath());
        } else if (QFileInfo::exists(QStringLiteral(":/help/") + name)) {
            url = QUrl(QStringLiteral("qrc:/help/") + name);
        } else {
            continue;
        }
        url.setFragment(QStringLiteral("start_topic"));
        return url;
    }
    return {};
}

}  // namespace palabrum

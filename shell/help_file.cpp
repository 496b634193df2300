#include "shell/help_file.h"

#include <QDir>
#include <QFileInfo>

namespace palabrum {

QUrl HelpFileUrl(const QString& programDir) {
    const QStringList candidates = {
        QDir(programDir).filePath(QStringLiteral("../share/palabrum/Palabrum.htm")),
        QStringLiteral(PALABRUM_RESOURCES_DIR "/Palabrum.htm"),
    };
    QUrl url(QStringLiteral("qrc:/help/Palabrum.htm"));
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile()) {
            url = QUrl::fromLocalFile(QFileInfo(candidate).canonicalFilePath());
            break;
        }
    }
    url.setFragment(QStringLiteral("start_topic"));
    return url;
}

}  // namespace palabrum

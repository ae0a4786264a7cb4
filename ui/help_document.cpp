#include "ui/help_document.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace vox {

QStringList manualCandidates() {
    const QString dir = QCoreApplication::applicationDirPath();
    QStringList list{dir + QStringLiteral("/manual.html"),
                     dir + QStringLiteral("/../share/doc/voxclock/manual.html")};
    return list;
}

QString findManual(const QStringList& candidates) {
    for (const QString& c : candidates)
        if (QFileInfo(c).isFile())
            return QFileInfo(c).absoluteFilePath();
    return {};
}

}  // namespace vox

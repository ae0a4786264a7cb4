#include "ui/help_document.h"

#include <QFileInfo>

#include "adapters/installed_files.h"

namespace vox {

QStringList manualCandidates() {
    return {QString::fromStdString(sharedFilesFolder() + "/manual.html")};
}

QString findManual(const QStringList& candidates) {
    for (const QString& c : candidates)
        if (QFileInfo(c).isFile())
            return QFileInfo(c).absoluteFilePath();
    return {};
}

}  // namespace vox

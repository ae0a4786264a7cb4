#include "ui/version_text.h"

namespace vox {

QString versionNumber() {
    return QStringLiteral("%1.%2.%3")
        .arg(VOXCLOCK_VERSION_MAJOR)
        .arg(VOXCLOCK_VERSION_MINOR)
        .arg(VOXCLOCK_VERSION_PATCH);
}

QString windowCaption() {
    return QStringLiteral("Voxclock TTS ") + versionNumber();
}

QString versionLine() {
    return QStringLiteral("Version ") + versionNumber();
}

}  // namespace vox

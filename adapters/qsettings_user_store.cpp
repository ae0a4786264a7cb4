#include "adapters/qsettings_user_store.h"

#include <QSettings>

namespace vox {

std::optional<std::string> QSettingsUserStore::value(const std::string& key) {
    QSettings settings("Voxclock", "Voxclock");
    const QString name = "Settings/" + QString::fromStdString(key);
    if (!settings.contains(name))
        return std::nullopt;
    return settings.value(name).toString().toStdString();
}

void QSettingsUserStore::setValue(const std::string& key, const std::string& value) {
    QSettings settings("Voxclock", "Voxclock");
    settings.setValue("Settings/" + QString::fromStdString(key), QString::fromStdString(value));
    settings.sync();
}

}  // namespace vox

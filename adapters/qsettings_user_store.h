#pragma once

#include "core/base/user_store.h"

namespace vox {

// The per-user store on QSettings: organisation and application "Voxclock", section "Settings".
class QSettingsUserStore : public UserStore {
public:
    std::optional<std::string> value(const std::string& key) override;
    void setValue(const std::string& key, const std::string& value) override;
};

}  // namespace vox

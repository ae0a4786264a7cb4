#pragma once

#include <optional>
#include <string>

namespace vox {

// The per-user application-settings store (application "Voxclock", section "Settings").
class UserStore {
public:
    virtual ~UserStore() = default;
    virtual std::optional<std::string> value(const std::string& key) = 0;
    virtual void setValue(const std::string& key, const std::string& value) = 0;
};

}  // namespace vox

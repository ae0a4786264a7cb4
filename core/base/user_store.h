#pragma once

#include <map>
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

// A per-user store that lives in memory only (dry runs and tests).
class MemoryUserStore : public UserStore {
public:
    std::optional<std::string> value(const std::string& key) override {
        auto it = values_.find(key);
        if (it == values_.end())
            return std::nullopt;
        return it->second;
    }
    void setValue(const std::string& key, const std::string& value) override {
        values_[key] = value;
    }

private:
    std::map<std::string, std::string> values_;
};

}  // namespace vox

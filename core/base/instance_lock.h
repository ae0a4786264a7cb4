#pragma once

#include <string>

namespace vox {

// One running program per program folder: an exclusive lock on a file in that folder. The lock
// goes with the process, so a crashed instance never blocks the next start.
class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False when another process holds it (or the file cannot be opened).
    bool acquire(const std::string& path);
    void release();
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace vox

#pragma once
// The service manager's side of the notification socket, for tests: a datagram socket bound to a
// path, whose notices are received one by one with a time limit (a blocking receive, no polling).

#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <optional>
#include <string>

namespace vox::testsupport {

class NotifySocket {
public:
    // Binds a socket at `path` (which must not exist, and must fit an address).
    explicit NotifySocket(std::string path) : path_(std::move(path)) {
        fd_ = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (path_.size() >= sizeof address.sun_path) {
            close(fd_);
            fd_ = -1;
            return;
        }
        std::memcpy(address.sun_path, path_.c_str(), path_.size() + 1);
        if (bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            close(fd_);
            fd_ = -1;
        }
    }
    ~NotifySocket() {
        if (fd_ >= 0)
            close(fd_);
        unlink(path_.c_str());
    }
    NotifySocket(const NotifySocket&) = delete;
    NotifySocket& operator=(const NotifySocket&) = delete;

    bool ok() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    // The environment entry that points a program at this socket.
    std::string environment() const { return "NOTIFY_SOCKET=" + path_; }

    // The next notice, waiting at most `seconds` for it; nothing when none came in that time.
    std::optional<std::string> receive(double seconds) {
        timeval limit{};
        limit.tv_sec = static_cast<time_t>(seconds);
        limit.tv_usec = static_cast<suseconds_t>(std::fmod(seconds, 1.0) * 1e6);
        if (limit.tv_sec == 0 && limit.tv_usec == 0)
            limit.tv_usec = 1;
        setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        char buffer[4096];
        const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
        if (n < 0)
            return std::nullopt;
        return std::string(buffer, static_cast<std::size_t>(n));
    }

    // Receives until a notice equal to `wanted` comes, each within `seconds`; the notices before
    // it go to `before`. False when one did not come in time.
    bool receiveUntil(const std::string& wanted, double seconds, std::string* before = nullptr) {
        for (;;) {
            const std::optional<std::string> notice = receive(seconds);
            if (!notice)
                return false;
            if (*notice == wanted)
                return true;
            if (before)
                *before += *notice + "\n";
        }
    }

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace vox::testsupport

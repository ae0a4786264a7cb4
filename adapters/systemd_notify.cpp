#include "adapters/systemd_notify.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>

namespace vox {

namespace {

// A whole decimal number and nothing else.
template <typename Int>
bool parseWhole(const char* text, Int* value) {
    if (text == nullptr)
        return false;
    const std::string_view s(text);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), *value);
    return ec == std::errc() && end == s.data() + s.size() && !s.empty();
}

}  // namespace

double watchdogSecondsFrom(const char* usec, const char* pid, pid_t self) {
    std::uint64_t micro = 0;
    if (!parseWhole(usec, &micro) || micro == 0)
        return 0;
    if (pid != nullptr && *pid != '\0') {
        long long forPid = 0;
        if (!parseWhole(pid, &forPid) || forPid != self)
            return 0;
    }
    return static_cast<double>(micro) / 1e6;
}

SystemdNotifier::SystemdNotifier(std::string socketPath, double watchdogSeconds)
    : path_(std::move(socketPath)), watchdogSeconds_(watchdogSeconds) {
    // Only a path that fits the address is used ('@' stands for the leading 0 of an abstract one).
    if (path_.empty() || path_.size() >= sizeof(sockaddr_un{}.sun_path) ||
        (path_[0] != '/' && path_[0] != '@'))
        return;
    fd_ = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
}

SystemdNotifier::~SystemdNotifier() {
    if (fd_ >= 0)
        close(fd_);
}

SystemdNotifier SystemdNotifier::fromEnvironment() {
    const char* socketPath = std::getenv("NOTIFY_SOCKET");
    return SystemdNotifier(
        socketPath ? socketPath : "",
        watchdogSecondsFrom(std::getenv("WATCHDOG_USEC"), std::getenv("WATCHDOG_PID"), getpid()));
}

void SystemdNotifier::notify(const std::string& state) {
    if (fd_ < 0)
        return;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path_.data(), path_.size());
    if (address.sun_path[0] == '@')
        address.sun_path[0] = '\0';
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path_.size());
    // A manager that has gone cannot be told anything; the program runs on regardless.
    (void)sendto(fd_, state.data(), state.size(), MSG_NOSIGNAL,
                 reinterpret_cast<const sockaddr*>(&address), length);
}

}  // namespace vox

#include "core/console/console_guard.h"

#include <algorithm>

#include "core/base/listen_address.h"
#include "core/base/text_helpers.h"
#include "core/console/form_data.h"

namespace vox {
namespace {

constexpr double kFailureWindowSeconds = 60;
constexpr std::size_t kMaxTrackedAddresses = 1024;

}  // namespace

std::string hostName(const std::string& hostHeader) {
    if (!hostHeader.empty() && hostHeader.front() == '[') {
        const std::size_t close = hostHeader.find(']');
        return close == std::string::npos ? std::string() : hostHeader.substr(1, close - 1);
    }
    return hostHeader.substr(0, hostHeader.find(':'));
}

bool sameSecret(const std::string& a, const std::string& b) {
    unsigned char diff = a.size() == b.size() ? 0 : 1;
    const std::string& longer = a.size() >= b.size() ? a : b;
    for (std::size_t i = 0; i < longer.size(); ++i) {
        const unsigned char x = i < a.size() ? static_cast<unsigned char>(a[i]) : 0;
        const unsigned char y = i < b.size() ? static_cast<unsigned char>(b[i]) : 0;
        diff |= static_cast<unsigned char>(x ^ y);
    }
    return diff == 0;
}

std::string hexText(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out.push_back(digits[c >> 4]);
        out.push_back(digits[c & 15]);
    }
    return out;
}

ConsoleGuard::ConsoleGuard(bool loopback, std::string secret, RandomBytes random)
    : loopback_(loopback), secret_(std::move(secret)), random_(std::move(random)) {
    loopbackCsrf_ = token();
}

std::string ConsoleGuard::token() {
    return hexText(random_(32));
}

Decision ConsoleGuard::refuse(Verdict verdict, const std::string& what,
                              const ConsoleRequest& request, double now) {
    Decision d{verdict, refusals_.pass("Web console: refused " + what, now)};
    if (!d.logLine.empty())
        d.logLine += " (last from " + request.peer + ")";
    return d;
}

Decision ConsoleGuard::basics(const ConsoleRequest& request, double now) {
    if (request.bodyBytes > kMaxBodyBytes)
        return refuse(Verdict::TooLarge, "a request body over 64 KiB", request, now);
    if (loopback_) {
        const std::string name = LowerAscii(hostName(request.host));
        if (name != "localhost" && !isLoopbackHost(name))
            return refuse(Verdict::Forbidden, "a request for a host that is not this machine",
                          request, now);
    }
    // Browsers name the origin of every change; it must be the page's own.
    if (request.changes && request.origin != "http://" + request.host)
        return refuse(Verdict::Forbidden, "a change from a foreign origin", request, now);
    return {};
}

const ConsoleGuard::Session* ConsoleGuard::session(const ConsoleRequest& request, double now) {
    const std::string id = cookieValue(request.cookie, kCookieName);
    if (id.empty())
        return nullptr;
    for (auto it = sessions_.begin(); it != sessions_.end(); ++it) {
        if (!sameSecret(it->first, id))
            continue;
        if (now - it->second.lastUsed > kSessionIdleSeconds) {
            sessions_.erase(it);
            return nullptr;
        }
        it->second.lastUsed = now;
        return &it->second;
    }
    return nullptr;
}

Decision ConsoleGuard::check(const ConsoleRequest& request, double now) {
    if (Decision d = basics(request, now); d.verdict != Verdict::Allow)
        return d;
    std::string csrf = loopbackCsrf_;
    if (!loopback_) {
        const Session* s = session(request, now);
        if (!s)
            return refuse(Verdict::NeedLogin, "a request without login", request, now);
        csrf = s->csrf;
    }
    if (request.changes && (request.csrf.empty() || !sameSecret(request.csrf, csrf)))
        return refuse(Verdict::Forbidden, "a change without the page's CSRF token", request, now);
    return {};
}

ConsoleGuard::Login ConsoleGuard::login(const ConsoleRequest& request, const std::string& typed,
                                        double now) {
    if (Decision d = basics(request, now); d.verdict != Verdict::Allow)
        return {d, {}};
    if (loopback_)
        return {};
    Failures& f = failures_[request.peer];
    if (now - f.windowStart >= kFailureWindowSeconds)
        f = Failures{now, 0};
    if (f.count >= kMaxFailedLogins)
        return {refuse(Verdict::TooManyLogins, "a login after 10 failed ones in a minute", request,
                       now),
                {}};
    if (secret_.empty() || !sameSecret(typed, secret_)) {
        ++f.count;
        return {refuse(Verdict::NeedLogin, "a login with a wrong secret", request, now), {}};
    }
    failures_.erase(request.peer);
    if (failures_.size() > kMaxTrackedAddresses)
        failures_.clear();
    if (sessions_.size() >= kMaxSessions) {
        auto oldest = std::min_element(
            sessions_.begin(), sessions_.end(),
            [](const auto& a, const auto& b) { return a.second.lastUsed < b.second.lastUsed; });
        sessions_.erase(oldest);
    }
    const std::string id = token();
    sessions_[id] = Session{token(), now};
    return {{}, std::string(kCookieName) + "=" + id + "; Path=/; HttpOnly; SameSite=Strict"};
}

void ConsoleGuard::logout(const ConsoleRequest& request) {
    const std::string id = cookieValue(request.cookie, kCookieName);
    if (!id.empty())
        sessions_.erase(id);
}

std::string ConsoleGuard::csrfToken(const ConsoleRequest& request) const {
    if (loopback_)
        return loopbackCsrf_;
    const auto it = sessions_.find(cookieValue(request.cookie, kCookieName));
    return it == sessions_.end() ? std::string() : it->second.csrf;
}

bool ConsoleGuard::connectionAllowed(int open, double now, std::string* logLine) {
    if (open < kMaxConnections)
        return true;
    const std::string line = refusals_.pass("Web console: refused a connection over 16", now);
    if (logLine)
        *logLine = line;
    return false;
}

}  // namespace vox

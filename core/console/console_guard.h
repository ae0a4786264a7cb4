#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>

#include "core/base/repeat_limiter.h"

namespace vox {

// What the guard needs to know of one HTTP request or WebSocket opening.
struct ConsoleRequest {
    std::string method;  // "GET", "POST", ...
    std::string path;
    std::string peer;         // the remote address, for the failed-login count and the log
    std::string host;         // the Host header
    std::string origin;       // the Origin header; empty when the browser sent none
    std::string cookie;       // the Cookie header
    std::string csrf;         // the X-CSRF-Token header
    long long bodyBytes = 0;  // the larger of Content-Length and the body received
    bool changes = false;     // the request changes something (an action, a setting, a login)
};

enum class Verdict {
    Allow,
    NeedLogin,      // 401: no valid session
    Forbidden,      // 403: wrong Host, foreign Origin, CSRF token missing or wrong
    TooLarge,       // 413: body over kMaxBodyBytes
    TooManyLogins,  // 429: too many failed logins from this address this minute
};

struct Decision {
    Verdict verdict = Verdict::Allow;
    // The line for the event log, or empty: each kind of refusal is logged once a minute at most.
    std::string logLine;
};

// The console's rules of access, without any network: which request is let through, login,
// sessions and CSRF tokens. On a loopback address nobody logs in (only this machine reaches it),
// but the Host must name this machine, so a page elsewhere cannot reach the console through a
// name it points at 127.0.0.1. Elsewhere every request but the login page needs the session
// cookie. Changes need the page's CSRF token and must name the page's own origin.
class ConsoleGuard {
public:
    static constexpr long long kMaxBodyBytes = 64 * 1024;
    static constexpr int kMaxConnections = 16;
    static constexpr int kMaxFailedLogins = 10;  // a minute, from one address
    static constexpr double kSessionIdleSeconds = 12 * 3600;
    static constexpr std::size_t kMaxSessions = 32;
    static constexpr const char* kCookieName = "vxsession";

    // random(n): n random bytes from the system's secure source.
    using RandomBytes = std::function<std::string(std::size_t)>;
    ConsoleGuard(bool loopback, std::string secret, RandomBytes random);

    bool loopback() const { return loopback_; }
    // Any request but the login itself.
    Decision check(const ConsoleRequest& request, double now);
    // The pages open without a session (the login page and its style): Host and size only.
    Decision checkOpen(const ConsoleRequest& request, double now) { return basics(request, now); }

    struct Login {
        Decision decision;
        std::string setCookie;  // the Set-Cookie header's value after a good login
    };
    // POST /login with the typed secret. The request must pass the Host/Origin/size rules too.
    Login login(const ConsoleRequest& request, const std::string& typed, double now);
    void logout(const ConsoleRequest& request);

    // The CSRF token the page of this request must send back; empty without a session.
    std::string csrfToken(const ConsoleRequest& request) const;
    // A new connection while `open` are open: false (and perhaps a log line) over the limit.
    bool connectionAllowed(int open, double now, std::string* logLine);

private:
    struct Session {
        std::string csrf;
        double lastUsed = 0;
    };
    struct Failures {
        double windowStart = 0;
        int count = 0;
    };
    Decision refuse(Verdict verdict, const std::string& what, const ConsoleRequest& request,
                    double now);
    // Host, Origin and size: the checks before anything else.
    Decision basics(const ConsoleRequest& request, double now);
    const Session* session(const ConsoleRequest& request, double now);
    std::string token();

    bool loopback_;
    std::string secret_;
    RandomBytes random_;
    std::string loopbackCsrf_;
    std::map<std::string, Session> sessions_;
    std::map<std::string, Failures> failures_;
    RepeatLimiter refusals_;
};

// The host name of a Host header ("127.0.0.1:8073" -> "127.0.0.1", "[::1]:8073" -> "::1").
std::string hostName(const std::string& hostHeader);
// Equal in constant time for texts of the same length.
bool sameSecret(const std::string& a, const std::string& b);
// Lower-case hex of bytes.
std::string hexText(const std::string& bytes);

}  // namespace vox

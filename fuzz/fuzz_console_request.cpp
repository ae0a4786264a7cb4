// The web console's access rules on the headers a stranger sends: each input line is one header
// (peer, Host, Origin, Cookie, X-CSRF-Token, the typed secret), in that order.
#include "core/console/console_guard.h"
#include "fuzz/fuzz_support.h"

using namespace vox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fuzz::textOf(data, size);
    std::string parts[6];
    std::size_t start = 0;
    for (std::string& part : parts) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (start <= text.size())
            part = text.substr(start, end - start);
        start = end + 1;
    }
    int counter = 0;
    auto random = [&counter](std::size_t n) {
        return std::string(n, static_cast<char>(++counter));
    };
    ConsoleRequest request{"POST",   "/api/press", parts[0], parts[1], parts[2],
                           parts[3], parts[4],     0,        true};
    for (bool loopback : {true, false}) {
        ConsoleGuard guard(loopback, "the-secret", random);
        const Decision d = guard.check(request, 0);
        // Off loopback nothing gets through without a session, and no session exists yet.
        fuzz::require(loopback || d.verdict != Verdict::Allow, "a change passed without login");
        const ConsoleGuard::Login login = guard.login(request, parts[5], 1);
        fuzz::require(login.setCookie.empty() || login.decision.verdict == Verdict::Allow,
                      "a refused login set a cookie");
        fuzz::require(loopback || login.setCookie.empty() || parts[5] == "the-secret",
                      "a wrong secret logged in");
        (void)guard.csrfToken(request);
    }
    return 0;
}

#include "core/base/web_fetch.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "core/base/speakable_text.h"

namespace vox {

namespace {

// A fetch never waits less than this, whatever the configuration says.
constexpr double kMinTimeoutSeconds = 0.1;

}  // namespace

WebFetcher::WebFetcher(Runtime& rt, HttpClient* http, AirLog* air, double timeoutSeconds)
    : rt_(rt), http_(http), air_(air), timeoutSeconds_(timeoutSeconds) {}

FetchResult WebFetcher::fetchText(const std::string& url) {
    FetchResult result;
    long long bytes = 0;
    try {
        result = fetch(url, bytes);
    } catch (const std::exception& e) {
        result = {false, {}, e.what()};
    } catch (...) {
        result = {false, {}, "unknown failure"};
    }
    if (!result.ok)
        result.text.clear();
    if (air_) {
        if (result.ok)
            air_->record("fetch", {{"url", url}, {"ok", true}, {"bytes", bytes}});
        else
            air_->record("fetch", {{"url", url}, {"ok", false}, {"error", result.error}});
    }
    return result;
}

FetchResult WebFetcher::refuse(const std::string& url, const std::string& why) {
    if (air_)
        air_->record("fetch", {{"url", url}, {"ok", false}, {"error", why}});
    return {false, {}, why};
}

FetchResult WebFetcher::fetch(const std::string& url, long long& bytes) {
    std::string why;
    if (!checkWebAddress(url, &why))
        return {false, {}, "bad address: " + why};
    if (!http_)
        return {false, {}, "no web access here"};

    // The reply may come after we have given up; it then finds nobody waiting.
    auto reply = std::make_shared<std::optional<HttpReply>>();
    bool timedOut = false;
    const std::uint64_t request =
        http_->start(url, kMaxReplyBytes, [reply](HttpReply r) { *reply = std::move(r); });
    const double timeout = std::max(timeoutSeconds_, kMinTimeoutSeconds);
    const std::uint64_t alarm = rt_.callAfter(timeout, [&timedOut] { timedOut = true; });
    // Timers and node events go on meanwhile; the alarm ends the wait exactly on time.
    rt_.waitWhile([&] { return !*reply && !timedOut; }, timeout);
    rt_.cancel(alarm);
    if (!*reply) {
        http_->cancel(request);
        return {false, {}, timedOut ? "timed out" : "the program is stopping"};
    }

    HttpReply& r = **reply;
    bytes = static_cast<long long>(r.body.size());
    if (!r.ok) {
        if (!r.error.empty())
            return {false, {}, r.error};
        return {false, {}, r.status ? "HTTP status " + std::to_string(r.status) : "failed"};
    }
    if (r.status >= 400)
        return {false, {}, "HTTP status " + std::to_string(r.status)};
    if (r.body.size() > kMaxReplyBytes)
        return {false, {}, "reply larger than " + std::to_string(kMaxReplyBytes) + " bytes"};
    if (r.body.empty())
        return {false, {}, "empty reply", true};
    std::string text = decodeText(r.body);
    if (text.find('\0') != std::string::npos)
        return {false, {}, "not a text document"};
    if (text.empty())
        return {false, {}, "empty reply", true};
    return {true, std::move(text), {}};
}

}  // namespace vox

#pragma once

#include <cstddef>
#include <string>

#include "core/base/air_log.h"
#include "core/base/http_client.h"
#include "core/base/runtime.h"
#include "core/base/web_conf.h"

namespace vox {

struct FetchResult {
    bool ok = false;
    std::string text;  // UTF-8
    std::string error;
    // The server answered, with nothing in the reply (a failure for a document to read).
    bool empty = false;
};

// Fetches a document as text, waiting on the event loop like every other wait: timers and node
// events keep running, and the fetch gives up after the time-out. Each fetch adds one "fetch"
// record to the air log.
class WebFetcher {
public:
    // http may be null (no web here): every fetch then fails.
    WebFetcher(Runtime& rt, HttpClient* http, AirLog* air, double timeoutSeconds);

    FetchResult fetchText(const std::string& url);
    // A fetch refused before it starts (an address the caller cannot use): recorded like a
    // failed one.
    FetchResult refuse(const std::string& url, const std::string& why);

    static constexpr std::size_t kMaxReplyBytes = 4 * 1024 * 1024;

private:
    // The fetch itself; the caller logs its outcome. bytes: the size of the reply as received.
    FetchResult fetch(const std::string& url, long long& bytes);

    Runtime& rt_;
    HttpClient* http_;
    AirLog* air_;
    double timeoutSeconds_;
};

}  // namespace vox

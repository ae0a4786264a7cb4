#pragma once

#include <cstddef>
#include <string>

#include "base/air_log.h"
#include "base/http_client.h"
#include "base/runtime.h"

namespace vox {

// Where the spoken web reports come from ("voxclock.conf" [web]).
struct WebConf {
    std::string wwvUrl = "https://services.swpc.noaa.gov/text/wwv.txt";
    std::string bulletinBaseUrl;  // empty: "rsgb/" in the program folder, as a file:// address
    std::string lookupUrl;
    double timeoutSeconds = 10;

    bool operator==(const WebConf&) const = default;
};

struct FetchResult {
    bool ok = false;
    std::string text;  // UTF-8
    std::string error;
};

// Fetches a document as text, waiting on the event loop like every other wait: timers and node
// events keep running, and the fetch gives up after the time-out. Each fetch adds one "fetch"
// record to the air log.
class WebFetcher {
public:
    // http may be null (no web here): every fetch then fails.
    WebFetcher(Runtime& rt, HttpClient* http, AirLog* air, double timeoutSeconds);

    FetchResult fetchText(const std::string& url);

    static constexpr std::size_t kMaxReplyBytes = 4 * 1024 * 1024;

private:
    Runtime& rt_;
    HttpClient* http_;
    AirLog* air_;
    double timeoutSeconds_;
};

}  // namespace vox

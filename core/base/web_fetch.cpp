#include "base/web_fetch.h"

namespace vox {

WebFetcher::WebFetcher(Runtime& rt, HttpClient* http, AirLog* air, double timeoutSeconds)
    : rt_(rt), http_(http), air_(air), timeoutSeconds_(timeoutSeconds) {}

FetchResult WebFetcher::fetchText(const std::string&) {
    return {false, {}, "not yet"};
}

}  // namespace vox

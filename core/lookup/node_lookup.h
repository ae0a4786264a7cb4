#pragma once

#include <functional>
#include <string>

#include "core/base/web_fetch.h"
#include "core/lookup/lookup_reply.h"
#include "core/lookup/lookup_request.h"

namespace vox {

// Looks a station up on the lookup page. The fetch waits on the event loop like every other
// wait, so the station's timers and node events go on meanwhile; it gives up at the web
// time-out.
class NodeLookup {
public:
    // requester: the node's own call, asked for at each lookup; it may throw (a node that does
    // not answer), which fails that lookup. logLine (if set) takes the event-log line that says
    // why a lookup failed: the window shows only "Lookup Error.".
    NodeLookup(WebFetcher& web, std::string pageUrl, std::function<std::string()> requester,
               ProgramVersion version, std::function<void(const std::string&)> logLine = {});

    LookupResult find(const std::string& callBoxText);
    bool busy() const { return busy_; }

private:
    LookupResult lookUp(const std::string& callBoxText);

    WebFetcher& web_;
    std::string pageUrl_;
    std::function<std::string()> requester_;
    ProgramVersion version_;
    std::function<void(const std::string&)> logLine_;
    bool busy_ = false;
};

}  // namespace vox

#include "core/lookup/node_lookup.h"

#include <exception>
#include <utility>

namespace vox {

NodeLookup::NodeLookup(WebFetcher& web, std::string pageUrl, std::function<std::string()> requester,
                       ProgramVersion version, std::function<void(const std::string&)> logLine)
    : web_(web),
      pageUrl_(std::move(pageUrl)),
      requester_(std::move(requester)),
      version_(version),
      logLine_(std::move(logLine)) {}

LookupResult NodeLookup::find(const std::string& callBoxText) {
    LookupResult result = lookUp(callBoxText);
    if (result.outcome == LookupOutcome::Error && logLine_)
        logLine_("Lookup Error: " + result.reason);
    return result;
}

LookupResult NodeLookup::lookUp(const std::string& callBoxText) {
    if (pageUrl_.empty())
        return lookupFailure(
            "no lookup address: set lookup_url in the [web] section of "
            "voxclock.conf");
    // Other work may run during the wait and ask again; one lookup at a time.
    if (busy_)
        return lookupFailure("a lookup is already running");
    std::string requester;
    try {
        requester = requester_ ? requester_() : std::string();
    } catch (const std::exception& e) {
        return lookupFailure(std::string("the node's call is not available: ") + e.what());
    } catch (...) {
        return lookupFailure("the node's call is not available");
    }
    busy_ = true;
    const FetchResult reply =
        web_.fetchText(lookupRequestUrl(pageUrl_, callBoxText, requester, version_));
    busy_ = false;
    // A server that answers with nothing knows no such station: a reply without a section.
    if (!reply.ok && reply.empty)
        return parseLookupReply({});
    if (!reply.ok)
        return lookupFailure(reply.error);
    return parseLookupReply(reply.text);
}

}  // namespace vox

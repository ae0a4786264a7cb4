#include "lookup/node_lookup.h"

#include <exception>
#include <utility>

namespace vox {

NodeLookup::NodeLookup(WebFetcher& web, std::string pageUrl, std::function<std::string()> requester,
                       ProgramVersion version)
    : web_(web),
      pageUrl_(std::move(pageUrl)),
      requester_(std::move(requester)),
      version_(version) {}

LookupResult NodeLookup::find(const std::string& callBoxText) {
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
    if (!reply.ok)
        return lookupFailure(reply.error);
    return parseLookupReply(reply.text);
}

}  // namespace vox

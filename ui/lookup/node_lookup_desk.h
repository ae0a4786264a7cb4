#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QPointer>

#include "core/base/web_fetch.h"
#include "core/lookup/node_lookup.h"
#include "ui/lookup/node_lookup_window.h"

class QWidget;

namespace vox {

// The desktop's node lookup: one window at a time, its requests through the station's web
// access, so they wait like the station's own fetches and show in the air log.
class NodeLookupDesk {
public:
    // requester: the node's call, asked for at each lookup; logLine: the event log, told why a
    // lookup failed.
    NodeLookupDesk(WebFetcher& web, std::string lookupUrl, std::function<std::string()> requester,
                   ProgramVersion version, std::function<void(const std::string&)> logLine = {});
    ~NodeLookupDesk();

    // Opens the window (modeless, owned by parent) or brings the open one forward.
    NodeLookupWindow* show(QWidget* parent);
    NodeLookupWindow* window() const { return window_; }

private:
    NodeLookup lookup_;
    QPointer<NodeLookupWindow> window_;
};

}  // namespace vox

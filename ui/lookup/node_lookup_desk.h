#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QPointer>

#include "base/runtime.h"
#include "base/web_conf.h"
#include "lookup/node_lookup.h"
#include "node_lookup_window.h"

class QWidget;

namespace vox {

class QtHttpClient;

// The desktop's node lookup: one window at a time, its requests through a web client of its own
// (made at the first lookup window, so a program that never looks anything up starts no
// thread). Must go before the event loop of rt.
class NodeLookupDesk {
public:
    // requester: the node's call, asked for at each lookup.
    NodeLookupDesk(Runtime& rt, WebConf web, std::function<std::string()> requester,
                   ProgramVersion version);
    ~NodeLookupDesk();

    // Opens the window (modeless, owned by parent) or brings the open one forward.
    NodeLookupWindow* show(QWidget* parent);
    NodeLookupWindow* window() const { return window_; }

private:
    Runtime& rt_;
    WebConf web_;
    std::function<std::string()> requester_;
    ProgramVersion version_;
    std::unique_ptr<QtHttpClient> http_;
    std::unique_ptr<WebFetcher> fetcher_;
    std::unique_ptr<NodeLookup> lookup_;
    QPointer<NodeLookupWindow> window_;
};

}  // namespace vox

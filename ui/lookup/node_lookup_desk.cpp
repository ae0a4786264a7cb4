#include "ui/lookup/node_lookup_desk.h"

#include <utility>

namespace vox {

NodeLookupDesk::NodeLookupDesk(WebFetcher& web, std::string lookupUrl,
                               std::function<std::string()> requester, ProgramVersion version,
                               std::function<void(const std::string&)> logLine)
    : lookup_(web, std::move(lookupUrl), std::move(requester), version, std::move(logLine)) {}

NodeLookupDesk::~NodeLookupDesk() {
    // The window's lookup calls into what goes here.
    delete window_;
}

NodeLookupWindow* NodeLookupDesk::show(QWidget* parent) {
    if (!window_)
        window_ = new NodeLookupWindow(
            [this](const std::string& call) { return lookup_.find(call); }, parent);
    window_->show();
    window_->raise();
    window_->activateWindow();
    return window_;
}

}  // namespace vox

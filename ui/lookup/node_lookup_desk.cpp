#include "node_lookup_desk.h"

#include <utility>

#include "qt_http_client.h"

namespace vox {

NodeLookupDesk::NodeLookupDesk(Runtime& rt, WebConf web, std::function<std::string()> requester,
                               ProgramVersion version)
    : rt_(rt), web_(std::move(web)), requester_(std::move(requester)), version_(version) {}

NodeLookupDesk::~NodeLookupDesk() {
    // The window's lookup calls into what goes here.
    delete window_;
}

NodeLookupWindow* NodeLookupDesk::show(QWidget* parent) {
    if (!lookup_) {
        http_ = std::make_unique<QtHttpClient>(rt_.loop(), web_.timeoutSeconds);
        fetcher_ = std::make_unique<WebFetcher>(rt_, http_.get(), nullptr, web_.timeoutSeconds);
        lookup_ = std::make_unique<NodeLookup>(*fetcher_, web_.lookupUrl, requester_, version_);
    }
    if (!window_)
        window_ = new NodeLookupWindow(
            [this](const std::string& call) { return lookup_->find(call); }, parent);
    window_->show();
    window_->raise();
    window_->activateWindow();
    return window_;
}

}  // namespace vox

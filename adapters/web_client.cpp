#include "adapters/web_client.h"

#include "adapters/qt_http_client.h"

namespace vox {

WebClient::WebClient(EventLoop& loop, double timeoutSeconds)
    : loop_(loop), timeoutSeconds_(timeoutSeconds) {}

WebClient::~WebClient() = default;

std::uint64_t WebClient::start(const std::string& url, std::size_t maxBytes,
                               std::function<void(HttpReply)> done) {
    if (!client_)
        client_ = std::make_unique<QtHttpClient>(loop_, timeoutSeconds_);
    return client_->start(url, maxBytes, std::move(done));
}

void WebClient::cancel(std::uint64_t id) {
    if (client_)
        client_->cancel(id);
}

}  // namespace vox

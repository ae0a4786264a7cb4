#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/base/event_loop.h"
#include "core/base/http_client.h"

namespace vox {

// The web port, loaded when first asked: Qt Network and the thread of its requests
// (qt_http_client.h) come from the voxclock-web module at the first request, so a program that
// fetches nothing never loads them. Without the module, every request fails with the reason.
// Needs a Qt application object by the first request; must go before the event loop.
class WebClient : public HttpClient {
public:
    WebClient(EventLoop& loop, double timeoutSeconds);
    ~WebClient() override;
    WebClient(const WebClient&) = delete;
    WebClient& operator=(const WebClient&) = delete;

    std::uint64_t start(const std::string& url, std::size_t maxBytes,
                        std::function<void(HttpReply)> done) override;
    void cancel(std::uint64_t id) override;

private:
    EventLoop& loop_;
    double timeoutSeconds_;
    std::unique_ptr<HttpClient> client_;
    std::string error_;  // why the module could not be loaded
    std::uint64_t failedId_ = 0;
};

}  // namespace vox

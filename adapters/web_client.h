#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/base/event_loop.h"
#include "core/base/http_client.h"

namespace vox {

// The web port, made when first asked: the Qt Network client and the thread of its requests
// (qt_http_client.h) are made at the first request, so a program that fetches nothing never
// runs them. Needs a Qt application object by the first request; must go before the event loop.
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
};

}  // namespace vox

#include "adapters/web_client.h"

#include <limits>

#include "adapters/module_loader.h"

namespace vox {

WebClient::WebClient(EventLoop& loop, double timeoutSeconds)
    : loop_(loop), timeoutSeconds_(timeoutSeconds) {}

WebClient::~WebClient() = default;

std::uint64_t WebClient::start(const std::string& url, std::size_t maxBytes,
                               std::function<void(HttpReply)> done) {
    if (!client_ && error_.empty()) {
        using Entry = HttpClient* (*)(EventLoop*, double);
        auto entry = reinterpret_cast<Entry>(
            loadModuleEntry("voxclock-web", "voxclock_web_client", &error_));
        if (entry)
            client_.reset(entry(&loop_, timeoutSeconds_));
        else if (error_.empty())
            error_ = "cannot load voxclock-web.so";
    }
    if (client_)
        return client_->start(url, maxBytes, std::move(done));
    // Ids of their own, counting down, so they never meet the module's.
    const std::uint64_t id = std::numeric_limits<std::uint64_t>::max() - failedId_++;
    HttpReply reply;
    reply.error = error_;
    done(std::move(reply));
    return id;
}

void WebClient::cancel(std::uint64_t id) {
    if (client_)
        client_->cancel(id);
}

}  // namespace vox

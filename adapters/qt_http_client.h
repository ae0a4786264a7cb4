#pragma once

#include <QThread>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "core/base/event_loop.h"
#include "core/base/http_client.h"

namespace vox {

// The web port on Qt Network. Requests run on a thread of their own, so a transfer goes on
// whatever the behaviour thread does: wait in the Qt loop (the real-time programs) or in virtual
// time (simulate, tests). Each result comes back through the event loop. A request in flight
// counts as outside work, so virtual time stands still until it ends: a fetch takes no virtual
// time. Needs a Qt application object; must go before the event loop it posts to.
class QtHttpClient : public HttpClient {
public:
    // A request that has not ended timeoutSeconds after it started (real time) fails with
    // "timed out".
    QtHttpClient(EventLoop& loop, double timeoutSeconds);
    ~QtHttpClient() override;
    QtHttpClient(const QtHttpClient&) = delete;
    QtHttpClient& operator=(const QtHttpClient&) = delete;

    std::uint64_t start(const std::string& url, std::size_t maxBytes,
                        std::function<void(HttpReply)> done) override;
    void cancel(std::uint64_t id) override;

    // Callbacks of the requests not yet answered, by id. Behaviour thread only.
    using Waiting = std::map<std::uint64_t, std::function<void(HttpReply)>>;

private:
    class Worker;

    EventLoop& loop_;
    std::shared_ptr<Waiting> waiting_;
    std::uint64_t nextId_ = 1;
    QThread thread_;
    Worker* worker_;
};

}  // namespace vox

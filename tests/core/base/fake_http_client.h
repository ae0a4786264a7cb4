#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/base/http_client.h"
#include "core/base/runtime.h"

namespace vox {

// A web in virtual time: each address known to it answers after a delay; any other address
// never answers at all.
class FakeHttpClient : public HttpClient {
public:
    explicit FakeHttpClient(Runtime& rt) : rt_(rt) {}

    void answer(const std::string& url, HttpReply reply, double afterSeconds = 0.5) {
        table_[url] = {std::move(reply), afterSeconds};
    }
    // A document served with status 200.
    void serve(const std::string& url, const std::string& body, double afterSeconds = 0.5) {
        answer(url, HttpReply{true, 200, body, {}}, afterSeconds);
    }

    std::uint64_t start(const std::string& url, std::size_t maxBytes,
                        std::function<void(HttpReply)> done) override {
        const std::uint64_t id = nextId_++;
        requested.push_back(url);
        lastMaxBytes = maxBytes;
        const auto it = table_.find(url);
        if (it == table_.end()) {
            open_[id] = 0;
            return id;
        }
        open_[id] = rt_.callAfter(it->second.after, [this, id, reply = it->second.reply, done] {
            open_.erase(id);
            done(reply);
        });
        return id;
    }

    void cancel(std::uint64_t id) override {
        const auto it = open_.find(id);
        if (it == open_.end())
            return;
        if (it->second)
            rt_.cancel(it->second);
        open_.erase(it);
        ++cancelled;
    }

    std::vector<std::string> requested;
    std::size_t lastMaxBytes = 0;
    int cancelled = 0;
    // Requests neither answered nor cancelled.
    std::size_t inFlight() const { return open_.size(); }

private:
    struct Entry {
        HttpReply reply;
        double after = 0;
    };
    Runtime& rt_;
    std::map<std::string, Entry> table_;
    std::map<std::uint64_t, std::uint64_t> open_;  // request id -> the call that answers it
    std::uint64_t nextId_ = 1;
};

}  // namespace vox

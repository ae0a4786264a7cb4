#pragma once

// A web that answers every request at once with the same document: the fuzz input, as a server
// would send it.

#include <string>

#include "core/base/http_client.h"

namespace vox::fuzz {

class InstantWeb : public HttpClient {
public:
    explicit InstantWeb(std::string body) : body_(std::move(body)) {}

    std::uint64_t start(const std::string&, std::size_t maxBytes,
                        std::function<void(HttpReply)> done) override {
        if (body_.size() > maxBytes)
            done(HttpReply{false, 200, {}, "reply too large"});
        else
            done(HttpReply{true, 200, body_, {}});
        return ++requests_;
    }
    void cancel(std::uint64_t) override {}

private:
    std::string body_;
    std::uint64_t requests_ = 0;
};

}  // namespace vox::fuzz

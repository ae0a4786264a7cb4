#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace vox {

// What a GET came back with. ok only for a whole reply with a success status; error says why not.
struct HttpReply {
    bool ok = false;
    int status = 0;  // the HTTP status; 0 for file:// addresses and for failures before a reply
    std::string body;
    std::string error;
};

// The web, as the core sees it: GET requests for http://, https:// and file:// addresses.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    // Starts a GET. `done` runs once on the behaviour thread, from the event loop (or before
    // start returns), unless the request is cancelled first. A reply longer than maxBytes fails.
    virtual std::uint64_t start(const std::string& url, std::size_t maxBytes,
                                std::function<void(HttpReply)> done) = 0;
    // Abandons a request; its `done` never runs. Unknown or finished ids are ignored.
    virtual void cancel(std::uint64_t id) = 0;
};

}  // namespace vox

#pragma once

#include <string>

namespace vox {

// Where the web console listens: "127.0.0.1:8073", "[::1]:8073", "0.0.0.0:8073", ":8073" (every
// address). An empty text turns the console off.
struct ListenAddress {
    std::string host;  // numeric IPv4 or IPv6 (without brackets); empty: every address
    int port = 0;      // 1..65535

    bool operator==(const ListenAddress&) const = default;
};

// False with the reason for a text that is not host:port with a numeric host.
bool parseListenAddress(const std::string& text, ListenAddress* out, std::string* why = nullptr);

// True when only this machine can reach the address: 127.x.x.x or ::1.
bool isLoopbackHost(const std::string& host);

}  // namespace vox

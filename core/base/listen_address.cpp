#include "core/base/listen_address.h"

#include <charconv>

namespace vox {
namespace {

bool fail(std::string* why, const std::string& reason) {
    if (why)
        *why = reason;
    return false;
}

bool isIpv4(const std::string& host) {
    int parts = 0;
    std::size_t i = 0;
    while (i <= host.size()) {
        const std::size_t dot = host.find('.', i);
        const std::size_t end = dot == std::string::npos ? host.size() : dot;
        if (end == i || end - i > 3)
            return false;
        int v = 0;
        const auto [p, ec] = std::from_chars(host.data() + i, host.data() + end, v);
        if (ec != std::errc() || p != host.data() + end || v > 255)
            return false;
        ++parts;
        if (dot == std::string::npos)
            break;
        i = dot + 1;
    }
    return parts == 4;
}

bool isIpv6(const std::string& host) {
    if (host.size() < 2 || host.size() > 45 || host.find(':') == std::string::npos)
        return false;
    for (char c : host)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') ||
              c == ':' || c == '.'))
            return false;
    return true;
}

}  // namespace

bool parseListenAddress(const std::string& text, ListenAddress* out, std::string* why) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos)
        return fail(why, "no ':port'");
    std::string host = text.substr(0, colon);
    const std::string portText = text.substr(colon + 1);
    int port = 0;
    const auto [p, ec] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
    if (portText.empty() || ec != std::errc() || p != portText.data() + portText.size() ||
        port < 1 || port > 65535)
        return fail(why, "the port is not a number from 1 to 65535");
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
        if (!isIpv6(host))
            return fail(why, "not a numeric IPv6 address between [ ]");
    } else if (!host.empty() && !isIpv4(host)) {
        return fail(why, "the host is not a numeric IPv4 address or [IPv6] address");
    }
    if (out)
        *out = ListenAddress{host, port};
    return true;
}

bool isLoopbackHost(const std::string& host) {
    return host == "::1" || (host.rfind("127.", 0) == 0 && isIpv4(host));
}

}  // namespace vox

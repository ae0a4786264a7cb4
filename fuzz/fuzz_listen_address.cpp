// [web_ui] listen in voxclock.conf: host:port.
#include "core/base/listen_address.h"
#include "fuzz/fuzz_support.h"

using namespace vox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fuzz::textOf(data, size);
    ListenAddress address;
    if (parseListenAddress(text, &address)) {
        fuzz::require(address.port >= 1 && address.port <= 65535, "a port out of range");
        fuzz::require(address.host.find_first_of(" \t\r\n/") == std::string::npos,
                      "a host with a blank or a slash");
    }
    (void)isLoopbackHost(text);
    return 0;
}

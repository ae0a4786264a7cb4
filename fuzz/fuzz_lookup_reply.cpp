// A node lookup's reply, fetched from the web as the lookup window fetches it: decoded as text,
// then read into what the window and the command line show.
#include "core/base/virtual_time.h"
#include "core/base/web_fetch.h"
#include "core/lookup/lookup_reply.h"
#include "core/lookup/node_lookup.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/instant_web.h"

using namespace vox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VirtualClock clock({2026, 12, 10, 12, 0, 0, 0});
    VirtualEventLoop loop(clock);
    Runtime rt(clock, loop);
    fuzz::InstantWeb http(fuzz::textOf(data, size));
    WebFetcher web(rt, &http, nullptr, 10);
    NodeLookup lookup(web, "https://example.org/lookup.php", [] { return "N0CALL-L"; }, {1, 0, 0});

    const LookupResult result = lookup.find("W1AW-L");
    fuzz::require(!result.text.empty(), "a lookup always shows something");
    if (result.outcome == LookupOutcome::Found) {
        for (char c : result.text)
            fuzz::require(static_cast<unsigned char>(c) >= ' ' || c == '\n',
                          "no control character from the server is shown");
    }
    fuzz::require((result.outcome == LookupOutcome::Error) == (result.text == kLookupErrorText),
                  "the error text exactly for an error");

    // The reply as it came, without the fetch's decoding.
    (void)parseLookupReply(fuzz::textOf(data, size));
    return 0;
}

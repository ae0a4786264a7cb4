// A lookup over the web port in virtual time: the wait lets the station run on.
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/base/virtual_time.h"
#include "core/lookup/node_lookup.h"
#include "tests/core/base/fake_http_client.h"

namespace vox {
namespace {

const std::string kPage = "https://lookup.example/echolink/vqsearch.cfm";
const std::string kError = "Lookup Error.\nPlease notify QZ9Z of the call you were looking for.";

struct LookupRig {
    explicit LookupRig(std::string page = kPage)
        : clock(LocalTime{2026, 12, 10, 12, 0, 0, 0}),
          loop(clock),
          rt(clock, loop),
          http(rt),
          web(rt, &http, nullptr, 10),
          lookup(
              web, std::move(page), [this] { return requester(); }, {1, 2, 3},
              [this](const std::string& line) { logged.push_back(line); }) {}

    std::string url(const std::string& call) const {
        return kPage + "?node=" + call + "&req=N0CALL-L-(1.2.3)";
    }

    VirtualClock clock;
    VirtualEventLoop loop;
    Runtime rt;
    FakeHttpClient http;
    WebFetcher web;
    std::function<std::string()> requester = [] { return std::string("N0CALL-L"); };
    std::vector<std::string> logged;  // the event-log lines
    NodeLookup lookup;
};

TEST(NodeLookup, TimersTickWhileItWaitsAndItGivesUpAtTheTimeOut) {
    LookupRig rig;
    rig.http.serve(rig.url("W1AW"), "[USER]W1AW|1|Newington|now[/USER]", 3.0);
    int ticks = 0;
    Timer& clock = rig.rt.addTimer("tMain", 1000, [&] { ++ticks; });
    clock.setEnabled(true);

    double start = rig.rt.now();
    LookupResult r = rig.lookup.find("W1AW");
    EXPECT_EQ(r.outcome, LookupOutcome::Found);
    EXPECT_EQ(rig.rt.now() - start, 3.0);
    EXPECT_EQ(ticks, 3) << "the station's timer kept ticking during the lookup";

    // A server that never answers: the web time-out ends the wait with the error text.
    start = rig.rt.now();
    r = rig.lookup.find("K1ABC");
    EXPECT_EQ(r.outcome, LookupOutcome::Error);
    EXPECT_EQ(r.text, kError);
    EXPECT_EQ(r.reason, "timed out");
    EXPECT_EQ(rig.rt.now() - start, 10.0);
    EXPECT_EQ(ticks, 13);
    EXPECT_EQ(rig.http.inFlight(), 0u);
    EXPECT_FALSE(rig.lookup.busy());
}

TEST(NodeLookup, EveryFailureGivesTheErrorTextAndAReason) {
    const struct {
        const char* what;
        HttpReply reply;
        std::string reason;
    } cases[] = {
        {"server error", HttpReply{false, 500, "", "HTTP 500 Internal Server Error"},
         "HTTP 500 Internal Server Error"},
        {"closed at once", HttpReply{false, 0, "", "connection closed"}, "connection closed"},
        {"10 MB", HttpReply{true, 200, std::string(10 * 1024 * 1024, 'x'), ""},
         "reply larger than 4194304 bytes"},
        {"section never closed", HttpReply{true, 200, "[LINK]W1AW-L|4000", ""},
         "[LINK] without [/LINK]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LookupRig rig;
        rig.http.answer(rig.url("W1AW"), c.reply);
        const LookupResult r = rig.lookup.find("W1AW");
        EXPECT_EQ(r.outcome, LookupOutcome::Error);
        EXPECT_EQ(r.text, kError);
        EXPECT_EQ(r.reason, c.reason);
        EXPECT_EQ(rig.logged, std::vector<std::string>{"Lookup Error: " + c.reason});
    }
}

// A server that answers with nothing has no section for the call: not found, and nothing logged.
TEST(NodeLookup, AnEmptyReplyIsNotFound) {
    for (const std::string& body : {std::string(), std::string("\xef\xbb\xbf")}) {
        LookupRig rig;
        rig.http.answer(rig.url("W1AW"), HttpReply{true, 200, body, ""});
        const LookupResult r = rig.lookup.find("W1AW");
        EXPECT_EQ(r.outcome, LookupOutcome::NotFound);
        EXPECT_EQ(r.text, "\nEchoLink Info Not Found.");
        EXPECT_TRUE(rig.logged.empty());
    }
}

TEST(NodeLookup, ReadsOtherEncodingsAndSendsTheCallEncoded) {
    LookupRig rig;
    // Windows-1252 "ü" and UTF-16 with its byte-order mark.
    rig.http.serve(rig.url("DL1ABC"), "[USER]DL1ABC|5|Z\xfcrich|gestern[/USER]");
    std::string utf16 = "\xff\xfe";
    for (const char c : std::string("[link]K1|2|Town|now[/link]"))
        utf16 += std::string{c, '\0'};
    rig.http.serve(rig.url("K1"), utf16);
    rig.http.serve(rig.url("A%26B%20C"), "[USER]A&B C|9|x|y[/USER]");

    EXPECT_EQ(rig.lookup.find("DL1ABC").text,
              "\nEchoLink Call: DL1ABC\nEchoLink Node Number: 5\nEchoLink Location: "
              "Z\xc3\xbcrich\nNode Last Heard: gestern\n");
    EXPECT_EQ(rig.lookup.find("K1-L").outcome, LookupOutcome::Found);
    EXPECT_EQ(rig.lookup.find(" A&B C ").outcome, LookupOutcome::Found);
    EXPECT_EQ(rig.http.requested.back(), rig.url("A%26B%20C"));
}

TEST(NodeLookup, NoAddressOrNoRequesterFailsBeforeAnyFetch) {
    LookupRig unset("");
    LookupResult r = unset.lookup.find("W1AW");
    EXPECT_EQ(r.outcome, LookupOutcome::Error);
    EXPECT_EQ(r.text, kError);
    EXPECT_EQ(r.reason, "no lookup address: set lookup_url in the [web] section of voxclock.conf");

    LookupRig rig;
    rig.requester = []() -> std::string { throw std::runtime_error("EchoLink is not running"); };
    r = rig.lookup.find("W1AW");
    EXPECT_EQ(r.outcome, LookupOutcome::Error);
    EXPECT_EQ(r.reason, "the node's call is not available: EchoLink is not running");
    EXPECT_EQ(unset.logged, std::vector<std::string>{"Lookup Error: no lookup address: set "
                                                     "lookup_url in the [web] section of "
                                                     "voxclock.conf"});
    EXPECT_EQ(rig.logged, std::vector<std::string>{"Lookup Error: the node's call is not "
                                                   "available: EchoLink is not running"});
    EXPECT_TRUE(unset.http.requested.empty());
    EXPECT_TRUE(rig.http.requested.empty());
}

// Work that runs during the wait (a timer tick) and asks for a lookup itself is refused rather
// than starting a second wait inside the first.
TEST(NodeLookup, OneLookupAtATime) {
    LookupRig rig;
    rig.http.serve(rig.url("W1AW"), "[USER]W1AW|1|2|3[/USER]", 2.0);
    LookupResult inner;
    rig.rt.callAfter(1.0, [&] { inner = rig.lookup.find("K1ABC"); });
    EXPECT_EQ(rig.lookup.find("W1AW").outcome, LookupOutcome::Found);
    EXPECT_EQ(inner.reason, "a lookup is already running");
    EXPECT_EQ(rig.http.requested.size(), 1u);
}

}  // namespace
}  // namespace vox

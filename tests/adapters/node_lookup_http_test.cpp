// The node lookup over Qt Network against a server of the test's own on 127.0.0.1.
#include <gtest/gtest.h>

#include "adapters/qt_http_client.h"
#include "core/base/virtual_time.h"
#include "core/base/web_fetch.h"
#include "core/lookup/node_lookup.h"
#include "tests/adapters/local_http_server.h"

namespace vox {
namespace {

const std::string kError = "Lookup Error.\nPlease notify QZ9Z of the call you were looking for.";
const char* const kPage = "/echolink/vqsearch.cfm";

std::string query(const std::string& call) {
    return std::string(kPage) + "?node=" + call + "&req=N0CALL-L-(1.0.0)";
}

struct HttpLookupRig {
    explicit HttpLookupRig(const LocalServer& server, double timeoutSeconds = 5)
        : clock(LocalTime{2026, 12, 10, 12, 0, 0, 0}),
          loop(clock),
          rt(clock, loop),
          http(loop, timeoutSeconds),
          web(rt, &http, nullptr, timeoutSeconds),
          lookup(web, server.url(kPage), [] { return std::string("N0CALL-L"); }, {1, 0, 0}) {}

    VirtualClock clock;
    VirtualEventLoop loop;
    Runtime rt;
    QtHttpClient http;
    WebFetcher web;
    NodeLookup lookup;
};

TEST(NodeLookupOverHttp, EachReplyFromTheServerAndACallWithAnAmpersand) {
    LocalServer server;
    auto ok = [](const QByteArray& body) { return LocalServer::response("200 OK", body); };
    server.route(query("W1AW"), ok("<p>[USER]W1AW|123|Newington|now[/USER]\n"
                                   "[LINK]W1AW-L|4000|Newington, CT|12:00[/LINK]</p>"));
    server.route(query("K1ABC"), ok("[user]K1ABC|55|Town[/user]"));
    server.route(query("N0NE"), ok("<p>no such call</p>"));
    server.route(query("BROKEN"), ok("[LINK]BROKEN-L|1|2|3"));
    // Only the encoded request finds its answer: a bare "&" would have split the call.
    server.route(query("A%26B%20C"), ok("[USER]A&B C|9|Here|Now[/USER]"));
    server.route(query("GONE"), QByteArray());
    server.route(query("DOWN"), LocalServer::response("503 Service Unavailable", "busy"));
    const struct {
        const char* call;
        LookupOutcome outcome;
        std::string text;
    } cases[] = {
        {"W1AW", LookupOutcome::Found,
         "\nEchoLink Call: W1AW\nEchoLink Node Number: 123\nEchoLink Location: Newington\nNode "
         "Last Heard: now\n\nEchoLink Call: W1AW-L\nEchoLink Node Number: 4000\nEchoLink "
         "Location: Newington, CT\nNode Last Heard: 12:00\n"},
        {"K1ABC-L", LookupOutcome::Found,
         "\nEchoLink Call: K1ABC\nEchoLink Node Number: 55\nEchoLink Location: Town\nNode Last "
         "Heard: Town\n"},
        {"N0NE", LookupOutcome::NotFound, "\nEchoLink Info Not Found."},
        {"BROKEN", LookupOutcome::Error, kError},
        {"A&B C", LookupOutcome::Found,
         "\nEchoLink Call: A&B C\nEchoLink Node Number: 9\nEchoLink Location: Here\nNode Last "
         "Heard: Now\n"},
        {"GONE", LookupOutcome::Error, kError},
        {"DOWN", LookupOutcome::Error, kError},
    };
    HttpLookupRig rig(server);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        const LookupResult r = rig.lookup.find(c.call);
        EXPECT_EQ(r.outcome, c.outcome) << r.reason;
        EXPECT_EQ(r.text, c.text);
    }
}

// A server that takes the request and never answers: the short time-out ends the lookup.
TEST(NodeLookupOverHttp, ASilentServerEndsAtTheTimeOut) {
    LocalServer server;
    HttpLookupRig rig(server, 0.3);
    const LookupResult r = rig.lookup.find("W1AW");
    EXPECT_EQ(r.outcome, LookupOutcome::Error);
    EXPECT_EQ(r.text, kError);
    EXPECT_EQ(r.reason, "timed out");
}

}  // namespace
}  // namespace vox

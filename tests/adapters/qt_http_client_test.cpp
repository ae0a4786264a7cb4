// The Qt Network web port against a server of the test's own on 127.0.0.1, driven from virtual
// time: a transfer takes real time but no virtual time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "adapters/qt_http_client.h"
#include "adapters/qt_runtime.h"
#include "core/base/virtual_time.h"
#include "core/base/web_fetch.h"
#include "core/dtmf/spoken_reports.h"
#include "tests/adapters/local_http_server.h"
#include "tests/core/parts/part_rig.h"

namespace vox {
namespace {

struct VirtualRig {
    VirtualRig() : clock(LocalTime{2026, 12, 10, 12, 0, 0, 0}), loop(clock), rt(clock, loop) {}
    VirtualClock clock;
    VirtualEventLoop loop;
    Runtime rt;
};

HttpReply get(Runtime& rt, HttpClient& client, const std::string& url, std::size_t maxBytes) {
    std::optional<HttpReply> reply;
    client.start(url, maxBytes, [&](HttpReply r) { reply = std::move(r); });
    rt.waitWhile([&] { return !reply; });
    return reply.value_or(HttpReply{});
}

TEST(QtHttpClient, AnswersEachKindOfReplyWithoutVirtualTimePassing) {
    LocalServer server;
    const QByteArray big(5000, 'x');
    server.route("/doc", LocalServer::response("200 OK", "Solar flux 69\n"));
    server.route("/old", LocalServer::response("301 Moved Permanently", "", "Location: /doc\r\n"));
    server.route("/missing", LocalServer::response("404 Not Found", "no such page"));
    server.route("/broken", LocalServer::response("500 Internal Server Error", "oops"));
    server.route("/big", LocalServer::response("200 OK", big));
    server.route("/big-unsized", LocalServer::response("200 OK", big, "", false));
    const struct {
        const char* path;
        bool ok;
        int status;
        std::string body;  // when ok
        std::string error;
    } cases[] = {
        {"/doc", true, 200, "Solar flux 69\n", ""},
        {"/old", true, 200, "Solar flux 69\n", ""},
        {"/missing", false, 404, "", "HTTP 404 Not Found"},
        {"/broken", false, 500, "", "HTTP 500 Internal Server Error"},
        {"/big", false, 200, "", "reply larger than 1000 bytes"},
        {"/big-unsized", false, 0, "", "reply larger than 1000 bytes"},
    };
    VirtualRig v;
    QtHttpClient client(v.loop, 10);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const double start = v.rt.now();
        const HttpReply r = get(v.rt, client, server.url(c.path), 1000);
        EXPECT_EQ(r.ok, c.ok);
        if (c.status) {
            EXPECT_EQ(r.status, c.status);
        }
        EXPECT_EQ(r.ok ? r.body : r.error, c.ok ? c.body : c.error);
        EXPECT_EQ(v.rt.now(), start) << "a fetch takes no virtual time";
    }
}

TEST(QtHttpClient, ReadsFilesWhateverTheirFolderIsCalled) {
    TempFolder dir;
    const std::filesystem::path folder = std::filesystem::path(dir.path) / "my rsgb #1";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "63.xml", std::ios::binary) << "<xml>news</xml>";
    VirtualRig v;
    QtHttpClient client(v.loop, 10);
    const HttpReply found = get(v.rt, client, "file://" + folder.string() + "/63.xml", 1000);
    EXPECT_TRUE(found.ok) << found.error;
    EXPECT_EQ(found.body, "<xml>news</xml>");
    const HttpReply missing = get(v.rt, client, "file://" + folder.string() + "/64.xml", 1000);
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.empty());
    const HttpReply tooBig = get(v.rt, client, "file://" + folder.string() + "/63.xml", 5);
    EXPECT_EQ(tooBig.error, "reply larger than 5 bytes");
}

// A server that never answers: the client's own time-out (real time) ends the request. A
// cancelled request never reports, and virtual time goes on without it.
TEST(QtHttpClient, GivesUpOnASilentServerAndForgetsACancelledRequest) {
    LocalServer server;
    VirtualRig v;
    QtHttpClient client(v.loop, 0.3);
    const double start = v.rt.now();
    const HttpReply r = get(v.rt, client, server.url("/silent"), 1000);
    EXPECT_EQ(r.error, "timed out");
    EXPECT_EQ(v.rt.now(), start);

    bool reported = false;
    const auto id = client.start(server.url("/silent"), 1000, [&](HttpReply) { reported = true; });
    client.cancel(id);
    v.rt.waitUntil(v.rt.now() + 5);
    EXPECT_FALSE(reported);
    EXPECT_EQ(get(v.rt, client, "gopher://127.0.0.1/x", 1000).error,
              "not an http://, https:// or file:// address");
}

// The real-time programs wait in the Qt loop: the reply wakes the wait there.
TEST(QtHttpClient, AFetchUnderTheQtLoop) {
    LocalServer server;
    server.route("/wwv.txt", LocalServer::response("200 OK", "Solar flux 69\n"));
    SystemClock clock;
    QtEventLoop loop(clock);
    Runtime rt(clock, loop);
    QtHttpClient client(loop, 5);
    WebFetcher web(rt, &client, nullptr, 5);
    const FetchResult r = web.fetchText(server.url("/wwv.txt"));
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.text, "Solar flux 69\n");
}

// The whole way: a DTMF bulletin request fetched from the local server through the fetcher and
// spoken, and a missing bulletin answered with the apology.
TEST(QtHttpClient, ABulletinFromALocalServerIsReadOnTheAir) {
    LocalServer server;
    server.route("/rsgb/63.xml",
                 LocalServer::response("200 OK",
                                       "<doc><xml><hamvoice>TTSHamVoice123456789</hamvoice> "
                                       "Here is the news</xml></doc>",
                                       "Content-Type: application/xml\r\n"));
    server.route("/rsgb/64.xml", LocalServer::response("404 Not Found", ""));
    PartRig rig;
    rig.settings.WxNodeCall = "November Zero Call";
    QtHttpClient client(rig.loop, 5);
    WebFetcher web(rig.rt, &client, &rig.air, 10);
    struct EveningPeers : SpokenReportsPeers {
        explicit EveningPeers(SharedState& state) : state(state) {}
        void sendStationId() override { ++identifications; }
        void buildGreeting() override { state.GreetingText = "Good evening."; }
        SharedState& state;
        int identifications = 0;
    } peers(rig.state);
    const int& identifications = peers.identifications;
    SpokenReports reports(rig.context(), web, peers);

    reports.SpeakBulletin(server.url("/rsgb/"), "63");
    EXPECT_EQ(rig.linesWith(R"("ev":"fetch","url":")" + server.url("/rsgb/63.xml") +
                            R"(","ok":true,"bytes":80})")
                  .size(),
              1u);
    EXPECT_EQ(rig.linesWith("<xml><xml>Good evening. Here is the news. This is November Zero "
                            "Call.</xml></xml>")
                  .size(),
              1u);
    EXPECT_EQ(identifications, 0);

    reports.SpeakBulletin(server.url("/rsgb/"), "64");
    EXPECT_EQ(rig.linesWith("HTTP 404 Not Found").size(), 1u);
    EXPECT_EQ(rig.linesWith("Sorry, that bulletin is currently not available.").size(), 1u);
    EXPECT_EQ(identifications, 1);
    EXPECT_FALSE(rig.speech.pttHeld());
}

}  // namespace
}  // namespace vox

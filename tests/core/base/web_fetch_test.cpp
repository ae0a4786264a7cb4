// Fetching a document over the web port, in virtual time.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "core/base/virtual_time.h"
#include "core/base/web_fetch.h"
#include "tests/core/base/fake_http_client.h"

namespace vox {
namespace {

struct FetchRig {
    explicit FetchRig(double timeoutSeconds = 10)
        : clock(LocalTime{2026, 12, 10, 12, 0, 0, 0}),
          loop(clock),
          rt(clock, loop),
          air(clock),
          http(rt),
          web(rt, &http, &air, timeoutSeconds) {
        air.setSink([this](const std::string& line) { records.push_back(withoutTime(line)); });
    }
    // {"ev":...} without the time stamp in front.
    static std::string withoutTime(const std::string& line) {
        return "{" + line.substr(line.find("\"ev\""));
    }

    VirtualClock clock;
    VirtualEventLoop loop;
    Runtime rt;
    AirLog air;
    FakeHttpClient http;
    WebFetcher web;
    std::vector<std::string> records;
};

const std::string kUrl = "https://example.org/news/1.xml";

// Every kind of reply, what the caller gets and the one record the fetch leaves.
TEST(WebFetcher, TurnsEachReplyIntoTextOrAReasonAndLogsItOnce) {
    const std::string tooBig(WebFetcher::kMaxReplyBytes + 1, 'x');
    const struct {
        const char* what;
        HttpReply reply;
        bool ok;
        std::string text;   // when ok
        std::string error;  // when not
        std::string record;
    } cases[] = {
        {"document",
         {true, 200, "<xml>hi</xml>", {}},
         true,
         "<xml>hi</xml>",
         "",
         R"({"ev":"fetch","url":"https://example.org/news/1.xml","ok":true,"bytes":13})"},
        {"Windows-1252",
         {true, 200, "caf\xE9", {}},
         true,
         "caf\xC3\xA9",
         "",
         R"({"ev":"fetch","url":"https://example.org/news/1.xml","ok":true,"bytes":4})"},
        {"UTF-16",
         {true, 200, std::string("\xFF\xFEo\0k\0", 6), {}},
         true,
         "ok",
         "",
         R"({"ev":"fetch","url":"https://example.org/news/1.xml","ok":true,"bytes":6})"},
        {"not found",
         {false, 404, "", "HTTP 404 Not Found"},
         false,
         "",
         "HTTP 404 Not Found",
         R"({"ev":"fetch","url":"https://example.org/news/1.xml","ok":false,"error":"HTTP 404 Not Found"})"},
        {"server error without words",
         {false, 500, "", ""},
         false,
         "",
         "HTTP status 500",
         R"({"ev":"fetch","url":"https://example.org/news/1.xml","ok":false,"error":"HTTP status 500"})"},
        {"error status called ok",
         {true, 503, "busy", {}},
         false,
         "",
         "HTTP status 503",
         R"({"ev":"fetch","url":"https://example.org/news/1.xml","ok":false,"error":"HTTP status 503"})"},
        {"empty",
         {true, 200, "", {}},
         false,
         "",
         "empty reply",
         R"({"ev":"fetch","url":"https://example.org/news/1.xml","ok":false,"error":"empty reply"})"},
        {"binary",
         {true, 200, std::string("GIF89a\x80\0\xFF", 9), {}},
         false,
         "",
         "not a text document",
         R"({"ev":"fetch","url":"https://example.org/news/1.xml","ok":false,"error":"not a text document"})"},
        {"over the limit",
         {true, 200, tooBig, {}},
         false,
         "",
         "reply larger than 4194304 bytes",
         R"({"ev":"fetch","url":"https://example.org/news/1.xml","ok":false,"error":"reply larger than 4194304 bytes"})"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FetchRig rig;
        rig.http.answer(kUrl, c.reply);
        const FetchResult r = rig.web.fetchText(kUrl);
        EXPECT_EQ(r.ok, c.ok);
        EXPECT_EQ(r.text, c.ok ? c.text : "");
        EXPECT_EQ(r.error, c.error);
        EXPECT_EQ(rig.records, std::vector<std::string>{c.record});
        EXPECT_EQ(rig.http.lastMaxBytes, WebFetcher::kMaxReplyBytes);
    }
}

// The wait is like every other wait: timers keep ticking. A reply just inside the time-out is
// taken; a server that never answers is given up exactly at the time-out and its request dropped.
TEST(WebFetcher, WaitsWithTimersRunningAndGivesUpAtTheTimeOut) {
    const struct {
        double replyAfter;  // < 0: never
        bool ok;
        double waited;
    } cases[] = {{9.5, true, 9.5}, {-1, false, 10.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.replyAfter);
        FetchRig rig(10);
        if (c.replyAfter >= 0)
            rig.http.serve(kUrl, "text", c.replyAfter);
        int ticks = 0;
        Timer& t = rig.rt.addTimer("tick", 1000, [&] { ++ticks; });
        t.setEnabled(true);
        const double start = rig.rt.now();
        const FetchResult r = rig.web.fetchText(kUrl);
        EXPECT_EQ(r.ok, c.ok);
        EXPECT_DOUBLE_EQ(rig.rt.now() - start, c.waited);
        EXPECT_EQ(ticks, static_cast<int>(c.waited));
        EXPECT_EQ(rig.http.inFlight(), 0u);
        if (!c.ok) {
            EXPECT_EQ(r.error, "timed out");
            EXPECT_EQ(rig.http.cancelled, 1);
            EXPECT_EQ(
                rig.records.back(),
                R"({"ev":"fetch","url":"https://example.org/news/1.xml","ok":false,"error":"timed out"})");
        }
    }
}

TEST(WebFetcher, AQuitEndsTheWaitAndDropsTheRequest) {
    FetchRig rig;
    rig.rt.callAfter(2, [&] { rig.rt.requestQuit(); });
    const double start = rig.rt.now();
    const FetchResult r = rig.web.fetchText(kUrl);
    EXPECT_FALSE(r.ok);
    EXPECT_DOUBLE_EQ(rig.rt.now() - start, 2.0);
    EXPECT_EQ(rig.http.cancelled, 1);
}

// Only http://, https:// and file:// addresses are fetched; anything else fails at once, without
// a request and without waiting.
TEST(WebFetcher, RefusesAddressesItCannotFetch) {
    const struct {
        std::string url;
        bool fetched;
        const char* why;
    } cases[] = {
        {"http://example.org", true, ""},
        {"HTTPS://Example.org/rsgb/63.xml", true, ""},
        {"file:///home/owner/my folder/rsgb/63.xml", true, ""},
        {"", false, "bad address: no address"},
        {"ftp://example.org/wwv.txt", false,
         "bad address: not an http://, https:// or file:// address"},
        {"example.org/wwv.txt", false, "bad address: not an http://, https:// or file:// address"},
        {"http://", false, "bad address: no host in the address"},
        {"https:///path", false, "bad address: no host in the address"},
        {"http://example.org/a b", false, "bad address: blank in the address"},
        {"http://example.org/\n", false, "bad address: control character in the address"},
        {"file://relative/x.xml", false,
         "bad address: a file:// address needs an absolute path (file:///folder/name)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        FetchRig rig;
        rig.http.serve(c.url, "text");
        const double start = rig.rt.now();
        const FetchResult r = rig.web.fetchText(c.url);
        EXPECT_EQ(rig.http.requested.size(), c.fetched ? 1u : 0u);
        EXPECT_EQ(r.ok, c.fetched);
        if (!c.fetched) {
            EXPECT_EQ(r.error, c.why);
            EXPECT_EQ(rig.rt.now(), start);
            EXPECT_EQ(rig.records.size(), 1u);
        }
    }
}

struct ThrowingHttp : HttpClient {
    std::uint64_t start(const std::string&, std::size_t, std::function<void(HttpReply)>) override {
        throw std::runtime_error("socket refused");
    }
    void cancel(std::uint64_t) override {}
};

// No port at all, or one that throws: a failed fetch with its reason, never an exception.
TEST(WebFetcher, AMissingOrThrowingPortIsAFailureNotAnException) {
    FetchRig rig;
    WebFetcher none(rig.rt, nullptr, &rig.air, 10);
    EXPECT_EQ(none.fetchText(kUrl).error, "no web access here");
    ThrowingHttp throwing;
    WebFetcher broken(rig.rt, &throwing, &rig.air, 10);
    FetchResult r;
    EXPECT_NO_THROW(r = broken.fetchText(kUrl));
    EXPECT_EQ(r.error, "socket refused");
    EXPECT_EQ(rig.records.size(), 2u);
}

}  // namespace
}  // namespace vox

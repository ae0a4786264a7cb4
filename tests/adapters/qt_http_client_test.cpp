// The Qt Network web port against a server of the test's own on 127.0.0.1, driven from virtual
// time: a transfer takes real time but no virtual time.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>

#include "../core/app/part_rig.h"
#include "base/virtual_time.h"
#include "base/web_fetch.h"
#include "dtmf/spoken_reports.h"
#include "qt_http_client.h"
#include "qt_runtime.h"

namespace vox {
namespace {

// An HTTP server on a thread of its own. Each path answers with a fixed response; a path
// without one is never answered.
class LocalServer {
public:
    LocalServer() {
        thread_.start();
        server_ = new QTcpServer;
        server_->moveToThread(&thread_);
        QMetaObject::invokeMethod(
            server_,
            [this] {
                server_->listen(QHostAddress::LocalHost, 0);
                port_ = server_->serverPort();
                QObject::connect(server_, &QTcpServer::newConnection, server_,
                                 [this] { accept(); });
            },
            Qt::BlockingQueuedConnection);
    }
    ~LocalServer() {
        QMetaObject::invokeMethod(
            server_, [this] { delete server_; }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }

    void route(const std::string& path, const QByteArray& response) {
        std::lock_guard<std::mutex> lock(mutex_);
        routes_[path] = response;
    }
    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

    static QByteArray response(const char* statusLine, const QByteArray& body,
                               const QByteArray& headers = "Content-Type: text/plain\r\n",
                               bool withLength = true) {
        QByteArray r = QByteArray("HTTP/1.1 ") + statusLine + "\r\n" + headers;
        if (withLength)
            r += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
        return r + "Connection: close\r\n\r\n" + body;
    }

private:
    // Server thread: answers each request once its header has arrived.
    void accept() {
        while (QTcpSocket* socket = server_->nextPendingConnection()) {
            socket->setParent(server_);
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                const QByteArray got =
                    socket->property("request").toByteArray() + socket->readAll();
                socket->setProperty("request", got);
                if (!got.contains("\r\n\r\n"))
                    return;
                const QByteArray path = got.split(' ').value(1);
                std::optional<QByteArray> answer;
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    const auto it = routes_.find(path.toStdString());
                    if (it != routes_.end())
                        answer = it->second;
                }
                if (!answer)
                    return;  // never answered
                socket->write(*answer);
                socket->disconnectFromHost();
            });
        }
    }

    QThread thread_;
    QTcpServer* server_ = nullptr;
    quint16 port_ = 0;
    std::mutex mutex_;
    std::map<std::string, QByteArray> routes_;
};

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
    int identifications = 0;
    SpokenReports reports(
        rig.context(), web, [&] { ++identifications; },
        [&] { rig.state.GreetingText = "Good evening."; });

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

#include "web/web_console.h"

#include <sys/stat.h>

#include <QAbstractHttpServer>
#include <QDateTime>
#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QLoggingCategory>
#include <QNetworkRequest>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QUrlQuery>
#include <QWebSocket>
#include <fstream>
#include <sstream>

#include "backends/sim/dry_run.h"
#include "core/base/air_log.h"
#include "core/base/listen_address.h"
#include "core/console/form_data.h"
#include "core/console/next_transmissions.h"
#include "core/console/status_json.h"
#include "core/settings/settings_format.h"
#include "core/station/station.h"

namespace vox {

using Status = QHttpServerResponder::StatusCode;

// The HTTP side: every request goes to one handler, which routes it.
class ConsoleHttpServer : public QAbstractHttpServer {
public:
    std::function<bool(const QHttpServerRequest&, QTcpSocket*)> handler;
    static QHttpServerResponder responder(const QHttpServerRequest& r, QTcpSocket* s) {
        return makeResponder(r, s);
    }

protected:
    bool handleRequest(const QHttpServerRequest& r, QTcpSocket* s) override {
        return handler(r, s);
    }
    void missingHandler(const QHttpServerRequest& r, QTcpSocket* s) override {
        makeResponder(r, s).write(Status::NotFound);
    }
};

// Counts the open connections and refuses those over the limit before a byte is read; cuts off a
// connection whose unread input grows past what a request may hold, and one idle for a minute
// (a WebSocket excepted), so that idle connections cannot hold every place.
class CountingTcpServer : public QTcpServer {
public:
    std::function<bool(int open)> allow;
    std::function<void(const std::string& peer)> oversize;
    // Called once, before the first connection is handed on.
    std::function<void()> firstConnection;
    static constexpr const char* kWebSocketProperty = "voxclockWebSocket";
    static constexpr int kIdleMs = 60 * 1000;

private:
    std::vector<QPointer<QTcpSocket>> live_;

protected:
    void incomingConnection(qintptr descriptor) override {
        auto* socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        // Counted by what is alive: the WebSocket side drops every signal of a socket it takes.
        live_.erase(std::remove(live_.begin(), live_.end(), nullptr), live_.end());
        if (!allow(static_cast<int>(live_.size()))) {
            socket->abort();
            socket->deleteLater();
            return;
        }
        live_.push_back(socket);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        // Headers and a body of the largest size allowed, with room for the headers.
        constexpr qint64 kMostUnread = ConsoleGuard::kMaxBodyBytes + 16 * 1024;
        // A connection that sends nothing for a minute gives its place up; a WebSocket, which
        // only listens, keeps it. The timer lives with the connection only.
        auto* idle = new QTimer(socket);
        idle->setSingleShot(true);
        idle->setInterval(kIdleMs);
        connect(idle, &QTimer::timeout, socket, [socket] {
            if (!socket->property(kWebSocketProperty).toBool())
                socket->abort();
        });
        idle->start();
        connect(socket, &QIODevice::readyRead, this, [this, socket, idle] {
            idle->start();
            if (socket->bytesAvailable() > kMostUnread) {
                oversize(socket->peerAddress().toString().toStdString());
                socket->abort();
            }
        });
        if (firstConnection) {
            const auto first = std::move(firstConnection);
            firstConnection = nullptr;
            first();
        }
        addPendingConnection(socket);
    }
};

namespace {

constexpr std::size_t kAirLinesKept = 200;
constexpr std::size_t kEventLinesShown = 30;
// A browser that has this much unsent is not reading: it is dropped, never waited for.
constexpr qint64 kMostUnsent = 1024 * 1024;
constexpr double kNextFreshSeconds = 60;

QByteArray bytes(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

std::string header(const QHttpServerRequest& r, const char* name) {
    for (const auto& [key, value] : r.headers())
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value.toStdString();
    return {};
}

double monotonicSeconds() {
    return static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
}

std::string randomBytes(std::size_t n) {
    std::string out(n, '\0');
    for (char& c : out)
        c = static_cast<char>(QRandomGenerator::system()->bounded(256));
    return out;
}

struct Reply {
    Status status = Status::Ok;
    std::string type = "application/json";
    std::string body;
    std::string location;
    std::string setCookie;
};

void respond(const QHttpServerRequest& request, QTcpSocket* socket, const Reply& reply) {
    QHttpServerResponder r = ConsoleHttpServer::responder(request, socket);
    r.writeStatusLine(reply.status);
    r.writeHeader("Content-Type", bytes(reply.type + "; charset=utf-8"));
    r.writeHeader("Cache-Control", "no-store");
    r.writeHeader("X-Content-Type-Options", "nosniff");
    r.writeHeader("X-Frame-Options", "DENY");
    r.writeHeader("Referrer-Policy", "no-referrer");
    r.writeHeader("Content-Security-Policy",
                  "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self'; "
                  "connect-src 'self'; form-action 'self'; frame-ancestors 'none'; "
                  "base-uri 'none'");
    if (!reply.location.empty())
        r.writeHeader("Location", bytes(reply.location));
    if (!reply.setCookie.empty())
        r.writeHeader("Set-Cookie", bytes(reply.setCookie));
    r.writeHeader("Content-Length", QByteArray::number(static_cast<qint64>(reply.body.size())));
    r.writeBody(bytes(reply.body));
}

Reply page(const char* resource, const char* type) {
    QFile file(QString::fromLatin1(resource));
    if (!file.open(QIODevice::ReadOnly))
        return {Status::NotFound, "text/plain", "not found", {}, {}};
    const QByteArray data = file.readAll();
    return {Status::Ok, type, data.toStdString(), {}, {}};
}

Reply json(Status status, const std::string& body) {
    return {status, "application/json", body, {}, {}};
}

Reply refusal(Verdict verdict) {
    switch (verdict) {
        case Verdict::NeedLogin:
            return json(Status::Unauthorized, "{\"error\":\"login needed\"}");
        case Verdict::Forbidden:
            return json(Status::Forbidden, "{\"error\":\"refused\"}");
        case Verdict::TooLarge:
            return json(Status::PayloadTooLarge, "{\"error\":\"request too large\"}");
        case Verdict::TooManyLogins:
            return json(Status::TooManyRequests, "{\"error\":\"too many failed logins\"}");
        case Verdict::Allow:
            break;
    }
    return json(Status::Ok, "{}");
}

bool dtmfDigits(const std::string& digits) {
    if (digits.empty() || digits.size() > 32)
        return false;
    for (char c : digits)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'D') || c == '*' || c == '#'))
            return false;
    return true;
}

// The secret for logins off loopback: made at first start, readable by the owner only.
bool prepareSecret(const std::string& path, std::string* secret, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (in) {
        std::getline(in, *secret);
        while (!secret->empty() && (secret->back() == '\r' || secret->back() == ' '))
            secret->pop_back();
        ::chmod(path.c_str(), 0600);
        if (!secret->empty())
            return true;
    }
    *secret = hexText(randomBytes(24));
    const mode_t before = ::umask(077);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << *secret << "\n";
    out.close();
    ::umask(before);
    ::chmod(path.c_str(), 0600);
    if (!out) {
        *error = "cannot write the console's secret to " + path;
        return false;
    }
    return true;
}

}  // namespace

WebConsole::WebConsole(Station& station, WebConsoleOptions options, QObject* parent)
    : QObject(parent), station_(station), options_(std::move(options)) {}

WebConsole::~WebConsole() {
    if (worker_)
        worker_->wait();
    if (panelListener_)
        station_.panel().unsubscribe(panelListener_);
}

void WebConsole::log(const std::string& line) {
    if (!line.empty())
        station_.eventLog().LogEvent(line);
}

bool WebConsole::start(std::string* error) {
    ListenAddress address;
    std::string why;
    if (!parseListenAddress(options_.listen, &address, &why)) {
        *error = "Web console: [web_ui] listen '" + options_.listen + "' is not host:port: " + why;
        return false;
    }
    const bool loopback = isLoopbackHost(address.host);
    std::string secret;
    if (!loopback) {
        secretPath_ = station_.folder().path("web-console.secret");
        if (!prepareSecret(secretPath_, &secret, error))
            return false;
    }
    guard_ = std::make_unique<ConsoleGuard>(loopback, secret, randomBytes);

    tcp_ = new CountingTcpServer;
    tcp_->setParent(this);
    tcp_->allow = [this](int open) {
        std::string line;
        const bool ok = guard_->connectionAllowed(open, monotonicSeconds(), &line);
        log(line);
        return ok;
    };
    tcp_->oversize = [this](const std::string& peer) {
        ConsoleRequest r;
        r.peer = peer;
        r.bodyBytes = ConsoleGuard::kMaxBodyBytes + 1;
        log(guard_->check(r, monotonicSeconds()).logLine);
    };
    const QHostAddress host = address.host.empty()
                                  ? QHostAddress(QHostAddress::Any)
                                  : QHostAddress(QString::fromStdString(address.host));
    if (!tcp_->listen(host, static_cast<quint16>(address.port))) {
        *error = "Web console: cannot listen on " + options_.listen + ": " +
                 tcp_->errorString().toStdString();
        return false;
    }
    // The HTTP server comes with the first browser: making it loads the TLS libraries (about
    // 7 MB), which a console nobody opens need not pay.
    tcp_->firstConnection = [this] {
        http_ = new ConsoleHttpServer;
        http_->setParent(this);
        http_->handler = [this](const QHttpServerRequest& r, QTcpSocket* s) {
            return handle(r, s);
        };
        connect(http_, &QAbstractHttpServer::newWebSocketConnection, this,
                &WebConsole::newWebSocket);
        // A refused WebSocket opening is ours to log, once a minute: not the server's, each time.
        QLoggingCategory::setFilterRules(QStringLiteral("qt.httpserver.warning=false"));
        http_->bind(tcp_);
    };

    std::string line = "Web console: listening on http://" + options_.listen;
    if (!loopback)
        line += "; the login secret is in " + secretPath_;
    log(line);
    if (options_.onListening)
        options_.onListening(line);
    return true;
}

void WebConsole::airLine(const std::string& line) {
    airLines_.push_back(line);
    if (airLines_.size() > kAirLinesKept)
        airLines_.pop_front();
    if (!sockets_.empty())
        send("{\"air\":" + line + "}");
}

std::string WebConsole::statusMessage() {
    NodeNow node;
    try {
        if (NodeLink* link = station_.node()) {
            node.receiving = link->isReceiving();
            node.transmitting = link->isTransmitting();
            node.connected = link->connectedCount();
            node.known = true;
        }
    } catch (const std::exception&) {
        node.known = false;
    }
    return "{\"status\":" + statusJson(station_.panel(), node) + "}";
}

void WebConsole::pushStatus() {
    if (!sockets_.empty())
        send(statusMessage());
}

void WebConsole::send(const std::string& message) {
    const QString text = QString::fromStdString(message);
    for (auto& ws : sockets_) {
        if (!ws)
            continue;
        if (ws->bytesToWrite() > kMostUnsent) {
            ws->abort();
            continue;
        }
        ws->sendTextMessage(text);
    }
}

std::string WebConsole::eventLogTail() {
    std::string path;
    std::vector<std::string> lines;
    if (station_.eventLog().ViewTarget(&path)) {
        std::ifstream in(path, std::ios::binary | std::ios::ate);
        const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
        const std::streamoff from = size > 8192 ? size - 8192 : 0;
        in.seekg(from);
        std::string line;
        if (from > 0)
            std::getline(in, line);  // a partial line
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty())
                lines.push_back(line);
        }
    }
    std::string out = "{\"eventlog\":[";
    const std::size_t first = lines.size() > kEventLinesShown ? lines.size() - kEventLinesShown : 0;
    for (std::size_t i = first; i < lines.size(); ++i)
        out += (i > first ? "," : "") + jsonQuote(lines[i]);
    return out + "]}";
}

bool WebConsole::webSocketAllowed(const QHttpServerRequest& request, QTcpSocket* socket) {
    // A WebSocket has no same-origin rule of its own: it must come from our page.
    ConsoleRequest r;
    r.method = "GET";
    r.path = request.url().path().toStdString();
    r.peer = request.remoteAddress().toString().toStdString();
    r.host = header(request, "Host");
    r.cookie = header(request, "Cookie");
    r.origin = header(request, "Origin");
    r.changes = r.origin != "http://" + r.host;  // then refused by the origin rule of a change
    const Decision d = guard_->check(r, monotonicSeconds());
    log(d.logLine);
    const bool allowed = r.path == "/ws" && d.verdict == Verdict::Allow;
    if (allowed)
        socket->setProperty(CountingTcpServer::kWebSocketProperty, true);
    return allowed;
}

void WebConsole::newWebSocket() {
    while (http_->hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> ws = http_->nextPendingWebSocketConnection();
        if (!ws)
            continue;
        QWebSocket* socket = ws.release();
        socket->setParent(this);
        // The browser only listens: whatever it sends is dropped, and a large message closes it.
        socket->setMaxAllowedIncomingFrameSize(4096);
        socket->setMaxAllowedIncomingMessageSize(4096);
        connect(socket, &QWebSocket::disconnected, this, [this, socket] {
            sockets_.erase(std::remove(sockets_.begin(), sockets_.end(), socket), sockets_.end());
            sockets_.erase(std::remove(sockets_.begin(), sockets_.end(), nullptr), sockets_.end());
            socket->deleteLater();
            if (sockets_.empty() && panelListener_) {
                station_.panel().unsubscribe(panelListener_);
                panelListener_ = 0;
            }
        });
        sockets_.push_back(socket);
        if (!panelListener_)
            panelListener_ =
                station_.panel().subscribe([this](const FrontPanel::Change&) { pushStatus(); });
        std::string air = "{\"airlog\":[";
        for (std::size_t i = 0; i < airLines_.size(); ++i)
            air += (i ? "," : "") + airLines_[i];
        air += "]}";
        socket->sendTextMessage(QString::fromStdString(eventLogTail()));
        socket->sendTextMessage(QString::fromStdString(air));
        socket->sendTextMessage(QString::fromStdString(statusMessage()));
    }
}

SettingsPageContext WebConsole::pageContext() {
    SettingsPageContext c;
    c.programRoot = station_.folder().root();
    if (Voice* voice = station_.voice())
        c.soundOutputs = voice->audioOutputs();
    c.dtmfRefusal = options_.dtmfRefusal;
    return c;
}

std::string WebConsole::settingsPageReply(const std::string& id,
                                          const std::vector<std::string>& messages, bool ok) {
    const auto pageNow = settingsPage(id, station_.settings(), pageContext());
    if (!pageNow)
        return "{\"error\":\"no such page\"}";
    std::string out = "{\"ok\":" + std::string(ok ? "true" : "false") +
                      ",\"page\":" + settingsPageJson(*pageNow) + ",\"messages\":[";
    for (std::size_t i = 0; i < messages.size(); ++i)
        out += (i ? "," : "") + jsonQuote(messages[i]);
    return out + "]}";
}

std::string WebConsole::confJson() {
    std::string out = "{\"path\":" + jsonQuote(options_.confPath) + ",\"values\":[";
    for (std::size_t i = 0; i < options_.confValues.size(); ++i)
        out += std::string(i ? "," : "") + "[" + jsonQuote(options_.confValues[i].first) + "," +
               jsonQuote(options_.confValues[i].second) + "]";
    out += "],\"pages\":[";
    const auto& ids = settingsPageIds();
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const auto p = settingsPage(ids[i], station_.settings(), SettingsPageContext{});
        out +=
            std::string(i ? "," : "") + "[" + jsonQuote(ids[i]) + "," + jsonQuote(p->title) + "]";
    }
    return out + "]}";
}

void WebConsole::nextTransmissions(QTcpSocket* socket, const QHttpServerRequest& request) {
    const double now = monotonicSeconds();
    if (!nextJson_.empty() && now - nextAt_ < kNextFreshSeconds) {
        respond(request, socket, json(Status::Ok, "{\"next\":" + nextJson_ + "}"));
        return;
    }
    // Computed on a worker thread from a copy of the program folder with the settings as they
    // are now; the page hears of the result over its WebSocket.
    respond(request, socket, json(Status::Accepted, "{\"running\":true}"));
    if (nextRunning_)
        return;
    nextRunning_ = true;
    const QDateTime start = QDateTime::currentDateTime();
    DryRunOptions options{
        station_.folder().root(),
        start.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString(),
        start.addSecs(2 * 3600).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString(),
        {}};
    options.settingsText = formatSettingsFile(station_.settings());
    // The copy's own start-up is not what the running program will do.
    const std::string after =
        start.addSecs(5).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toStdString();
    auto result = std::make_shared<std::string>();
    QThread* worker = QThread::create([options, after, result] {
        std::ostringstream out, err;
        const int status = runDryRun(options, out, err);
        std::string json = "{\"from\":" + jsonQuote(options.from) +
                           ",\"to\":" + jsonQuote(options.to) +
                           ",\"status\":" + std::to_string(status) +
                           ",\"errors\":" + jsonQuote(err.str()) + ",\"lines\":[";
        const auto lines = nextTransmissionLines(out.str(), after);
        for (std::size_t i = 0; i < lines.size(); ++i)
            json += (i ? "," : "") + lines[i];
        *result = json + "]}";
    });
    connect(worker, &QThread::finished, this, [this, worker, result] {
        nextRunning_ = false;
        worker_ = nullptr;
        nextJson_ = *result;
        nextAt_ = monotonicSeconds();
        send("{\"next\":" + nextJson_ + "}");
        worker->deleteLater();
    });
    worker_ = worker;
    worker->start(QThread::LowPriority);
}

bool WebConsole::handle(const QHttpServerRequest& request, QTcpSocket* socket) {
    // A WebSocket opening: taken here without an answer, it goes on to newWebSocket; refused, the
    // server drops the connection.
    if (header(request, "Upgrade").find("websocket") != std::string::npos)
        return webSocketAllowed(request, socket);
    const std::string path = request.url().path().toStdString();
    const bool post = request.method() == QHttpServerRequest::Method::Post;
    const bool get = request.method() == QHttpServerRequest::Method::Get;
    ConsoleRequest r;
    r.method = post ? "POST" : get ? "GET" : "OTHER";
    r.path = path;
    r.peer = request.remoteAddress().toString().toStdString();
    r.host = header(request, "Host");
    r.origin = header(request, "Origin");
    r.cookie = header(request, "Cookie");
    r.csrf = header(request, "X-CSRF-Token");
    const std::string length = header(request, "Content-Length");
    r.bodyBytes =
        std::max<long long>(request.body().size(), length.empty() ? 0 : std::atoll(length.c_str()));
    r.changes = !get;
    const double now = monotonicSeconds();

    if (!get && !post) {
        respond(request, socket, json(Status::MethodNotAllowed, "{\"error\":\"method\"}"));
        return true;
    }
    // The login page and the login itself are the only ones open without a session.
    if (path == "/login" && get) {
        const Decision d = guard_->checkOpen(r, now);
        if (d.verdict != Verdict::Allow) {
            log(d.logLine);
            respond(request, socket, refusal(d.verdict));
        } else {
            respond(request, socket, page(":/web/login.html", "text/html"));
        }
        return true;
    }
    if (path == "/login" && post) {
        const auto form = parseFormBody(request.body().toStdString());
        const std::string typed = form && form->count("secret") ? form->at("secret") : "";
        const ConsoleGuard::Login login = guard_->login(r, typed, now);
        log(login.decision.logLine);
        if (login.decision.verdict == Verdict::NeedLogin) {
            respond(request, socket, {Status::SeeOther, "text/plain", "", "/login?failed=1", {}});
        } else if (login.decision.verdict != Verdict::Allow) {
            respond(request, socket, refusal(login.decision.verdict));
        } else {
            respond(request, socket, {Status::SeeOther, "text/plain", "", "/", login.setCookie});
        }
        return true;
    }
    if (path == "/console.css" && get) {
        // The look only: no station data.
        const Decision d = guard_->checkOpen(r, now);
        log(d.logLine);
        respond(request, socket,
                d.verdict != Verdict::Allow ? refusal(d.verdict)
                                            : page(":/web/console.css", "text/css"));
        return true;
    }

    const Decision d = guard_->check(r, now);
    log(d.logLine);
    if (d.verdict == Verdict::NeedLogin && get && path == "/") {
        respond(request, socket, {Status::SeeOther, "text/plain", "", "/login", {}});
        return true;
    }
    if (d.verdict != Verdict::Allow) {
        respond(request, socket, refusal(d.verdict));
        return true;
    }

    if (get && path == "/") {
        respond(request, socket, page(":/web/index.html", "text/html"));
    } else if (get && path == "/console.js") {
        respond(request, socket, page(":/web/console.js", "text/javascript"));
    } else if (get && path == "/api/session") {
        respond(request, socket,
                json(Status::Ok, "{\"csrf\":" + jsonQuote(guard_->csrfToken(r)) + ",\"loopback\":" +
                                     (guard_->loopback() ? "true" : "false") + "}"));
    } else if (get && path == "/api/conf") {
        respond(request, socket, json(Status::Ok, confJson()));
    } else if (get && path == "/api/settings") {
        const std::string id =
            QUrlQuery(request.url()).queryItemValue(QStringLiteral("page")).toStdString();
        const std::string body = settingsPageReply(id, {}, true);
        respond(request, socket,
                json(body.rfind("{\"error\"", 0) == 0 ? Status::NotFound : Status::Ok, body));
    } else if (get && path == "/api/next") {
        nextTransmissions(socket, request);
    } else if (post) {
        auto form = parseFormBody(request.body().toStdString());
        if (!form) {
            respond(request, socket, json(Status::BadRequest, "{\"error\":\"not a form\"}"));
            return true;
        }
        if (path == "/logout") {
            guard_->logout(r);
            respond(request, socket,
                    {Status::SeeOther, "text/plain", "", "/login",
                     std::string(ConsoleGuard::kCookieName) +
                         "=; Path=/; Max-Age=0; HttpOnly; SameSite=Strict"});
        } else if (path == "/api/press") {
            const std::string control = (*form)["control"];
            const std::string on = (*form)["on"];
            if (!consolePressable(control) || (!on.empty() && on != "0" && on != "1")) {
                respond(request, socket,
                        json(Status::BadRequest, "{\"error\":\"no such control\"}"));
                return true;
            }
            // As the window does: a box is set, then pressed. Run from the loop, after this reply.
            QMetaObject::invokeMethod(
                this,
                [this, control, on] {
                    try {
                        if (!on.empty())
                            station_.setChecked(control, on == "1");
                        station_.press(control);
                    } catch (const std::exception& e) {
                        log("Web console: " + control + ": " + e.what());
                    }
                },
                Qt::QueuedConnection);
            respond(request, socket, json(Status::Accepted, "{\"ok\":true}"));
        } else if (path == "/api/dtmf") {
            const std::string digits = (*form)["digits"];
            if (!dtmfDigits(digits)) {
                respond(request, socket,
                        json(Status::BadRequest, "{\"error\":\"digits are 0-9, A-D, * and #\"}"));
                return true;
            }
            // The pad's sequence waits for the dispatcher's next poll, like one heard over the air.
            station_.dtmf().injectFromPad(digits);
            respond(request, socket, json(Status::Accepted, "{\"ok\":true}"));
        } else if (path == "/api/settings") {
            const std::string id = (*form)["page"];
            form->erase("page");
            Settings changed = station_.settings();
            const FormApplied applied = applySettingsForm(id, *form, changed, pageContext());
            std::vector<std::string> messages = applied.messages;
            bool ok = applied.ok;
            if (ok) {
                const ApplyOutcome outcome = station_.applySettings(changed);
                ok = outcome.ok;
                if (!outcome.message.empty())
                    messages.push_back(outcome.message);
            }
            respond(request, socket,
                    json(ok ? Status::Ok : Status::UnprocessableEntity,
                         settingsPageReply(id, messages, ok)));
        } else {
            respond(request, socket, json(Status::NotFound, "{\"error\":\"not found\"}"));
        }
    } else {
        respond(request, socket, json(Status::NotFound, "{\"error\":\"not found\"}"));
    }
    return true;
}

}  // namespace vox

#pragma once

#include <QObject>
#include <QPointer>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/console/console_guard.h"
#include "core/console/settings_forms.h"

class QHttpServerRequest;
class QTcpSocket;
class QThread;
class QWebSocket;

namespace vox {

class Station;
class ConsoleHttpServer;
class CountingTcpServer;

struct WebConsoleOptions {
    std::string listen;  // [web_ui] listen: "host:port"
    std::string confPath;
    // voxclock.conf's settings, shown read-only: name and value.
    std::vector<std::pair<std::string, std::string>> confValues;
    // Why a DTMF code cannot reach us through the node; null when every code can.
    std::function<std::string(const std::string& code)> dtmfRefusal;
    // Told when the console listens ("Web console: listening on http://...").
    std::function<void(const std::string& line)> onListening;
};

// The web console: a window onto the station, beside the desktop one, for a browser. Serves the
// pages built into the program and pushes the status and the air log over a WebSocket. Every
// request is answered on the behaviour thread without waiting: actions are queued for the loop,
// the next transmissions are computed on a worker thread, and a browser that reads too slowly is
// dropped instead of being waited for. No timer runs, so without a browser it costs nothing.
class WebConsole : public QObject {
public:
    WebConsole(Station& station, WebConsoleOptions options, QObject* parent = nullptr);
    ~WebConsole() override;

    // Listens; false with the reason when it cannot. Off loopback, the secret file is made first.
    bool start(std::string* error);
    // Each air-log line as it is written.
    void airLine(const std::string& line);
    // Where the secret is, off loopback; empty on loopback.
    const std::string& secretPath() const { return secretPath_; }

private:
    bool handle(const QHttpServerRequest& request, QTcpSocket* socket);
    bool webSocketAllowed(const QHttpServerRequest& request, QTcpSocket* socket);
    void newWebSocket();
    void pushStatus();
    void send(const std::string& message);
    void log(const std::string& line);
    void nextTransmissions(QTcpSocket* socket, const QHttpServerRequest& request);
    std::string statusMessage();
    std::string eventLogTail();
    std::string settingsPageReply(const std::string& id, const std::vector<std::string>& messages,
                                  bool ok);
    SettingsPageContext pageContext();
    std::string confJson();

    Station& station_;
    WebConsoleOptions options_;
    std::unique_ptr<ConsoleGuard> guard_;
    std::string secretPath_;
    ConsoleHttpServer* http_ = nullptr;
    CountingTcpServer* tcp_ = nullptr;
    std::vector<QPointer<QWebSocket>> sockets_;
    int panelListener_ = 0;
    std::deque<std::string> airLines_;
    // The next transmissions: the last result and when it was computed (monotonic seconds).
    std::string nextJson_;
    double nextAt_ = -1e9;
    bool nextRunning_ = false;
    QThread* worker_ = nullptr;
};

}  // namespace vox

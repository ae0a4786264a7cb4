#pragma once

#include <QLocalServer>
#include <functional>
#include <string>

namespace vox {

// The simulated node's control socket ("sim.sock" in the program folder): each line a client
// sends is handled on the thread that owns the server (the behaviour thread) and answered with
// the handler's reply ("ok" or the error line) on a line of its own.
class SimControlServer {
public:
    using Handler = std::function<std::string(const std::string& line)>;

    SimControlServer(std::string socketPath, Handler handler);
    ~SimControlServer();
    SimControlServer(const SimControlServer&) = delete;
    SimControlServer& operator=(const SimControlServer&) = delete;

    // Replaces a stale socket file left by a crashed run; false with a message on failure.
    bool listen(std::string* error);
    const std::string& path() const { return path_; }

private:
    void accept();
    void readFrom(class QLocalSocket* socket);

    std::string path_;
    Handler handler_;
    QLocalServer server_;
};

}  // namespace vox

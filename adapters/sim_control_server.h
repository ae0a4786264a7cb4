#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vox {

// The simulated node's control socket ("sim.sock" in the program folder): each line a client
// sends is handled on the thread that owns the server (the behaviour thread) and answered with
// the handler's reply ("ok" or the error line) on a line of its own. A plain local socket watched
// by the Qt loop: the program needs no network library for it.
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
    struct Client;
    void accept();
    void readFrom(const std::shared_ptr<Client>& client);
    void send(Client& client, const std::string& text);
    void close(std::shared_ptr<Client> client);

    std::string path_;
    Handler handler_;
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::vector<std::shared_ptr<Client>> clients_;
};

}  // namespace vox

#include "adapters/sim_control_server.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/base/control_line.h"

namespace vox {

namespace {

// A control line is a short command; a client that sends more without a line end is cut off
// rather than allowed to grow our buffer.
constexpr std::size_t kMaxLineBytes = kMaxControlLineBytes;

std::string systemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

bool fillAddress(const std::string& path, sockaddr_un* addr) {
    *addr = sockaddr_un{};
    addr->sun_family = AF_UNIX;
    if (path.size() >= sizeof addr->sun_path)
        return false;
    std::memcpy(addr->sun_path, path.c_str(), path.size() + 1);
    return true;
}

}  // namespace

struct SimControlServer::Client {
    int fd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    std::string pending;  // what came after the last line end
    bool handling = false;
};

SimControlServer::SimControlServer(std::string socketPath, Handler handler)
    : path_(std::move(socketPath)), handler_(std::move(handler)) {}

SimControlServer::~SimControlServer() {
    while (!clients_.empty())
        close(clients_.back());
    if (fd_ >= 0) {
        notifier_.reset();
        ::close(fd_);
        ::unlink(path_.c_str());
    }
}

bool SimControlServer::listen(std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error)
            *error = path_ + ": " + why;
        return false;
    };
    sockaddr_un addr;
    if (!fillAddress(path_, &addr))
        return fail("the path is too long for a local socket");
    // Only a second instance could own a live socket here, and start-up refuses that one first.
    ::unlink(path_.c_str());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return fail(systemError("socket"));
    // Commands drive the node: only the owner's account may send them. The socket is made in a
    // folder of the owner's own and given its mode there, so no one else can ever reach it.
    std::string folder = path_ + ".XXXXXX";
    const bool madeFolder = ::mkdtemp(folder.data()) != nullptr;
    const std::string made = folder + "/s";
    sockaddr_un madeAddr;
    bool ok = madeFolder && fillAddress(made, &madeAddr);
    std::string why = ok           ? ""
                      : madeFolder ? "the path is too long for a local socket"
                                   : systemError("a folder for the socket");
    if (ok && ::bind(fd, reinterpret_cast<sockaddr*>(&madeAddr), sizeof madeAddr) != 0) {
        ok = false;
        why = systemError("bind");
    }
    if (ok && ::chmod(made.c_str(), S_IRUSR | S_IWUSR) != 0) {
        ok = false;
        why = systemError("chmod");
    }
    if (ok && ::rename(made.c_str(), path_.c_str()) != 0) {
        ok = false;
        why = systemError("rename");
    }
    if (madeFolder) {
        ::unlink(made.c_str());
        ::rmdir(folder.c_str());
    }
    if (ok && ::listen(fd, SOMAXCONN) != 0) {
        ok = false;
        why = systemError("listen");
        ::unlink(path_.c_str());
    }
    if (!ok) {
        ::close(fd);
        return fail(why);
    }
    fd_ = fd;
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { accept(); });
    return true;
}

void SimControlServer::accept() {
    for (;;) {
        const int fd = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        auto client = std::make_shared<Client>();
        client->fd = fd;
        client->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        std::weak_ptr<Client> weak = client;
        QObject::connect(client->notifier.get(), &QSocketNotifier::activated,
                         client->notifier.get(), [this, weak] {
                             if (auto c = weak.lock())
                                 readFrom(c);
                         });
        clients_.push_back(client);
        readFrom(client);  // lines may have arrived with the connection
    }
}

void SimControlServer::readFrom(const std::shared_ptr<Client>& client) {
    if (client->handling) {
        // A handler is running the event loop: its client waits until it has returned, so the
        // lines are answered in the order they came.
        client->notifier->setEnabled(false);
        return;
    }
    char buffer[4096];
    bool ended = false;
    for (;;) {
        const ssize_t n = ::read(client->fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ended = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
            break;
        }
        client->pending.append(buffer, static_cast<std::size_t>(n));
        if (client->pending.size() > kMaxLineBytes + 1 &&
            client->pending.find('\n') == std::string::npos)
            break;  // too long already: answered below
    }
    client->handling = true;
    bool tooLong = false;
    for (std::size_t end; (end = client->pending.find('\n')) != std::string::npos;) {
        if (end > kMaxLineBytes) {
            tooLong = true;
            break;
        }
        const std::string line = client->pending.substr(0, end + 1);
        client->pending.erase(0, end + 1);
        const std::string reply = handler_(line);
        if (client->fd < 0)
            return;  // closed while the handler ran
        if (!reply.empty())
            send(*client, reply + "\n");
    }
    client->handling = false;
    if (tooLong || client->pending.size() > kMaxLineBytes) {
        send(*client, "error: line too long\n");
        close(client);
    } else if (ended) {
        close(client);
    } else if (!client->notifier->isEnabled()) {
        // Lines came while a handler ran.
        client->notifier->setEnabled(true);
        readFrom(client);
    }
}

void SimControlServer::send(Client& client, const std::string& text) {
    // Answers are short; a client that does not read them loses what does not fit.
    for (std::size_t at = 0; at < text.size();) {
        const ssize_t n = ::send(client.fd, text.data() + at, text.size() - at, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        at += static_cast<std::size_t>(n);
    }
}

void SimControlServer::close(std::shared_ptr<Client> client) {
    if (client->fd < 0)
        return;
    // The notifier may be the one whose signal is running now.
    client->notifier->setEnabled(false);
    client->notifier.release()->deleteLater();
    ::close(client->fd);
    client->fd = -1;
    clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
}

}  // namespace vox

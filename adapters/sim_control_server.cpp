#include "sim_control_server.h"

#include <QFile>
#include <QLocalSocket>

#include "base/control_line.h"

namespace vox {
namespace {

// A control line is a short command; a client that sends more without a line end is cut off
// rather than allowed to grow our buffer.
constexpr qint64 kMaxLineBytes = static_cast<qint64>(kMaxControlLineBytes);

}  // namespace

SimControlServer::SimControlServer(std::string socketPath, Handler handler)
    : path_(std::move(socketPath)), handler_(std::move(handler)) {
    QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] { accept(); });
}

SimControlServer::~SimControlServer() {
    server_.close();
    QFile::remove(QString::fromStdString(path_));
}

bool SimControlServer::listen(std::string* error) {
    const QString path = QString::fromStdString(path_);
    // Only a second instance could own a live socket here, and start-up refuses that one first.
    QLocalServer::removeServer(path);
    // Commands drive the node: only the owner's account may send them.
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (server_.listen(path))
        return true;
    if (error)
        *error = path_ + ": " + server_.errorString().toStdString();
    return false;
}

void SimControlServer::accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket,
                         [this, socket] { readFrom(socket); });
        readFrom(socket);  // lines may have arrived with the connection
    }
}

void SimControlServer::readFrom(QLocalSocket* socket) {
    while (socket->canReadLine()) {
        // readLine keeps one byte of its limit for a terminator: this takes a whole line of
        // kMaxLineBytes and its '\n', as standard input does.
        const QByteArray line = socket->readLine(kMaxLineBytes + 2);
        if (!line.endsWith('\n'))
            break;  // longer than a command can be
        const std::string reply = handler_(line.toStdString());
        if (!reply.empty())
            socket->write(QByteArray::fromStdString(reply + "\n"));
        socket->flush();  // a "close" may end the program before the loop writes it
    }
    if (socket->canReadLine() || socket->bytesAvailable() > kMaxLineBytes) {
        socket->write("error: line too long\n");
        socket->disconnectFromServer();
    }
}

}  // namespace vox

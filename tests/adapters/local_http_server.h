#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace vox {

// An HTTP server on 127.0.0.1, on a thread of its own. Each path (with its query) answers with a
// fixed response, an empty one closing the connection at once; a path without one is never
// answered.
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

}  // namespace vox

#include "adapters/qt_http_client.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace vox {

namespace {

constexpr int kMaxRedirects = 10;

HttpReply failure(const std::string& error, int status = 0) {
    HttpReply r;
    r.status = status;
    r.error = error;
    return r;
}

std::string tooLarge(qint64 maxBytes) {
    return "reply larger than " + std::to_string(maxBytes) + " bytes";
}

// "file:///a/b c/x.xml" names a path, whatever characters the folder names hold ('#', '?');
// %-escapes in it are undone.
QUrl toQUrl(const std::string& url) {
    const QString text = QString::fromStdString(url);
    if (text.startsWith(QLatin1String("file://"), Qt::CaseInsensitive))
        return QUrl::fromLocalFile(QUrl::fromPercentEncoding(text.mid(7).toUtf8()));
    return QUrl(text);
}

// Delivers a result on the behaviour thread to whoever still waits for it.
void deliver(EventLoop& loop, const std::shared_ptr<QtHttpClient::Waiting>& waiting,
             std::uint64_t id, HttpReply reply) {
    loop.post([waiting, id, reply = std::move(reply)]() mutable {
        const auto it = waiting->find(id);
        if (it == waiting->end())
            return;
        auto done = std::move(it->second);
        waiting->erase(it);
        done(std::move(reply));
    });
}

}  // namespace

// Lives on the client's thread and owns the network manager there; every member runs there.
class QtHttpClient::Worker : public QObject {
public:
    Worker(EventLoop& loop, std::shared_ptr<Waiting> waiting, int timeoutMs)
        : loop_(loop), waiting_(std::move(waiting)), timeoutMs_(timeoutMs) {}

    void get(std::uint64_t id, const QUrl& url, qint64 maxBytes) {
        if (!manager_)
            manager_ = new QNetworkAccessManager(this);
        QNetworkRequest request(url);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::NoLessSafeRedirectPolicy);
        request.setMaximumRedirectsAllowed(kMaxRedirects);
        QNetworkReply* reply = manager_->get(request);
        active_[id] = {reply, {}, maxBytes};
        connect(reply, &QNetworkReply::metaDataChanged, this, [this, id] { checkLength(id); });
        connect(reply, &QNetworkReply::readyRead, this, [this, id] { take(id); });
        connect(reply, &QNetworkReply::finished, this, [this, id] { finished(id); });
        // Our own limit on the whole transfer: Qt's only counts time without data.
        QTimer::singleShot(timeoutMs_, reply, [this, id] { end(id, failure("timed out")); });
    }

    void abort(std::uint64_t id) { end(id, failure("cancelled")); }

    // Ends every request and the manager with them (the client is going).
    void close() {
        while (!active_.empty())
            end(active_.begin()->first, failure("cancelled"));
        delete manager_;
        manager_ = nullptr;
    }

private:
    struct Active {
        QNetworkReply* reply = nullptr;
        QByteArray body;
        qint64 maxBytes = 0;
    };

    void checkLength(std::uint64_t id) {
        const auto it = active_.find(id);
        if (it == active_.end())
            return;
        const QVariant length = it->second.reply->header(QNetworkRequest::ContentLengthHeader);
        const auto status =
            it->second.reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        // A redirect's own length says nothing about the document.
        if (length.isValid() && length.toLongLong() > it->second.maxBytes &&
            !(status >= 300 && status < 400))
            end(id, failure(tooLarge(it->second.maxBytes), status));
    }

    // False when the reply has grown past its limit and was ended.
    bool take(std::uint64_t id) {
        const auto it = active_.find(id);
        if (it == active_.end())
            return false;
        Active& a = it->second;
        a.body += a.reply->read(std::max<qint64>(0, a.maxBytes + 1 - a.body.size()));
        if (a.body.size() <= a.maxBytes)
            return true;
        end(id, failure(tooLarge(a.maxBytes)));
        return false;
    }

    void finished(std::uint64_t id) {
        if (!take(id))
            return;
        const auto it = active_.find(id);
        if (it == active_.end())
            return;
        QNetworkReply* reply = it->second.reply;
        if (reply->bytesAvailable() > 0) {
            end(id, failure(tooLarge(it->second.maxBytes)));
            return;
        }
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status >= 300) {
            const QString reason =
                reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
            std::string error = "HTTP " + std::to_string(status);
            if (!reason.isEmpty())
                error += " " + reason.toStdString();
            end(id, failure(error, status));
            return;
        }
        if (reply->error() != QNetworkReply::NoError) {
            end(id, failure(reply->errorString().toStdString(), status));
            return;
        }
        HttpReply ok;
        ok.ok = true;
        ok.status = status;
        ok.body = it->second.body.toStdString();
        end(id, std::move(ok));
    }

    // The one way out of a request: its reply goes, its result is posted, its outside work ends.
    void end(std::uint64_t id, HttpReply result) {
        const auto it = active_.find(id);
        if (it == active_.end())
            return;
        QNetworkReply* reply = it->second.reply;
        active_.erase(it);
        disconnect(reply, nullptr, this, nullptr);
        if (reply->isRunning())
            reply->abort();
        reply->deleteLater();
        deliver(loop_, waiting_, id, std::move(result));
        loop_.externalWorkFinished();
    }

    EventLoop& loop_;
    std::shared_ptr<Waiting> waiting_;
    int timeoutMs_;
    QNetworkAccessManager* manager_ = nullptr;
    std::map<std::uint64_t, Active> active_;
};

QtHttpClient::QtHttpClient(EventLoop& loop, double timeoutSeconds)
    : loop_(loop), waiting_(std::make_shared<Waiting>()) {
    const int timeoutMs = static_cast<int>(std::clamp(timeoutSeconds, 0.05, 3600.0) * 1000);
    worker_ = new Worker(loop_, waiting_, timeoutMs);
    worker_->moveToThread(&thread_);
    thread_.setObjectName(QStringLiteral("voxclock-http"));
    thread_.start();
}

QtHttpClient::~QtHttpClient() {
    waiting_->clear();
    Worker* worker = worker_;
    QMetaObject::invokeMethod(
        worker, [worker] { worker->close(); }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
    delete worker_;
}

std::uint64_t QtHttpClient::start(const std::string& url, std::size_t maxBytes,
                                  std::function<void(HttpReply)> done) {
    const std::uint64_t id = nextId_++;
    (*waiting_)[id] = std::move(done);
    const QUrl target = toQUrl(url);
    const QString scheme = target.scheme().toLower();
    if (!target.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https") &&
                              scheme != QLatin1String("file"))) {
        deliver(loop_, waiting_, id, failure("not an http://, https:// or file:// address"));
        return id;
    }
    const auto limit = static_cast<qint64>(
        std::min<std::size_t>(maxBytes, static_cast<std::size_t>(INT64_MAX - 1)));
    // Virtual time waits for the transfer; the worker says when it is over.
    loop_.externalWorkStarted();
    Worker* worker = worker_;
    QMetaObject::invokeMethod(
        worker, [worker, id, target, limit] { worker->get(id, target, limit); },
        Qt::QueuedConnection);
    return id;
}

void QtHttpClient::cancel(std::uint64_t id) {
    if (waiting_->erase(id) == 0)
        return;
    Worker* worker = worker_;
    QMetaObject::invokeMethod(
        worker, [worker, id] { worker->abort(id); }, Qt::QueuedConnection);
}

}  // namespace vox

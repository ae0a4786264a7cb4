#include "backends/svxlink/pty_channel.h"

#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace vox {

PtyChannel::PtyChannel(std::string path, std::function<void(const std::string&)> onData,
                       std::function<void(bool, const std::string&)> onState)
    : path_(std::move(path)), onData_(std::move(onData)), onState_(std::move(onState)) {
    retry_ = new QTimer(this);
    retry_->setInterval(1000);
    connect(retry_, &QTimer::timeout, this, [this] { tryOpen(); });
    tryOpen();
}

PtyChannel::~PtyChannel() {
    notifier_.reset();
    std::lock_guard<std::mutex> lock(mutex_);
    if (fd_ >= 0)
        ::close(fd_);
}

bool PtyChannel::isOpen() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return fd_ >= 0;
}

void PtyChannel::tryOpen() {
    if (isOpen())
        return;
    const int fd = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const std::string why = std::strerror(errno);
        if (!reportedMissing_ && onState_)
            onState_(false, "SvxLink: cannot open " + path_ + ": " + why);
        reportedMissing_ = true;
        retry_->start();
        return;
    }
    termios tio{};
    if (::tcgetattr(fd, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(fd, TCSANOW, &tio);
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        fd_ = fd;
    }
    retry_->stop();
    reportedMissing_ = false;
    notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { readReady(); });
    if (onState_)
        onState_(true, "SvxLink: " + path_ + " open");
}

void PtyChannel::readReady() {
    char buf[4096];
    for (;;) {
        int fd;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            fd = fd_;
        }
        if (fd < 0)
            return;
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0) {
            if (onData_)
                onData_(std::string(buf, static_cast<std::size_t>(n)));
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        // EIO or end of file: the other side of the PTY is gone.
        lost(n == 0 ? "closed" : std::strerror(errno));
        return;
    }
}

void PtyChannel::lost(const std::string& why) {
    notifier_.reset();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    reportedMissing_ = true;
    if (onState_)
        onState_(false, "SvxLink: " + path_ + " lost (" + why + ")");
    retry_->start();
}

bool PtyChannel::write(const std::string& bytes, std::string* error) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (fd_ < 0) {
        if (error)
            *error = path_ + " is not open (is SvxLink running?)";
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (error)
                *error = "cannot write to " + path_ + ": " + std::strerror(errno);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace vox

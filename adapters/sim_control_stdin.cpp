#include "sim_control_stdin.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace vox {
namespace {

// Beyond this a "line" is not a command; it is dropped rather than buffered without end.
constexpr std::size_t kMaxLineBytes = 4096;

}  // namespace

StdinLineReader::StdinLineReader(OnLine onLine) : onLine_(std::move(onLine)) {}

StdinLineReader::~StdinLineReader() = default;

bool StdinLineReader::start() {
    if (notifier_)
        return true;
    if (fcntl(STDIN_FILENO, F_GETFD) < 0)
        return false;
    notifier_ = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { readAvailable(); });
    return true;
}

void StdinLineReader::stop() {
    if (notifier_)
        notifier_->setEnabled(false);
}

void StdinLineReader::readAvailable() {
    char buffer[4096];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n <= 0) {
        // The end of the input: a last line without its line end still counts.
        stop();
        if (!pending_.empty() && !tooLong_) {
            std::string last;
            last.swap(pending_);
            onLine_(last);
        }
        return;
    }
    // Take the complete lines out first: a handler may run the event loop and bring us back here.
    std::vector<std::string> lines;
    for (const char* p = buffer; p != buffer + n; ++p) {
        if (*p != '\n') {
            if (pending_.size() < kMaxLineBytes)
                pending_ += *p;
            else
                tooLong_ = true;
            continue;
        }
        if (!tooLong_)
            lines.push_back(pending_);
        pending_.clear();
        tooLong_ = false;
    }
    for (const std::string& line : lines)
        onLine_(line);
}

}  // namespace vox

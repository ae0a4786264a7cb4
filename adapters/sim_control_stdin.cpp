#include "adapters/sim_control_stdin.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "core/base/control_line.h"

namespace vox {

StdinLineReader::StdinLineReader(OnLine onLine, int fd) : onLine_(std::move(onLine)), fd_(fd) {}

StdinLineReader::~StdinLineReader() = default;

bool StdinLineReader::start() {
    if (notifier_)
        return true;
    if (fcntl(fd_, F_GETFD) < 0)
        return false;
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
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
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n <= 0) {
        // The end of the input: a last line without its line end still counts.
        stop();
        if (!pending_.empty()) {
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
            // One byte over the limit is enough for the parser to refuse the line.
            if (pending_.size() <= kMaxControlLineBytes)
                pending_ += *p;
            continue;
        }
        lines.push_back(pending_);
        pending_.clear();
    }
    for (const std::string& line : lines)
        onLine_(line);
}

}  // namespace vox

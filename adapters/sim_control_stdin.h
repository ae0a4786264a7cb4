#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <string>

namespace vox {

// Lines typed or piped into the program, handed over one by one on the thread that created the
// reader. The end of the input only stops the reading: a service runs without any.
// A line longer than kMaxControlLineBytes is handed over once, cut to one byte more than that,
// so the control-command parser answers it "error: line too long" like any other bad line; the
// reader never holds more than that.
class StdinLineReader {
public:
    using OnLine = std::function<void(const std::string& line)>;

    // fd: standard input, or another readable descriptor (a pipe in tests).
    explicit StdinLineReader(OnLine onLine, int fd = 0);
    ~StdinLineReader();
    StdinLineReader(const StdinLineReader&) = delete;
    StdinLineReader& operator=(const StdinLineReader&) = delete;

    // False when there is no input to read (closed standard input).
    bool start();

private:
    void readAvailable();
    void stop();

    OnLine onLine_;
    int fd_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::string pending_;  // the line so far, at most kMaxControlLineBytes + 1 bytes
};

}  // namespace vox

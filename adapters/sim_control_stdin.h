#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <string>

namespace vox {

// Lines typed or piped into the program, handed over one by one on the thread that created the
// reader. The end of the input only stops the reading: a service runs without any.
class StdinLineReader {
public:
    using OnLine = std::function<void(const std::string& line)>;

    explicit StdinLineReader(OnLine onLine);
    ~StdinLineReader();
    StdinLineReader(const StdinLineReader&) = delete;
    StdinLineReader& operator=(const StdinLineReader&) = delete;

    // False when there is no input to read (closed standard input).
    bool start();

private:
    void readAvailable();
    void stop();

    OnLine onLine_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::string pending_;
    bool tooLong_ = false;  // the current line is dropped
};

}  // namespace vox

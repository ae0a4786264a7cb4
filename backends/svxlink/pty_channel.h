#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <mutex>
#include <string>

class QSocketNotifier;
class QTimer;

namespace vox {

// One of SvxLink's PTY symlinks, opened raw (line buffering would hide the single-byte squelch
// and PTT signals). When SvxLink goes away the link dangles or the read ends: the channel closes,
// says so once, and tries again every second until the PTY is back. Lives on the Qt loop's
// thread; write() may be called from any thread.
class PtyChannel : public QObject {
public:
    // onData: bytes read (the loop's thread). onState: true when opened, false when lost, with
    // a line for the log.
    PtyChannel(std::string path, std::function<void(const std::string&)> onData,
               std::function<void(bool open, const std::string& line)> onState);
    ~PtyChannel() override;

    const std::string& path() const { return path_; }
    bool isOpen() const;
    // False with the reason when the PTY is not open or the write fails.
    bool write(const std::string& bytes, std::string* error);
    // Tries to open now (also done every second while closed).
    void tryOpen();

private:
    void readReady();
    void lost(const std::string& why);

    std::string path_;
    std::function<void(const std::string&)> onData_;
    std::function<void(bool, const std::string&)> onState_;
    mutable std::mutex mutex_;
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer* retry_ = nullptr;
    bool reportedMissing_ = false;
};

}  // namespace vox

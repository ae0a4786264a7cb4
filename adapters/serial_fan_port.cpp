#include "adapters/serial_fan_port.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vox {
namespace {

std::string reason(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// The handshake lines of a terminal device, set with the modem-control ioctls; nothing is ever
// sent or read on it.
class TerminalFanLines : public SerialPortLines {
public:
    explicit TerminalFanLines(int fd) : fd_(fd) {}
    ~TerminalFanLines() override { ::close(fd_); }
    TerminalFanLines(const TerminalFanLines&) = delete;
    TerminalFanLines& operator=(const TerminalFanLines&) = delete;

    bool setRts(bool on, std::string* error) override { return setLine(TIOCM_RTS, on, error); }
    bool setDtr(bool on, std::string* error) override { return setLine(TIOCM_DTR, on, error); }

private:
    bool setLine(int line, bool on, std::string* error) {
        if (::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &line) == 0)
            return true;
        if (error)
            *error = reason("cannot set the modem lines");
        return false;
    }
    int fd_;
};

}  // namespace

std::unique_ptr<SerialPortLines> openSerialFanPort(const std::string& path, std::string* error) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = reason("cannot open " + path);
        return nullptr;
    }
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        if (error)
            *error = reason(path + " is not a serial port");
        ::close(fd);
        return nullptr;
    }
    // One owner at a time, as a terminal program would have it.
    if (::ioctl(fd, TIOCEXCL) != 0) {
        if (error)
            *error = reason("cannot hold " + path);
        ::close(fd);
        return nullptr;
    }
    // Without "hang up on close" the last close does not drop RTS and DTR.
    tio.c_cflag &= ~static_cast<tcflag_t>(HUPCL);
    tio.c_cflag |= CLOCAL;
    ::tcsetattr(fd, TCSANOW, &tio);
    return std::make_unique<TerminalFanLines>(fd);
}

}  // namespace vox

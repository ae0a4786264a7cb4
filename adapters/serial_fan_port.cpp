#include "adapters/serial_fan_port.h"

#include <termios.h>

#include <QSerialPort>

namespace vox {
namespace {

class QtSerialPortLines : public SerialPortLines {
public:
    explicit QtSerialPortLines(std::unique_ptr<QSerialPort> port) : port_(std::move(port)) {}

    bool setRts(bool on, std::string* error) override {
        return done(port_->setRequestToSend(on), error);
    }
    bool setDtr(bool on, std::string* error) override {
        return done(port_->setDataTerminalReady(on), error);
    }

private:
    bool done(bool ok, std::string* error) {
        if (!ok && error)
            *error = port_->errorString().toStdString();
        port_->clearError();
        return ok;
    }
    std::unique_ptr<QSerialPort> port_;
};

}  // namespace

std::unique_ptr<SerialPortLines> openSerialFanPort(const std::string& path, std::string* error) {
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(QString::fromStdString(path));
    // Nothing is sent or read: only the handshake lines matter.
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite)) {
        if (error)
            *error = port->errorString().toStdString();
        return nullptr;
    }
    // Without "hang up on close" the last close does not drop RTS and DTR.
    termios tio{};
    const int fd = static_cast<int>(port->handle());
    if (::tcgetattr(fd, &tio) == 0) {
        tio.c_cflag &= ~static_cast<tcflag_t>(HUPCL);
        ::tcsetattr(fd, TCSANOW, &tio);
    }
    return std::make_unique<QtSerialPortLines>(std::move(port));
}

}  // namespace vox

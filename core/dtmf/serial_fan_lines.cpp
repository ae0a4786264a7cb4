#include "core/dtmf/serial_fan_lines.h"

#include <stdexcept>

namespace vox {

SerialFanLines::SerialFanLines(std::string path, SerialPortOpener open, std::function<double()> now,
                               std::function<void(const std::string&)> report)
    : path_(std::move(path)),
      open_(std::move(open)),
      now_(std::move(now)),
      report_(std::move(report)) {}

void SerialFanLines::setRts(bool on) {
    set(true, on);
}
void SerialFanLines::setDtr(bool on) {
    set(false, on);
}

void SerialFanLines::set(bool rts, bool on) {
    SerialPortLines* port = this->port();
    if (!port)
        throw std::runtime_error("fan port " + path_ + " is not open");
    std::string error;
    if (rts ? port->setRts(on, &error) : port->setDtr(on, &error)) {
        // Back only once a line obeys: a port that opens and fails again each minute is one
        // outage, not two lines a minute.
        if (failing_ && report_)
            report_("Fan port " + path_ + " is open again");
        failing_ = false;
        return;
    }
    lost(error);
    throw std::runtime_error("fan port " + path_ + ": " + error);
}

SerialPortLines* SerialFanLines::port() {
    if (port_)
        return port_.get();
    const double now = now_();
    if (tried_ && now < nextTry_)
        return nullptr;
    tried_ = true;
    std::string error;
    std::unique_ptr<SerialPortLines> opened;
    try {
        opened = open_(path_, &error);
    } catch (const std::exception& e) {
        error = e.what();
    }
    if (!opened) {
        nextTry_ = now + kRetrySeconds;
        if (!failing_ && report_)
            report_("Fan port " + path_ + " cannot be opened (" +
                    (error.empty() ? std::string("no reason given") : error) +
                    "); trying again each minute");
        failing_ = true;
        return nullptr;
    }
    port_ = std::move(opened);
    return port_.get();
}

void SerialFanLines::lost(const std::string& why) {
    port_.reset();
    nextTry_ = now_() + kRetrySeconds;
    if (!failing_ && report_)
        report_("Fan port " + path_ + " failed (" + why + "); trying again each minute");
    failing_ = true;
}

}  // namespace vox

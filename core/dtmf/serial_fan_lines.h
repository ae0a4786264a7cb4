#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/dtmf/fan_lines.h"

namespace vox {

// One open serial port's handshake lines, as the machine gives them.
class SerialPortLines {
public:
    virtual ~SerialPortLines() = default;
    // False with the reason when the line could not be set.
    virtual bool setRts(bool on, std::string* error) = 0;
    virtual bool setDtr(bool on, std::string* error) = 0;
};

// Opens a serial port by its path; null with the reason when it cannot.
using SerialPortOpener =
    std::function<std::unique_ptr<SerialPortLines>(const std::string& path, std::string* error)>;

// The fan on a serial port of its own, for nodes whose program does not drive the radio port's
// lines. The port opens at the first line set. A port that cannot be opened, or that fails a line
// (unplugged), is reported once and tried again each minute; until then every line set fails
// quietly, so the fan's timer runs on and picks the port up when it comes back.
class SerialFanLines : public FanLines {
public:
    static constexpr double kRetrySeconds = 60;

    // now: monotonic seconds. report: one line per outage and per recovery.
    SerialFanLines(std::string path, SerialPortOpener open, std::function<double()> now,
                   std::function<void(const std::string&)> report);

    void setRts(bool on) override;
    void setDtr(bool on) override;
    bool isOpen() const { return port_ != nullptr; }

private:
    void set(bool rts, bool on);
    // The open port, opening it when a retry is due; null while the port is unusable.
    SerialPortLines* port();
    void lost(const std::string& why);

    std::string path_;
    SerialPortOpener open_;
    std::function<double()> now_;
    std::function<void(const std::string&)> report_;
    std::unique_ptr<SerialPortLines> port_;
    bool tried_ = false;
    bool failing_ = false;  // an outage already reported
    double nextTry_ = 0;
};

}  // namespace vox

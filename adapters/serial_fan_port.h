#pragma once

#include <memory>
#include <string>

#include "core/dtmf/serial_fan_lines.h"

namespace vox {

// Opens a serial port for the fan's RTS and DTR lines (QSerialPort). The port is set so that
// closing it leaves the lines as they are: the fan shutdown switched on keeps running after the
// program has ended. Null with the reason when the port cannot be opened.
std::unique_ptr<SerialPortLines> openSerialFanPort(const std::string& path, std::string* error);

}  // namespace vox

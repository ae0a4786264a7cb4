#include "serial_fan_lines.h"

#include "module_loader.h"

namespace vox {

std::unique_ptr<SerialPortLines> openSerialFanPort(const std::string& path, std::string* error) {
    // Qt SerialPort is loaded only by a program whose fan has a port of its own.
    using Entry = SerialPortLines* (*)(const std::string*, std::string*);
    static std::string loadError;
    static const auto entry = reinterpret_cast<Entry>(
        loadModuleEntry("voxclock-serial", "voxclock_open_serial_port", &loadError));
    if (entry == nullptr) {
        if (error)
            *error = loadError;
        return nullptr;
    }
    return std::unique_ptr<SerialPortLines>(entry(&path, error));
}

}  // namespace vox

#include "adapters/sound_devices.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vox {

namespace {

class NoDevices : public SoundDevices {
public:
    std::vector<std::string> names() override { return {}; }
    std::shared_ptr<AudioOutput> open(int) override { return nullptr; }
};

bool isSocket(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The entry point of the sound plugin beside this executable, kept for the life of the process;
// null with the reason when it cannot be loaded.
void* pluginEntry(std::string* error) {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        *error = "cannot find the program's folder: " + ec.message();
        return nullptr;
    }
    const std::string path = (self.parent_path() / "voxclock-sound.so").string();
    // Local: the plugin's copies of our static libraries never stand in for the program's own.
    void* plugin = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (plugin == nullptr) {
        const char* why = dlerror();
        *error = why ? why : "cannot load " + path;
        return nullptr;
    }
    if (void* entry = dlsym(plugin, "voxclock_sound_devices"))
        return entry;
    *error = path + " has no voxclock_sound_devices";
    return nullptr;
}

SoundDevices* loadDevices() {
    static NoDevices none;
    if (!soundServerPresent())
        return &none;
    std::string error;
    using Entry = SoundDevices* (*)();
    auto entry = reinterpret_cast<Entry>(pluginEntry(&error));
    SoundDevices* devices = entry ? entry() : nullptr;
    if (devices == nullptr) {
        std::fprintf(stderr, "No sound devices: %s\n", error.c_str());
        return &none;
    }
    return devices;
}

}  // namespace

bool soundServerPresent() {
    if (!environment("PULSE_SERVER").empty() || !environment("DISPLAY").empty() ||
        !environment("WAYLAND_DISPLAY").empty())
        return true;
    std::vector<std::string> sockets;
    if (const std::string dir = environment("PULSE_RUNTIME_PATH"); !dir.empty())
        sockets.push_back(dir + "/native");
    const std::string runtime = environment("XDG_RUNTIME_DIR");
    sockets.push_back((runtime.empty() ? "/run/user/" + std::to_string(getuid()) : runtime) +
                      "/pulse/native");
    // A server in system mode.
    sockets.push_back("/run/pulse/native");
    sockets.push_back("/var/run/pulse/native");
    for (const std::string& path : sockets)
        if (isSocket(path))
            return true;
    return false;
}

SoundDevices& soundDevices() {
    static SoundDevices* devices = loadDevices();
    return *devices;
}

}  // namespace vox

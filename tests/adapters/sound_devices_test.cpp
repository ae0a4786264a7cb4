#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "adapters/sound_devices.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

namespace fs = std::filesystem;

// Sets the variables for the life of the object and puts the old values back.
class Environment {
public:
    void set(const char* name, const std::optional<std::string>& value) {
        const char* old = std::getenv(name);
        saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~Environment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second)
                setenv(it->first.c_str(), it->second->c_str(), 1);
            else
                unsetenv(it->first.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// A socket file at `path`, as a sound server leaves one.
int listenAt(const fs::path& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
    EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    return fd;
}

// The sound devices are asked for only when a server may answer: its socket in the runtime folder,
// one named by PULSE_SERVER, or a display's session. A plain file where the socket would be is
// no server.
TEST(SoundServer, IsAskedForOnlyWhenOneMayAnswer) {
    for (const char* systemServer : {"/run/pulse/native", "/var/run/pulse/native"})
        if (fs::exists(systemServer))
            GTEST_SKIP() << "a sound server in system mode is running: " << systemServer;
    TempFolder temp;
    const fs::path dir = temp.path;
    fs::create_directories(dir / "socket" / "pulse");
    fs::create_directories(dir / "file" / "pulse");
    fs::create_directories(dir / "empty");
    const int fd = listenAt(dir / "socket" / "pulse" / "native");
    std::ofstream(dir / "file" / "pulse" / "native") << "not a socket";

    struct Case {
        const char* what;
        std::string runtime;
        std::optional<std::string> pulseServer, display;
        bool present;
    };
    const std::vector<Case> cases{
        {"nothing", (dir / "empty").string(), std::nullopt, std::nullopt, false},
        {"a socket", (dir / "socket").string(), std::nullopt, std::nullopt, true},
        {"a plain file", (dir / "file").string(), std::nullopt, std::nullopt, false},
        {"PULSE_SERVER", (dir / "empty").string(), "tcp:sound.local", std::nullopt, true},
        {"an empty PULSE_SERVER", (dir / "empty").string(), "", std::nullopt, false},
        {"a display", (dir / "empty").string(), std::nullopt, ":0", true},
    };
    for (const Case& c : cases) {
        Environment env;
        env.set("XDG_RUNTIME_DIR", c.runtime);
        env.set("PULSE_RUNTIME_PATH", std::nullopt);
        env.set("PULSE_SERVER", c.pulseServer);
        env.set("DISPLAY", c.display);
        env.set("WAYLAND_DISPLAY", std::nullopt);
        EXPECT_EQ(soundServerPresent(), c.present) << c.what;
    }
    close(fd);
}

}  // namespace
}  // namespace vox

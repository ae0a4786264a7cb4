// The fan's serial port on a pseudo-terminal: what the machine gives when there is no hardware.
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include "adapters/serial_fan_port.h"

namespace vox {
namespace {

TEST(SerialFanPort, APortThatIsNotThereIsAnErrorNotACrash) {
    for (const char* path : {"/nonexistent/ttyUSB9", "", "/dev/null", "/proc/self/status"}) {
        SCOPED_TRACE(path);
        std::string error;
        EXPECT_EQ(openSerialFanPort(path, &error), nullptr);
        EXPECT_FALSE(error.empty());
    }
}

TEST(SerialFanPort, APseudoTerminalOpensAndRefusesItsLinesWithAReason) {
    int master = -1, slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    {
        std::string error;
        auto port = openSerialFanPort(name, &error);
        ASSERT_NE(port, nullptr) << error;
        // A pseudo-terminal has no modem lines: each set fails with the reason, never throws.
        for (bool on : {true, false}) {
            std::string why;
            EXPECT_FALSE(port->setRts(on, &why));
            EXPECT_FALSE(why.empty());
            why.clear();
            EXPECT_FALSE(port->setDtr(on, &why));
            EXPECT_FALSE(why.empty());
        }
    }
    ::close(slave);
    ::close(master);
}

}  // namespace
}  // namespace vox

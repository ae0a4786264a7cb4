#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "adapters/systemd_notify.h"
#include "tests/support/notify_socket.h"

namespace vox {
namespace {

namespace fs = std::filesystem;

TEST(SystemdNotify, TheWatchdogTimeIsTheManagersForThisProcessOnly) {
    struct Case {
        const char* usec;
        const char* pid;
        double seconds;
    };
    const std::string self = std::to_string(getpid());
    const std::string other = std::to_string(getpid() + 1);
    for (const Case c : {Case{nullptr, nullptr, 0}, Case{"", nullptr, 0}, Case{"0", nullptr, 0},
                         Case{"30000000", nullptr, 30}, Case{"30000000", "", 30},
                         Case{"1500000", self.c_str(), 1.5}, Case{"1500000", other.c_str(), 0},
                         Case{"1500000", "x", 0}, Case{"-5", nullptr, 0}, Case{"12abc", nullptr, 0},
                         Case{" 5", nullptr, 0}, Case{"99999999999999999999999", nullptr, 0}}) {
        EXPECT_DOUBLE_EQ(watchdogSecondsFrom(c.usec, c.pid, getpid()), c.seconds)
            << (c.usec ? c.usec : "(unset)") << " pid " << (c.pid ? c.pid : "(unset)");
    }
}

TEST(SystemdNotify, EachStateIsOneDatagramOnTheSocket) {
    char pattern[] = "/tmp/voxclock-notify.XXXXXX";
    const fs::path dir = mkdtemp(pattern);
    {
        testsupport::NotifySocket manager((dir / "notify").string());
        ASSERT_TRUE(manager.ok());
        SystemdNotifier notifier(manager.path(), 4);
        EXPECT_DOUBLE_EQ(notifier.watchdogSeconds(), 4);
        for (const char* state : {"READY=1", "WATCHDOG=1", "STOPPING=1"}) {
            notifier.notify(state);
            EXPECT_EQ(manager.receive(5).value_or("(nothing)"), state);
        }
    }
    fs::remove_all(dir);
}

TEST(SystemdNotify, WithoutAUsableSocketNoticesAreDropped) {
    // No socket, a relative path, a socket nobody listens on, one too long for an address.
    for (const std::string& path :
         {std::string(), std::string("relative/notify"), std::string("/nonexistent/notify"),
          std::string("/") + std::string(200, 'x')}) {
        SystemdNotifier notifier(path, 0);
        notifier.notify("READY=1");
        EXPECT_EQ(notifier.watchdogSeconds(), 0);
    }
}

}  // namespace
}  // namespace vox

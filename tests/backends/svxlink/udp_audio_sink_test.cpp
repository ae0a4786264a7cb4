#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "backends/svxlink/udp_audio_sink.h"

namespace vox {
namespace {

// A loopback UDP port with nothing bound to it (yet).
int freePort() {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

struct Lines {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> seen;
    void add(const std::string& line) {
        std::lock_guard<std::mutex> lock(mutex);
        seen.push_back(line);
        changed.notify_all();
    }
    bool waitFor(std::size_t count) {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10),
                                [&] { return seen.size() >= count; });
    }
};

// SvxLink gone mid-transmission: each refused datagram is reported on the next send, so sends
// fail and succeed in turn. The loss is told once, and its end once audio flows again.
TEST(UdpAudioSink, ALostAudioPathIsToldOnceAndItsReturnToo) {
    const int port = freePort();
    Lines lines;
    UdpAudioSink sink(
        "127.0.0.1", port, 16000, 1, [](char, std::string*) { return true; },
        [&](const std::string& line) { lines.add(line); });
    ASSERT_TRUE(sink.key(nullptr));
    ASSERT_TRUE(lines.waitFor(1));

    // SvxLink back: its receiver takes the datagrams again.
    const int rx = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(rx, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_TRUE(lines.waitFor(2));
    sink.shutdown();
    ::close(rx);
    const std::string target = "SvxLink: audio to udp 127.0.0.1:" + std::to_string(port);
    ASSERT_EQ(lines.seen.size(), 2u);
    EXPECT_EQ(lines.seen[0], target + " not delivered: Connection refused");
    EXPECT_EQ(lines.seen[1], target + " flows again");
}

}  // namespace
}  // namespace vox

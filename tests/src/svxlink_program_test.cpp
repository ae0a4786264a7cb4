#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/svxlink_test_node.h"
#include "tests/support/temp_folder.h"

// The whole program against a real SvxLink: `voxclock --headless` runs as a child process with
// `[node] backend = svxlink`, and the test watches the node from outside: the main transmitter's
// PTT PTY and UDP audio, and what Voxclock writes to air.log and stderr.
namespace vox {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

long msSince(Clock::time_point t) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count());
}

// The program under test: next to this test binary's folder unless VOXCLOCK_BINARY names it.
fs::path voxclockBinary() {
    if (const char* given = std::getenv("VOXCLOCK_BINARY"); given && *given)
        return given;
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec).parent_path().parent_path() / "src" / "voxclock";
}

// `voxclock --headless --home HOME`, stdout and stderr to files; TERM then KILL on the way out.
class VoxclockProcess {
public:
    ~VoxclockProcess() {
        if (running()) {
            ::kill(pid_, SIGTERM);
            wait(10000);
        }
        if (running()) {
            ::kill(pid_, SIGKILL);
            wait(2000);
        }
    }

    bool start(const fs::path& binary, const fs::path& home, const fs::path& errFile) {
        std::string bin = binary.string(), headless = "--headless", homeOpt = "--home",
                    homeDir = home.string();
        std::vector<char*> argv{bin.data(), headless.data(), homeOpt.data(), homeDir.data(),
                                nullptr};
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_addopen(&fa, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&fa, 1, (home / "stdout.txt").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&fa, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        const int rc = ::posix_spawn(&pid_, bin.c_str(), &fa, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&fa);
        if (rc != 0)
            pid_ = -1;
        return rc == 0;
    }

    bool running() {
        if (pid_ <= 0 || exited_)
            return false;
        if (::waitpid(pid_, &status_, WNOHANG) == pid_)
            exited_ = true;
        return !exited_;
    }
    // Waits for it to end; false if it is still running after `ms`.
    bool wait(int ms) {
        const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
        while (running()) {
            if (Clock::now() > deadline)
                return false;
            ::poll(nullptr, 0, 10);
        }
        return true;
    }
    void terminate() { ::kill(pid_, SIGTERM); }
    void crash() { ::kill(pid_, SIGKILL); }
    // Its exit code, or -1 when a signal ended it.
    int exitCode() const { return exited_ && WIFEXITED(status_) ? WEXITSTATUS(status_) : -1; }

private:
    pid_t pid_ = -1;
    bool exited_ = false;
    int status_ = 0;
};

class SvxlinkProgram : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testnode::svxlinkInstalled())
            GTEST_SKIP() << "svxlink is not installed (scripts/deps.sh installs svxlink-server)";
        binary_ = voxclockBinary();
        ASSERT_TRUE(fs::exists(binary_)) << binary_ << " is missing: build the voxclock target";
        ASSERT_TRUE(lock_.acquire(120000, [this] { step(); }))
            << "another SvxLink test held the node for two minutes";
        root_ = fs::temp_directory_path() /
                ("voxclock-svxprog-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        std::string error;
        ASSERT_TRUE(node_.start(root_ / "node", &error)) << error;
        openTxAudio();
        ASSERT_TRUE(openPtt()) << "cannot open " << node_.path("MAIN_PTT_PTY");

        home_ = root_ / "home";
        fs::create_directories(home_);
        std::ofstream(home_ / "voxclock.conf")
            << "[node]\nbackend = svxlink\n\n[svxlink]\n"
            << "state_pty = " << node_.path("STATE_PTY") << "\n"
            << "dtmf_ctrl_pty = " << node_.path("DTMF_CTRL_PTY") << "\n"
            << "squelch_pty = " << node_.path("ANN_SQL_PTY") << "\n"
            << "echolink_command_pty = " << (node_.echolink() ? node_.path("ECHOLINK_CMD_PTY") : "")
            << "\n"
            << "audio_port = " << node_.value("ANN_RX_UDP") << "\n"
            << "sample_rate = " << node_.value("SAMPLE_RATE") << "\n"
            << "channels = " << node_.value("CHANNELS") << "\n"
            << "own_codes_file = " << (node_.dir() / "voxclock_codes").string() << "\n";
        startVoxclock();
    }

    void TearDown() override {
        vox_.reset();
        node_.stop();
        if (pttFd_ >= 0)
            ::close(pttFd_);
        if (udpFd_ >= 0)
            ::close(udpFd_);
        // Kept when something failed, for the logs of both programs.
        if (HasFailure())
            std::cout << "logs kept in " << root_ << "\n";
        else
            fs::remove_all(root_);
    }

    void startVoxclock() {
        vox_ = std::make_unique<VoxclockProcess>();
        ASSERT_TRUE(vox_->start(binary_, home_, home_ / "stderr.txt"));
        // Running once the station shows its status panels; its own DTMF codes are handed to
        // the Tcl hook by then.
        ASSERT_TRUE(
            until([&] { return air().find("\"ev\":\"status\"") != std::string::npos; }, 30000))
            << "voxclock did not come up:\n"
            << err();
        ASSERT_NE(readFile(node_.dir() / "voxclock_codes").find("\n00*\n"), std::string::npos);
    }

    // Waits on the PTT PTY and the TX audio socket, keeping what arrives.
    void step() {
        pollfd fds[2] = {{pttFd_, POLLIN, 0}, {udpFd_, POLLIN, 0}};
        ::poll(fds, 2, 10);
        char buf[2048];
        ssize_t n;
        while (pttFd_ >= 0 && (n = ::read(pttFd_, buf, sizeof buf)) > 0)
            ptt_.append(buf, static_cast<std::size_t>(n));
        while (udpFd_ >= 0 && (n = ::recv(udpFd_, buf, sizeof buf, 0)) > 0) {
            const auto* s = reinterpret_cast<const std::int16_t*>(buf);
            audio_.insert(audio_.end(), s, s + n / 2);
        }
    }
    bool until(const std::function<bool()>& done, int ms) {
        return testnode::waitUntil(done, ms, [this] { step(); });
    }

    bool openPtt() {
        if (pttFd_ >= 0)
            ::close(pttFd_);
        pttFd_ =
            ::open(node_.path("MAIN_PTT_PTY").c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (pttFd_ < 0)
            return false;
        // Raw: SvxLink writes single bytes with no newline.
        termios t{};
        ::tcgetattr(pttFd_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(pttFd_, TCSANOW, &t);
        return true;
    }
    void openTxAudio() {
        udpFd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<std::uint16_t>(node_.port("MAIN_TX_UDP")));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(::bind(udpFd_, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    }

    // DTMF as if heard on the radio: SvxLink hands "00*" to the Tcl hook, which gives it to us.
    Clock::time_point injectTimeRequest() {
        const int fd = ::open(node_.path("DTMF_CTRL_PTY").c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        EXPECT_GE(fd, 0);
        const auto at = Clock::now();
        EXPECT_EQ(::write(fd, "00*#", 4), 4);
        ::close(fd);
        return at;
    }

    double rms() const {
        double sum = 0;
        for (auto s : audio_)
            sum += double(s) * s;
        return audio_.empty() ? 0 : std::sqrt(sum / double(audio_.size()));
    }

    // One line to the running program's control socket, and its answer.
    std::string controlReply(const std::string& line) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        const std::string path = (home_ / "sim.sock").string();
        std::snprintf(a.sun_path, sizeof a.sun_path, "%s", path.c_str());
        std::string reply;
        if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
            const std::string out = line + "\n";
            if (::write(fd, out.data(), out.size()) == static_cast<ssize_t>(out.size())) {
                char c;
                while (::read(fd, &c, 1) == 1 && c != '\n')
                    reply += c;
            }
        }
        ::close(fd);
        return reply;
    }

    std::string air() const { return readFile(home_ / "air.log"); }
    std::string err() const { return readFile(home_ / "stderr.txt"); }

    testnode::NodeLock lock_;
    testnode::SvxlinkTestNode node_{[this] { step(); }};
    fs::path binary_, root_, home_;
    std::unique_ptr<VoxclockProcess> vox_;
    int pttFd_ = -1, udpFd_ = -1;
    std::string ptt_;
    std::vector<std::int16_t> audio_;
};

// A time request keyed in on the radio is answered on the air; a stop while idle ends the
// program cleanly and leaves the transmitter as it was.
TEST_F(SvxlinkProgram, DtmfTimeRequestIsSpokenOnTheAirAndAStopWhileIdleIsClean) {
    const auto dtmfAt = injectTimeRequest();
    ASSERT_TRUE(until([&] { return ptt_.find('T') != std::string::npos; }, 20000))
        << "the transmitter never keyed\n"
        << err();
    std::cout << "[ measure  ] DTMF \"00*#\" written -> PTT 'T': " << msSince(dtmfAt) << " ms\n";
    ASSERT_TRUE(until([&] { return ptt_.find('R') != std::string::npos; }, 30000)) << ptt_;
    EXPECT_EQ(ptt_, "TR");
    EXPECT_GT(audio_.size(), 16000u / 2) << "less than half a second of audio on the air";
    EXPECT_GT(rms(), 300) << "no energy in the transmitted audio";
    EXPECT_NE(air().find("\"ev\":\"speak\",\"text\":\"The time is "), std::string::npos) << air();
    // PTT is in the air log on SvxLink too.
    EXPECT_NE(air().find(R"("ev":"ptt","on":true)"), std::string::npos) << air();
    EXPECT_NE(air().find(R"("ev":"ptt","on":false)"), std::string::npos) << air();

    // The defaults SvxLink cannot carry (00#, BADC) were replaced, and the hook told.
    EXPECT_NE(air().find("DTMF: SvxLink cannot carry the default codes"), std::string::npos);
    EXPECT_TRUE(until(
        [&] {
            return readFile(node_.dir() / "voxclock_codes").find("\n*8*\n") != std::string::npos;
        },
        5000));
    // The simulator's control commands would do nothing here: they are refused, saying why.
    EXPECT_EQ(controlReply("rx on").rfind("error: the node is SvxLink", 0), 0u);

    vox_->terminate();
    ASSERT_TRUE(vox_->wait(15000)) << "voxclock did not end on SIGTERM";
    EXPECT_EQ(vox_->exitCode(), 0) << err();
    step();
    EXPECT_EQ(ptt_, "TR");
    // Stopped, it leaves every code to SvxLink again.
    EXPECT_FALSE(fs::exists(node_.dir() / "voxclock_codes"));
}

// Stopped in the middle of its answer: the squelch is closed on the way out, so SvxLink's
// transmitter drops.
TEST_F(SvxlinkProgram, AStopWhileSpeakingUnkeysTheTransmitter) {
    injectTimeRequest();
    ASSERT_TRUE(until([&] { return ptt_.find('T') != std::string::npos; }, 20000)) << err();
    vox_->terminate();
    ASSERT_TRUE(vox_->wait(15000)) << "voxclock did not end on SIGTERM";
    EXPECT_EQ(vox_->exitCode(), 0) << err();
    EXPECT_TRUE(until([&] { return !ptt_.empty() && ptt_.back() == 'R'; }, 5000)) << ptt_;
    EXPECT_EQ(ptt_, "TR");
}

// Killed in the middle of its answer, Voxclock leaves SvxLink's squelch open and the transmitter
// keyed; started again, it closes that squelch before anything else, and its next answer keys the
// transmitter as usual.
TEST_F(SvxlinkProgram, ACrashWhileSpeakingIsClearedAtTheNextStart) {
    injectTimeRequest();
    ASSERT_TRUE(until([&] { return ptt_.find('T') != std::string::npos; }, 20000)) << err();
    // Well into the reply: a second of audio on the air.
    ASSERT_TRUE(until([&] { return audio_.size() >= 16000u; }, 20000));
    vox_->crash();
    ASSERT_TRUE(vox_->wait(5000));
    step();
    ASSERT_EQ(ptt_, "T") << "the crash did not leave the transmitter keyed";

    const auto restartAt = Clock::now();
    vox_ = std::make_unique<VoxclockProcess>();
    ASSERT_TRUE(vox_->start(binary_, home_, home_ / "stderr2.txt"));
    ASSERT_TRUE(until([&] { return ptt_ == "TR"; }, 2000))
        << "PTT still on 2 s after the restart: " << ptt_;
    std::cout << "[ measure  ] restart -> stale PTT off: " << msSince(restartAt) << " ms\n";

    ptt_.clear();
    bool answered = false;
    for (int attempt = 0; attempt < 3 && !answered; ++attempt) {
        injectTimeRequest();
        answered = until([&] { return ptt_.find('T') != std::string::npos; }, 10000);
    }
    ASSERT_TRUE(answered && until([&] { return ptt_.find('R') != std::string::npos; }, 30000))
        << "no answer after the restart: " << ptt_ << "\n"
        << readFile(home_ / "stderr2.txt");
    EXPECT_EQ(ptt_, "TR");
}

// SvxLink going away leaves Voxclock running and saying so; when SvxLink is back, Voxclock
// finds it again and answers DTMF as before.
TEST_F(SvxlinkProgram, SvxlinkGoneIsReportedAndVoxclockReconnectsWhenItIsBack) {
    const std::string stateLost = "SvxLink: " + node_.path("STATE_PTY") + " lost";
    const std::string stateOpen = "SvxLink: " + node_.path("STATE_PTY") + " open";
    ASSERT_EQ(count(err(), stateOpen), 1u) << err();
    node_.stop();
    ASSERT_TRUE(until([&] { return err().find(stateLost) != std::string::npos; }, 5000)) << err();
    ASSERT_TRUE(
        until([&] { return err().find("SvxLink is not running") != std::string::npos; }, 10000))
        << err();
    EXPECT_TRUE(vox_->running());
    // The owner sees it too: on the status bar and in the event log.
    EXPECT_NE(air().find(R"("ev":"status","panel":4,"text":")" + stateLost), std::string::npos)
        << air();
    EXPECT_NE(air().find(R"("ev":"log","text":")" + stateLost), std::string::npos) << air();

    std::string error;
    const auto startedAt = Clock::now();
    ASSERT_TRUE(node_.restart(&error)) << error;
    const auto backAt = Clock::now();
    ASSERT_TRUE(until([&] { return count(err(), stateOpen) == 2; }, 15000))
        << "voxclock did not find SvxLink again\n"
        << err();
    std::cout << "[ measure  ] svxlink started -> Voxclock reconnected: " << msSince(startedAt)
              << " ms (of which after its PTYs were there: " << msSince(backAt) << " ms)\n";
    EXPECT_TRUE(vox_->running());

    ASSERT_TRUE(openPtt());
    ptt_.clear();
    // SvxLink makes its PTYs before its logic takes DTMF: a request that comes too early is
    // dropped by SvxLink itself, so it is asked again.
    bool answered = false;
    for (int attempt = 0; attempt < 3 && !answered; ++attempt) {
        injectTimeRequest();
        answered = until([&] { return ptt_.find('T') != std::string::npos; }, 10000);
    }
    ASSERT_TRUE(answered && until([&] { return ptt_.find('R') != std::string::npos; }, 30000))
        << "no answer after the reconnection: " << ptt_ << "\n"
        << err();
    EXPECT_EQ(ptt_, "TR");
    vox_->terminate();
    ASSERT_TRUE(vox_->wait(15000));
    EXPECT_EQ(vox_->exitCode(), 0) << err();
}

}  // namespace
}  // namespace vox

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/notify_socket.h"

// The headless program under a service manager: it says when it is ready, pings the watchdog from
// the behaviour thread, stops pinging when that thread hangs, and says when it stops.
namespace vox {
namespace {

namespace fs = std::filesystem;

// The watchdog time given to the program: pings every 0.2 s.
constexpr const char* kWatchdogUsec = "400000";
constexpr double kPingSeconds = 0.2;
// Start-up takes about 7 s of waits; readiness is expected well within this.
constexpr double kStartUpLimitSeconds = 60;

fs::path voxclockBinary() {
    if (const char* given = std::getenv("VOXCLOCK_BINARY"); given && *given)
        return given;
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec).parent_path().parent_path() / "src" / "voxclock";
}

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The last PTT record of the air log, "" when the transmitter was never keyed.
std::string lastPttRecord(const fs::path& airLog) {
    std::istringstream lines(readFile(airLog));
    std::string last;
    for (std::string line; std::getline(lines, line);)
        if (line.find("\"ev\":\"ptt\"") != std::string::npos)
            last = line;
    return last;
}

// The headless program with its own folder, a notification socket and a pipe to its standard
// input; stopped by its own PID when a test ends early.
class ServiceRun {
public:
    ServiceRun() : dir_(makeDir()), manager_((dir_ / "notify").string()) {
        fs::create_directories(dir_ / "home");
        fs::create_directories(dir_ / "run");
        int input[2];
        if (pipe2(input, O_CLOEXEC) != 0)
            return;
        stdin_ = input[1];
        std::vector<std::string> args{voxclockBinary().string(), "--headless", "--home",
                                      home().string()};
        std::vector<std::string> env{"HOME=" + dir_.string(),
                                     "XDG_RUNTIME_DIR=" + (dir_ / "run").string(),
                                     "PATH=/usr/bin:/bin", manager_.environment(),
                                     std::string("WATCHDOG_USEC=") + kWatchdogUsec};
        std::vector<char*> argv, envp;
        for (std::string& s : args)
            argv.push_back(s.data());
        argv.push_back(nullptr);
        for (std::string& s : env)
            envp.push_back(s.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_adddup2(&files, input[0], 0);
        posix_spawn_file_actions_addopen(&files, 1, (dir_ / "out").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&files, 2, (dir_ / "err").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (posix_spawn(&pid_, argv[0], &files, nullptr, argv.data(), envp.data()) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&files);
        close(input[0]);
    }
    ~ServiceRun() {
        if (stdin_ >= 0)
            close(stdin_);
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    bool started() const { return pid_ > 0 && manager_.ok(); }
    testsupport::NotifySocket& manager() { return manager_; }
    fs::path home() const { return dir_ / "home"; }
    std::string errors() const { return readFile(dir_ / "err"); }
    bool alive() const { return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0; }
    void type(const std::string& line) { (void)!write(stdin_, line.data(), line.size()); }
    void signal(int number) { kill(pid_, number); }
    // The exit status, or 128 + the signal that ended it.
    int wait() {
        int status = 0;
        const pid_t pid = std::exchange(pid_, -1);
        if (waitpid(pid, &status, 0) != pid)
            return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    static fs::path makeDir() {
        char pattern[] = "/tmp/voxclock-service.XXXXXX";
        return mkdtemp(pattern);
    }

    fs::path dir_;
    testsupport::NotifySocket manager_;
    pid_t pid_ = -1;
    int stdin_ = -1;
};

TEST(ServiceReadiness, ReadyAfterStartUpThenPingsThenStoppingOnAStop) {
    ServiceRun run;
    ASSERT_TRUE(run.started());
    std::string before;
    ASSERT_TRUE(run.manager().receiveUntil("READY=1", kStartUpLimitSeconds, &before))
        << run.errors();
    // Start-up was over: the panels were shown and the control socket is open.
    EXPECT_NE(readFile(run.home() / "air.log").find("\"ev\":\"status\""), std::string::npos);
    EXPECT_TRUE(fs::exists(run.home() / "sim.sock"));
    // Before it only watchdog pings (the start-up waits are covered too).
    std::istringstream lines(before);
    for (std::string line; std::getline(lines, line);)
        EXPECT_EQ(line, "WATCHDOG=1");

    // The pings go on at the interval asked for, each well within the watchdog time's reach.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(run.manager().receive(10 * kPingSeconds).value_or("(none)"), "WATCHDOG=1");

    run.signal(SIGTERM);
    EXPECT_TRUE(run.manager().receiveUntil("STOPPING=1", kStartUpLimitSeconds));
    EXPECT_EQ(run.wait(), 0) << run.errors();
    // The shutdown sequence ran: the transmitter is off, and nothing came after STOPPING.
    const std::string ptt = lastPttRecord(run.home() / "air.log");
    EXPECT_TRUE(ptt.empty() || ptt.find("\"on\":false") != std::string::npos) << ptt;
    EXPECT_FALSE(run.manager().receive(0.001).has_value());
}

TEST(ServiceReadiness, TheWatchdogPingsStopWhenTheBehaviourThreadHangs) {
    ServiceRun run;
    ASSERT_TRUE(run.started());
    ASSERT_TRUE(run.manager().receiveUntil("READY=1", kStartUpLimitSeconds)) << run.errors();
    ASSERT_EQ(run.manager().receive(10 * kPingSeconds).value_or("(none)"), "WATCHDOG=1");

    run.type("hang\n");
    // A ping already on its way may still come; then silence for many intervals.
    int late = 0;
    while (run.manager().receive(10 * kPingSeconds).has_value())
        ASSERT_LE(++late, 3) << "the pings go on while the behaviour thread hangs";
    // Hung, not ended: the manager's watchdog would have to end it.
    EXPECT_TRUE(run.alive());
}

}  // namespace
}  // namespace vox

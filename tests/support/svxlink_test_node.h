#pragma once
// A real SvxLink for the tests, started from a configuration generated in a temporary folder
// (tests/data/svxlink/start_node.sh): UDP audio, PTY squelch and PTT, no sound card. It is
// stopped by its own PID, also when a test fails half-way.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace vox::testnode {

namespace fs = std::filesystem;

// Polls `done` until it holds or `ms` have passed; `step` waits a little (runs events, or
// blocks on a file descriptor) between the polls.
inline bool waitUntil(const std::function<bool()>& done, int ms,
                      const std::function<void()>& step) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        step();
    }
    return true;
}

inline bool svxlinkInstalled() {
    return std::system("command -v svxlink >/dev/null 2>&1") == 0;
}

inline bool processAlive(pid_t pid) {
    if (pid <= 0)
        return false;
    // Our own child: reap it, or it stays a zombie that kill(0) still finds.
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == pid)
        return false;
    return ::kill(pid, 0) == 0;
}

// TERM, then KILL if it is still there after `graceMs`.
inline void stopProcess(pid_t pid, int graceMs, const std::function<void()>& step) {
    if (!processAlive(pid))
        return;
    ::kill(pid, SIGTERM);
    if (!waitUntil([&] { return !processAlive(pid); }, graceMs, step))
        ::kill(pid, SIGKILL);
    waitUntil([&] { return !processAlive(pid); }, 2000, step);
}

// One node at a time on this machine: ctest runs tests side by side, and the EchoLink module's
// UDP ports are fixed.
class NodeLock {
public:
    bool acquire(int ms, const std::function<void()>& step) {
        fd_ = ::open((fs::temp_directory_path() / "voxclock-svxlink-test.lock").c_str(),
                     O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        return fd_ >= 0 &&
               waitUntil([&] { return ::flock(fd_, LOCK_EX | LOCK_NB) == 0; }, ms, step);
    }
    ~NodeLock() {
        if (fd_ >= 0)
            ::close(fd_);
    }

private:
    int fd_ = -1;
};

class SvxlinkTestNode {
public:
    explicit SvxlinkTestNode(std::function<void()> step) : step_(std::move(step)) {}
    ~SvxlinkTestNode() { stop(); }
    SvxlinkTestNode(const SvxlinkTestNode&) = delete;
    SvxlinkTestNode& operator=(const SvxlinkTestNode&) = delete;

    // Generates the configuration in `dir` and starts svxlink; false with the reason.
    bool start(const fs::path& dir, std::string* error) {
        dir_ = dir;
        fs::remove_all(dir_);
        fs::create_directories(dir_.parent_path());
        const std::string data = VOXCLOCK_TEST_DATA;
        const std::string out = dir_.string() + ".out";
        const std::string cmd = "bash " + data + "/svxlink/start_node.sh " + dir_.string() + " " +
                                data + "/../../packaging/svxlink/voxclock.tcl >" + out + " 2>&1";
        const int rc = std::system(cmd.c_str());
        // Started but not up: the script has still written its PID.
        if (fs::exists(dir_ / "svxlink.pid"))
            std::ifstream(dir_ / "svxlink.pid") >> pid_;
        if (rc != 0) {
            *error = "svxlink did not start; see " + out;
            return false;
        }
        std::ifstream env(dir_ / "node.env");
        for (std::string line; std::getline(env, line);) {
            const auto eq = line.find('=');
            if (eq != std::string::npos)
                env_[line.substr(0, eq)] = line.substr(eq + 1);
        }
        return true;
    }

    // Starts svxlink again from the configuration start() generated: same PTY paths, same
    // UDP ports. Returns once its PTYs are there.
    bool restart(std::string* error) {
        stop();
        for (const char* pty :
             {"state", "ann_state", "dtmf_ctrl", "main_sql", "main_ptt", "ann_sql", "echolink_cmd"})
            fs::remove(dir_ / "pty" / pty);
        const std::string conf = "--config=" + (dir_ / "svxlink.conf").string();
        const std::string log = "--logfile=" + (dir_ / "svxlink.log").string();
        std::vector<std::string> envText;
        for (char** e = environ; *e; ++e)
            if (std::string(*e).rfind("VOXCLOCK_CODES_FILE=", 0) != 0)
                envText.emplace_back(*e);
        envText.push_back("VOXCLOCK_CODES_FILE=" + (dir_ / "voxclock_codes").string());
        std::vector<char*> envp;
        for (auto& e : envText)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string prog = "svxlink";
        std::vector<char*> argv{prog.data(), const_cast<char*>(conf.c_str()),
                                const_cast<char*>(log.c_str()), nullptr};
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_addopen(&fa, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
        const int rc = ::posix_spawnp(&pid_, "svxlink", &fa, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&fa);
        if (rc != 0) {
            pid_ = -1;
            *error = "cannot start svxlink again";
            return false;
        }
        const bool up = waitUntil(
            [&] {
                return !processAlive(pid_) ||
                       (fs::exists(path("STATE_PTY")) && fs::exists(path("DTMF_CTRL_PTY")) &&
                        fs::exists(path("ANN_SQL_PTY")) && fs::exists(path("MAIN_PTT_PTY")));
            },
            10000, step_);
        if (!up || !processAlive(pid_)) {
            *error = "svxlink did not come up again; see " + (dir_ / "svxlink.log").string();
            return false;
        }
        return true;
    }

    // By its PID: TERM, then KILL if it is still there after 5 s.
    void stop() {
        stopProcess(pid_, 5000, step_);
        pid_ = -1;
    }

    // Removes the folder, unless the caller keeps it for its logs.
    void removeFolder() {
        if (dir_.empty())
            return;
        fs::remove_all(dir_);
        fs::remove(dir_.string() + ".out");
    }

    pid_t pid() const { return pid_; }
    const fs::path& dir() const { return dir_; }
    std::string value(const std::string& key) const {
        const auto it = env_.find(key);
        return it == env_.end() ? std::string() : it->second;
    }
    // A PTY named in node.env, as an absolute path.
    std::string path(const std::string& key) const { return (dir_ / value(key)).string(); }
    int port(const std::string& key) const { return std::stoi(value(key)); }
    bool echolink() const { return value("ECHOLINK") == "1"; }

private:
    std::function<void()> step_;
    fs::path dir_;
    std::map<std::string, std::string> env_;
    pid_t pid_ = -1;
};

}  // namespace vox::testnode

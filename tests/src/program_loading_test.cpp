#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

// What the real programs load: voxclock links no windows, `say --wav` loads nothing beyond its own
// libraries, the headless program at rest neither the windows nor, with no sound server, the sound
// plugin; on a display voxclock hands its arguments to voxclock-desktop beside it.
namespace vox {
namespace {

namespace fs = std::filesystem;

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

// A scratch folder with an empty runtime folder (no sound server's socket in it).
struct Scratch {
    Scratch() {
        char pattern[] = "/tmp/voxclock-loading.XXXXXX";
        dir = mkdtemp(pattern);
        fs::create_directories(dir / "run");
        fs::create_directories(dir / "home");
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    // An environment without a display or a named sound server, plus `extra`.
    std::vector<std::string> environment(const std::vector<std::string>& extra = {}) const {
        std::vector<std::string> env{"HOME=" + dir.string(),
                                     "XDG_RUNTIME_DIR=" + (dir / "run").string(),
                                     "PATH=/usr/bin:/bin"};
        env.insert(env.end(), extra.begin(), extra.end());
        return env;
    }
    fs::path dir;
};

// Starts the program with the arguments and environment given; stdout and stderr to files.
pid_t spawn(const std::vector<std::string>& args, const std::vector<std::string>& env,
            const fs::path& out, const fs::path& err) {
    std::vector<char*> argv, envp;
    std::vector<std::string> a = args, e = env;
    for (std::string& s : a)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    for (std::string& s : e)
        envp.push_back(s.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&files);
    return pid;
}

int waitFor(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(ProgramLoading, TheExecutableLinksNoWindowsAndSayIntoAFileLoadsNothingMore) {
    Scratch s;
    const std::string bin = voxclockBinary().string();
    // The executable's own libraries, as the dynamic loader lists them (what ldd shows).
    pid_t pid = spawn({bin}, s.environment({"LD_TRACE_LOADED_OBJECTS=1"}), s.dir / "libs",
                      s.dir / "libs.err");
    ASSERT_GT(pid, 0);
    EXPECT_EQ(waitFor(pid), 0);
    const std::string libs = readFile(s.dir / "libs");
    EXPECT_NE(libs.find("libespeak-ng"), std::string::npos) << libs;
    EXPECT_NE(libs.find("libQt6Core"), std::string::npos) << libs;
    for (const char* library : {"libQt6Widgets", "libQt6Gui", "libQt6Multimedia"})
        EXPECT_EQ(libs.find(library), std::string::npos) << library << " is linked";

    // Said into a file, with a sound server named: nothing loaded beyond the executable's own.
    pid = spawn({bin, "say", "--home", (s.dir / "home").string(), "--wav",
                 (s.dir / "said.wav").string(), "The time is <spell>N0CALL</spell>"},
                s.environment({"LD_DEBUG=files", "PULSE_SERVER=unix:/nonexistent"}),
                s.dir / "say.out", s.dir / "say.err");
    ASSERT_GT(pid, 0);
    EXPECT_EQ(waitFor(pid), 0);
    EXPECT_GT(fs::file_size(s.dir / "said.wav"), 44u);
    const std::string loaded = readFile(s.dir / "say.err");
    EXPECT_EQ(loaded.find("voxclock-sound"), std::string::npos) << loaded;
    EXPECT_EQ(loaded.find("libQt6Multimedia"), std::string::npos) << loaded;
}

TEST(ProgramLoading, TheHeadlessProgramAtRestLoadsNoWindowsOrSoundDevices) {
    for (const char* systemServer : {"/run/pulse/native", "/var/run/pulse/native"})
        if (fs::exists(systemServer))
            GTEST_SKIP() << "a sound server in system mode is running: " << systemServer;
    Scratch s;
    const fs::path home = s.dir / "home";
    const pid_t pid = spawn({voxclockBinary().string(), "--headless", "--home", home.string()},
                            s.environment(), s.dir / "out", s.dir / "err");
    ASSERT_GT(pid, 0);
    // Running once the station shows its panels (after the start-up waits of about 7 s).
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (readFile(home / "air.log").find("\"ev\":\"status\"") == std::string::npos &&
           std::chrono::steady_clock::now() < until && kill(pid, 0) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::string maps = readFile("/proc/" + std::to_string(pid) + "/maps");
    kill(pid, SIGTERM);
    EXPECT_EQ(waitFor(pid), 0) << readFile(s.dir / "err");
    ASSERT_NE(maps.find("libQt6Core"), std::string::npos) << readFile(s.dir / "err");
    for (const char* library : {"libQt6Widgets", "libQt6Gui", "libQt6Multimedia", "voxclock-sound"})
        EXPECT_EQ(maps.find(library), std::string::npos) << library << " is loaded";
}

// On a display with no command, voxclock becomes voxclock-desktop from its own folder with the
// same arguments; when that is not there it says so and ends, instead of running without the
// windows that were asked for.
TEST(ProgramLoading, OnADisplayTheExecutableStartsTheDesktopBesideIt) {
#ifndef VOXCLOCK_HAS_DESKTOP
    GTEST_SKIP() << "built without the desktop";
#endif
    Scratch s;
    // A folder of its own for the executable, on the build tree's file system so that a hard link
    // will do; a stand-in desktop program that prints its arguments.
    const fs::path folder = voxclockBinary().parent_path().parent_path() / "tests" /
                            ("desktop-start-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path bin = folder / "voxclock";
    std::error_code ec;
    fs::create_hard_link(voxclockBinary(), bin, ec);
    if (ec)
        fs::copy_file(voxclockBinary(), bin);
    const fs::path desktop = folder / "voxclock-desktop";
    std::ofstream(desktop) << "#!/bin/sh\nprintf '%s\\n' \"$@\"\n";
    fs::permissions(desktop, fs::perms::owner_all);

    struct Case {
        const char* what;
        bool desktopThere;
        int status;
        std::string out;
        const char* errHas;
    };
    const std::string home = (s.dir / "home").string();
    const std::vector<Case> cases{
        {"desktop there", true, 0, "--home\n" + home + "\n", ""},
        {"desktop missing", false, 1, "", "voxclock-desktop"},
    };
    for (const Case& c : cases) {
        if (!c.desktopThere)
            fs::remove(desktop);
        const pid_t pid = spawn({bin.string(), "--home", home}, s.environment({"DISPLAY=:99"}),
                                s.dir / "out", s.dir / "err");
        ASSERT_GT(pid, 0);
        EXPECT_EQ(waitFor(pid), c.status) << c.what << ": " << readFile(s.dir / "err");
        EXPECT_EQ(readFile(s.dir / "out"), c.out) << c.what;
        EXPECT_NE(readFile(s.dir / "err").find(c.errHas), std::string::npos) << c.what;
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace vox

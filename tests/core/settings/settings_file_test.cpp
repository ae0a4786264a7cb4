#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/base/atomic_file.h"
#include "core/settings/ini_file.h"
#include "core/settings/settings_file.h"
#include "core/settings/settings_format.h"

#include "tests/support/temp_folder.h"

namespace vox {

// Failures show the record as the file it would be written to.
inline void PrintTo(const Settings& s, std::ostream* os) {
    *os << "\n" << formatSettingsFile(s);
}

namespace {
namespace fs = std::filesystem;

using Message = std::tuple<MessageIcon, std::string, std::string>;

struct RecordingUi : UserInterface {
    void showMessage(MessageIcon icon, const std::string& title, const std::string& text) override {
        shown.emplace_back(icon, title, text);
    }
    std::vector<Message> shown;
};

const Message kMissing{MessageIcon::Error, "Voxclock TTS",
                       "The file Voxclock.Ini is Missing or Corrupted\r\n"
                       "    The program will create a new INI file."};
const Message kCreated{MessageIcon::Warning, "Voxclock TTS",
                       "New INI File Created\r\n Reconfigure your setup"};
const Message kWriteError{MessageIcon::Information, "File Error", "Error Writing .INI File"};
const Message kCreateError{MessageIcon::Information, "File Error", "Error Creating New INI File"};

// Plays a process killed (or a disk filling up) halfway through writing the file.
long dieHalfway(int fd, const char* data, std::size_t size) {
    static_cast<void>(fd);
    static_cast<void>(data);
    static_cast<void>(size);
    errno = ENOSPC;
    return -1;
}

SettingsWriter writerThatDiesHalfway() {
    return [](const std::string& path, const std::string& contents, std::string* error) {
        bool firstHalfWritten = false;
        ChunkWriter chunk = [&](int fd, const char* data, std::size_t size) -> long {
            if (firstHalfWritten)
                return dieHalfway(fd, data, size);
            firstHalfWritten = true;
            return static_cast<long>(::write(fd, data, contents.size() / 2));
        };
        return writeFileAtomically(path, contents, error, chunk);
    };
}

TEST(SettingsFile, MissingOrCorruptedFileIsReplacedByDefaults) {
    const std::string golden = readFile(VOXCLOCK_TEST_DATA "/settings/golden.ini");
    const struct {
        const char* what;
        bool present;
        std::string text;
    } cases[] = {
        {"no file", false, ""},
        {"truncated before line 70", true, golden.substr(0, golden.find("JA1XYZ"))},
        {"garbage", true,
         std::string("\x7f"
                     "ELF\0\0\x01\x02\r\n\xff\xfe,,,\r\n",
                     16)},
        {"10 MB without a line end", true, std::string(10 * 1024 * 1024, 'A')},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        const std::string path = dir.file("voxclock.ini");
        if (c.present)
            writeFile(path, c.text);
        RecordingUi ui;
        std::vector<std::string> order;
        Settings settings;
        settings.DtmfLock = "1234";  // read before the failure: must not survive
        settings.WxStationType = 1;

        const IniOutcome out = ReadINIFile(SettingsFile(path), settings, ui, [&] {
            order.push_back("splash closed after " + std::to_string(ui.shown.size()));
        });
        EXPECT_FALSE(out.ok) << c.what;
        EXPECT_FALSE(out.mustClose) << c.what;
        EXPECT_FALSE(out.freeWxReader) << c.what;
        EXPECT_EQ(ui.shown, (std::vector<Message>{kMissing, kCreated})) << c.what;
        EXPECT_EQ(order, std::vector<std::string>{"splash closed after 1"}) << c.what;
        EXPECT_EQ(settings, Settings{}) << c.what;
        EXPECT_EQ(readFile(path), newSettingsFileText()) << c.what;
        EXPECT_FALSE(fs::exists(atomicTempPath(path))) << c.what;
    }
}

TEST(SettingsFile, WrittenFileReadsBackAndReportsTheFreeWxReader) {
    TempFolder dir;
    const SettingsFile file(dir.file("voxclock.ini"));
    RecordingUi ui;
    Settings s;
    s.WxStationType = 1;
    s.RemoteNodes[2].Node = "k1abc-l";
    s.WxArea = "Lyon, France";
    EXPECT_TRUE(WriteIniFile(file, s, ui).freeWxReader);
    Settings read;
    const IniOutcome out = ReadINIFile(file, read, ui);
    EXPECT_TRUE(out.ok);
    EXPECT_TRUE(out.freeWxReader);
    EXPECT_TRUE(ui.shown.empty());
    s.RemoteNodes[2].Node = "K1ABC-L";
    EXPECT_EQ(read, s);

    s.WxStationType = 2;
    EXPECT_FALSE(WriteIniFile(file, s, ui).freeWxReader);
    EXPECT_FALSE(ReadINIFile(file, read, ui).freeWxReader);
}

TEST(SettingsFile, AWriteThatDiesHalfwayLeavesThePreviousFile) {
    TempFolder dir;
    const std::string path = dir.file("voxclock.ini");
    const std::string golden = readFile(VOXCLOCK_TEST_DATA "/settings/golden.ini");
    writeFile(path, golden);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    RecordingUi ui;
    Settings changed;
    changed.DtmfLock = "DCBA";
    const IniOutcome out = WriteIniFile(SettingsFile(path, writerThatDiesHalfway()), changed, ui);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(ui.shown, std::vector<Message>{kWriteError});
    EXPECT_EQ(changed.DtmfLock, "DCBA");  // the record stays as it was
    EXPECT_EQ(readFile(path), golden);
    EXPECT_FALSE(fs::exists(atomicTempPath(path)));

    // A process killed for real leaves its temporary file; the next save still works and keeps
    // the file's permissions.
    writeFile(atomicTempPath(path), golden.substr(0, 100));
    ASSERT_TRUE(WriteIniFile(SettingsFile(path), changed, ui).ok);
    EXPECT_EQ(readFile(path), formatSettingsFile(changed));
    EXPECT_FALSE(fs::exists(atomicTempPath(path)));
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(SettingsFile, NoNewFileMeansTheProgramMustClose) {
    TempFolder dir;
    const std::string path = dir.file("voxclock.ini");
    RecordingUi ui;
    Settings settings;
    const IniOutcome out = ReadINIFile(SettingsFile(path, writerThatDiesHalfway()), settings, ui);
    EXPECT_TRUE(out.mustClose);
    EXPECT_EQ(ui.shown, (std::vector<Message>{kMissing, kCreateError}));
    EXPECT_FALSE(fs::exists(path));

    // A folder that is not there fails the real writer the same way.
    RecordingUi ui2;
    const SettingsFile nowhere(dir.file("missing-folder/voxclock.ini"));
    EXPECT_TRUE(CreateNewIniFile(nowhere, settings, ui2).mustClose);
    EXPECT_EQ(ui2.shown, std::vector<Message>{kCreateError});
}

// What a folder holds: name -> contents (a symbolic link shows as "-> target").
std::set<std::string> listing(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        names.insert(entry.is_symlink() ? name + " -> " + fs::read_symlink(entry).string() : name);
    }
    return names;
}

// Reading /proc/self/mem from its start fails with EIO, as a bad sector does.
const char* const kFailingDisk = "/proc/self/mem";

TEST(SettingsFile, ReadErrorsComeBackAsValuesAndLeaveTheRecordAlone) {
    const struct {
        const char* what;
        std::function<void(const std::string& path)> make;
        bool unreadableFile;  // the owner's file, worth keeping
    } cases[] = {
        {"no file", [](const std::string&) {}, false},
        {"a folder", [](const std::string& p) { fs::create_directory(p); }, false},
        {"a pipe nobody writes to", [](const std::string& p) { ::mkfifo(p.c_str(), 0600); }, false},
        {"a failing disk", [](const std::string& p) { fs::create_symlink(kFailingDisk, p); }, true},
        {"a hand edit",
         [](const std::string& p) {
             fs::copy_file(VOXCLOCK_TEST_DATA "/settings/hand_edited.ini", p);
         },
         true},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        const std::string path = dir.file("voxclock.ini");
        c.make(path);
        Settings settings;
        settings.DtmfLock = "1234";
        SettingsReadResult read;
        EXPECT_NO_THROW(read = SettingsFile(path).read(settings)) << c.what;
        EXPECT_FALSE(read.ok) << c.what;
        EXPECT_FALSE(read.error.empty()) << c.what;
        EXPECT_EQ(read.unreadableFile, c.unreadableFile) << c.what;
        EXPECT_EQ(settings.DtmfLock, "1234") << c.what;
    }
}

TEST(SettingsFile, AnUnreadableFileIsKeptAsBadBeforeDefaultsReplaceIt) {
    const std::string golden = readFile(VOXCLOCK_TEST_DATA "/settings/golden.ini");
    const struct {
        const char* what;
        std::function<void(const std::string& path)> make;
        const char* reason;
    } cases[] = {
        {"a hand edit",
         [](const std::string& p) {
             fs::copy_file(VOXCLOCK_TEST_DATA "/settings/hand_edited.ini", p);
         },
         "line 33: \"15 minutes\" is not a number in range"},
        {"truncated", [&](const std::string& p) { writeFile(p, golden.substr(0, 400)); },
         "line 14: the file ends before it"},
        {"a failing disk", [](const std::string& p) { fs::create_symlink(kFailingDisk, p); },
         "Input/output error"},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        const std::string path = dir.file("voxclock.ini");
        c.make(path);
        const std::string before = fs::is_symlink(path) ? "" : readFile(path);
        writeFile(dir.file("voxclock.ini.bad"), "an older bad copy");
        RecordingUi ui;
        Settings settings;

        const IniOutcome out = ReadINIFile(SettingsFile(path), settings, ui);
        EXPECT_FALSE(out.ok) << c.what;
        EXPECT_FALSE(out.mustClose) << c.what;
        EXPECT_EQ(ui.shown, (std::vector<Message>{kMissing, kCreated})) << c.what;
        EXPECT_EQ(settings, Settings{}) << c.what;
        EXPECT_EQ(readFile(path), newSettingsFileText()) << c.what;
        ASSERT_EQ(out.eventLogLines.size(), 1u) << c.what;
        EXPECT_EQ(out.eventLogLines[0].rfind("Unreadable settings kept as voxclock.ini.bad (", 0),
                  0u)
            << out.eventLogLines[0];
        EXPECT_NE(out.eventLogLines[0].find(c.reason), std::string::npos) << out.eventLogLines[0];
        // The newest bad copy replaces the older one, byte for byte (a link stays a link).
        if (before.empty()) {
            EXPECT_EQ(listing(dir.path),
                      (std::set<std::string>{"voxclock.ini",
                                             std::string("voxclock.ini.bad -> ") + kFailingDisk}))
                << c.what;
        } else {
            EXPECT_EQ(listing(dir.path),
                      (std::set<std::string>{"voxclock.ini", "voxclock.ini.bad"}))
                << c.what;
            EXPECT_EQ(readFile(dir.file("voxclock.ini.bad")), before) << c.what;
        }
    }

    // A missing file is nothing to keep.
    TempFolder dir;
    RecordingUi ui;
    Settings settings;
    EXPECT_TRUE(
        ReadINIFile(SettingsFile(dir.file("voxclock.ini")), settings, ui).eventLogLines.empty());
    EXPECT_EQ(listing(dir.path), std::set<std::string>{"voxclock.ini"});
}

TEST(SettingsFile, AFolderInPlaceOfTheFileEndsWithTheCreateError) {
    TempFolder dir;
    const std::string path = dir.file("voxclock.ini");
    fs::create_directory(path);
    writeFile(path + "/notes.txt", "mine");
    RecordingUi ui;
    Settings settings;

    const IniOutcome out = ReadINIFile(SettingsFile(path), settings, ui);
    EXPECT_FALSE(out.ok);
    EXPECT_TRUE(out.mustClose);
    EXPECT_EQ(ui.shown, (std::vector<Message>{kMissing, kCreateError}));
    EXPECT_TRUE(out.eventLogLines.empty());
    // Not a settings file: left where it is, as it is.
    EXPECT_EQ(listing(dir.path), std::set<std::string>{"voxclock.ini"});
    EXPECT_EQ(readFile(path + "/notes.txt"), "mine");
}

TEST(SettingsFile, TheNameIsMatchedWithoutRegardToCase) {
    const std::string golden = readFile(VOXCLOCK_TEST_DATA "/settings/golden.ini");
    TempFolder dir;
    // The file appears after the station made its settings file object.
    const SettingsFile file(dir.file("voxclock.ini"));
    writeFile(dir.file("Voxclock.ini"), golden);
    RecordingUi ui;
    Settings settings;
    Settings expected;
    std::istringstream goldenText(golden);
    ASSERT_TRUE(parseSettingsFile(goldenText, expected));

    const IniOutcome out = ReadINIFile(file, settings, ui);
    EXPECT_TRUE(out.ok);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(settings, expected);

    settings.DtmfLock = "DCBA";
    ASSERT_TRUE(WriteIniFile(file, settings, ui).ok);
    EXPECT_EQ(listing(dir.path), std::set<std::string>{"Voxclock.ini"});
    EXPECT_EQ(readFile(dir.file("Voxclock.ini")), formatSettingsFile(settings));

    // A bad copy in another spelling replaces the older bad copy; the new file takes the
    // program's own spelling.
    fs::remove(dir.file("Voxclock.ini"));
    writeFile(dir.file("VOXCLOCK.INI"), golden.substr(0, 400));
    writeFile(dir.file("voxclock.ini.bad"), "an older bad copy");
    const IniOutcome recreated = ReadINIFile(file, settings, ui);
    EXPECT_FALSE(recreated.mustClose);
    ASSERT_EQ(recreated.eventLogLines.size(), 1u);
    EXPECT_EQ(recreated.eventLogLines[0].rfind("Unreadable settings kept as voxclock.ini.bad", 0),
              0u);
    EXPECT_EQ(listing(dir.path), (std::set<std::string>{"voxclock.ini", "voxclock.ini.bad"}));
    EXPECT_EQ(readFile(dir.file("voxclock.ini.bad")), golden.substr(0, 400));
    EXPECT_EQ(readFile(dir.file("voxclock.ini")), newSettingsFileText());
}

}  // namespace
}  // namespace vox

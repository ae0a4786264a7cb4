#include "bench/soak_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/base/program_folder.h"
#include "core/parts/prepared_files.h"
#include "core/settings/settings_file.h"

namespace vox {

namespace fs = std::filesystem;

namespace {

bool writeText(const fs::path& path, const std::string& text, std::string* error) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out)
        *error = "cannot write " + path.string();
    return static_cast<bool>(out);
}

RemoteNode scheduled(const std::string& call, const std::string& dtmf) {
    RemoteNode n;
    n.Node = call;
    n.Auto = 1;
    n.Delay = 10;
    n.Dtmf = dtmf;
    return n;
}

// Every feature on: the hourly time, the information file at the quarter hours, the passive
// CW identification, a weekly auto-connect schedule, quiet hours that switch the node off, both
// reminders, chat and connect announcements, the weather from the sample folders with alerts.
Settings soakSettings(const std::string& home) {
    Settings s;
    s.TimeHour = 1;
    s.FileQuarterHour = 1;
    s.InfoFilePath = (fs::path(home) / "info" / "info1.txt").string();
    s.InfoFolder = (fs::path(home) / "info").string();
    s.FanRts = 1;
    s.FanTime = 5;
    s.CwIdEnabled = 1;
    s.CwIdMinutes = 10;
    s.CwIdPassive = 1;
    s.ToneBurst = 1;
    s.UsePreamble = 1;
    s.DtmfRecordPlayback = "66*";
    s.RecordMax = 3;
    s.WxUrl = "wxex\\";
    s.WxArea = "Boston Harbor";
    s.WxNodeCall = "W one A W";
    s.LocalWxFile = "vws0\\";
    s.WxStationType = 0;
    s.WxWarnEnabled = 1;
    s.WxWarnMinutes = 30;
    s.QuietStart = "01:00";
    s.QuietStop = "05:00";
    s.NodeOffIfQuiet = 1;
    s.ActiveReminder = 1;
    s.ActiveMinutes = 15;
    s.BusyReminder = 1;
    s.BusyMinutes = 10;
    s.AllowInfo = 1;
    s.TtsLocalConnDisc = 1;
    s.TtsRemoteConnDisc = 1;
    s.TtsChatMsg = 1;
    s.TtsFullChatText = 1;

    // The evening net every day, a link across midnight three days a week, two weekend slots,
    // a morning link on Tuesdays and Thursdays, and a node only ever called by DTMF.
    RemoteNode& net = s.RemoteNodes[0] = scheduled("W1AW-L", "");
    net.Slot1Start = "19:00";
    net.Slot1Stop = "20:30";
    net.Daily = 1;
    RemoteNode& night = s.RemoteNodes[1] = scheduled("K1ABC-R", "");
    night.Slot2Start = "22:00";
    night.Slot2Stop = "00:30";
    night.Mon = night.Wed = night.Fri = 1;
    RemoteNode& weekend = s.RemoteNodes[2] = scheduled("N2XYZ", "");
    weekend.Slot1Start = "08:00";
    weekend.Slot1Stop = "09:00";
    weekend.Slot3Start = "12:00";
    weekend.Slot3Stop = "12:45";
    weekend.Sat = weekend.Sun = 1;
    RemoteNode& morning = s.RemoteNodes[3] = scheduled("VE3XX-L", "703");
    morning.Slot1Start = "06:30";
    morning.Slot1Stop = "07:15";
    morning.Tue = morning.Thu = 1;
    RemoteNode& byHand = s.RemoteNodes[4] = scheduled("W7ABC-R", "701");
    byHand.Auto = 0;
    return s;
}

}  // namespace

namespace {

// $TMPDIR when set, else memory when there is a place for it: the disk's flushes are the disk's
// time, not the program's, and would only blur the figures.
fs::path scratchParent() {
    std::error_code ec;
    if (!std::getenv("TMPDIR") && fs::is_directory("/dev/shm", ec) &&
        ::access("/dev/shm", W_OK) == 0)
        return "/dev/shm";
    return fs::temp_directory_path(ec);
}

}  // namespace

SoakFolder::SoakFolder() {
    std::string pattern = (scratchParent() / "voxclock-soak-XXXXXX").string();
    if (char* made = ::mkdtemp(pattern.data())) {
        base_ = made;
        home_ = (fs::path(base_) / "home").string();
    }
}

SoakFolder::~SoakFolder() {
    std::error_code ec;
    if (!base_.empty() && !keep_)
        fs::remove_all(base_, ec);
}

bool SoakFolder::prepare(const std::string& dataDir, std::string* error) {
    if (base_.empty()) {
        *error = "cannot create a scratch folder";
        return false;
    }
    const ProgramFolder folder(home_);
    if (!prepareProgramFolder(folder, error))
        return false;
    const fs::path home(home_);
    std::error_code ec;
    for (const char* sample : {"wxex", "vws0"}) {
        fs::copy(fs::path(dataDir) / "weather" / sample, home / sample, fs::copy_options::recursive,
                 ec);
        if (ec) {
            *error = "cannot copy the weather sample " + std::string(sample) + ": " + ec.message();
            return false;
        }
    }
    // The reminders' sounds: the courtesy beep will do.
    for (const char* wav : {"activity.wav", "busy.wav"}) {
        fs::copy_file(home / "wav" / "beep.wav", home / "wav" / wav, ec);
        if (ec) {
            *error = std::string("cannot make wav/") + wav + ": " + ec.message();
            return false;
        }
    }
    const std::pair<const char*, const char*> texts[] = {
        {"info/info1.txt", "<xml>The net meets every evening at seven.</xml>"},
        {"info/info2.txt", "<xml>Club meeting on the first Tuesday of the month.</xml>"},
        {"help.txt", "<xml>Press 0 0 star for the time, 9 9 star for the weather.</xml>"},
        {"DTMFError.txt", "<xml>That command is not known here.</xml>"},
        {"DTMFLocked.txt", "<xml>Commands are locked.</xml>"},
        {"info/wxwarn.txt", "Stay tuned to local media for updates."},
    };
    for (const auto& [name, text] : texts)
        if (!writeText(home / name, text, error))
            return false;
    return SettingsFile((home / "voxclock.ini").string()).write(soakSettings(home_), error);
}

}  // namespace vox

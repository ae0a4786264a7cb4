#include "tests/fault/fault_plan.h"

#include <algorithm>
#include <cstdio>

#include "core/base/local_time.h"
#include "core/settings/settings.h"
#include "core/settings/settings_format.h"

namespace vox {
namespace {

// SplitMix64: small, and the same sequence on every machine and library.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int between(int low, int high) {  // inclusive
        return low + static_cast<int>(next() % static_cast<std::uint64_t>(high - low + 1));
    }
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <class T>
    const T& pick(const std::vector<T>& items) {
        return items[next() % items.size()];
    }

private:
    std::uint64_t state_;
};

std::string hhmm(int minuteOfDay) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", (minuteOfDay / 60) % 24, minuteOfDay % 60);
    return text;
}

std::string stamp(std::int64_t ms) {
    const LocalTime t = fromCalendarMs(ms);
    char text[24];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

const std::vector<std::string> kCalls = {"W1AW",   "K1ABC-L", "G4XYZ-R", "*ECHOTEST*",
                                         "N0CALL", "VE3AAA",  "JA1ZZZ-L"};
const std::vector<std::string> kMembers = {
    "ConnectTo",      "DisconnectFrom", "SetPtt",        "IsRemoteAudio", "IsTransmitting",
    "IsReceiving",    "ConnectedCount", "IsConnected",   "StationList",   "StationListXml",
    "SetNodeEnabled", "StartRecording", "StopRecording", "PlayAudio",     "SysopSettings",
    "Busy",           "SetRts",         "SetDtr",        "SendChat",      "Callsign",
    "RecordingMode"};
// The files commands read while they run.
const std::vector<std::string> kFiles = {
    "info/info1.txt",        "info/info2.txt", "help.txt",          "DTMFError.txt",
    "DTMFLocked.txt",        "wx.txt",         "wxfc.txt",          "wav/beep.wav",
    "wav/burst.wav",         "wav/id.wav",     "wxex/csv/data.csv", "wxex/data/metar.txt",
    "wxex/data/warning.txt", "voxclock.ini",   "rsgb/63.xml",       "wwv_source.txt",
    "wav/activity.wav",      "wav/busy.wav"};

Settings makeSettings(Random& r, const std::string& workdir, int startMinute) {
    Settings s;
    s.TimeHour = r.chance(70);
    s.TimeHalfHour = r.chance(40);
    s.TimeQuarterHour = r.chance(30);
    s.FileHour = r.chance(30);
    s.FileHalfHour = r.chance(20);
    s.FileQuarterHour = r.chance(20);
    s.InfoFilePath = workdir + "/info/info1.txt";
    s.InfoFolder = workdir + "/info/";
    s.FanRts = r.chance(50);
    s.FanDtr = r.chance(50);
    s.CwIdAfterTime = r.chance(30);
    s.VoiceIdAfterTime = r.chance(30);
    s.AllowRsgb = r.chance(70);
    s.ToneBurst = r.chance(50);
    s.ActiveReminder = r.chance(60);
    s.ActiveMinutes = static_cast<std::int16_t>(r.between(1, 20));
    s.BusyReminder = r.chance(60);
    s.BusyMinutes = static_cast<std::int16_t>(r.between(1, 20));
    s.AllowWwv = r.chance(80);
    s.AllowInfo = r.chance(80);
    s.TtsLocalConnDisc = r.chance(80);
    s.TtsChatMsg = r.chance(80);
    s.TtsRemoteConnDisc = r.chance(60);
    s.TtsFullChatText = r.chance(60);
    s.VoiceTypeAtt = r.chance(30);
    s.SkipIfBusy = r.chance(30);
    s.TimeAfterConnDisc = r.chance(40);
    s.CwIdEnabled = r.chance(70);
    s.CwIdMinutes = static_cast<std::int16_t>(r.between(1, 15));
    s.CwIdPassive = r.chance(30);
    s.TxDelaySeconds = r.between(0, 20) / 10.0;
    s.WxUrl = workdir + "/wxex/";
    s.WxArea = "Boston Harbor";
    s.WxNodeCall = "W one A W";
    s.WxIsMetric = r.chance(30);
    s.WxDtmf = r.chance(80);
    s.WxWarnEnabled = r.chance(60);
    s.WxWarnMinutes = static_cast<std::int16_t>(r.between(1, 30));
    s.NodeOffIfQuiet = r.chance(40);
    // Quiet hours whose edges fall inside the run.
    s.QuietStart = hhmm(startMinute + r.between(10, 80));
    s.QuietStop = hhmm(startMinute + r.between(90, 170));
    for (std::size_t i = 0; i < 3; ++i) {
        RemoteNode& node = s.RemoteNodes[i];
        node.Node = kCalls[i];
        node.Dtmf = "*8" + std::to_string(i) + "*";
        node.Auto = r.chance(60);
        node.Daily = 1;
        node.Slot1Start = hhmm(startMinute + r.between(5, 60));
        node.Slot1Stop = hhmm(startMinute + r.between(61, 150));
        node.Delay = r.between(0, 3);
    }
    return s;
}

std::vector<std::string> dtmfCodes(const Settings& s) {
    std::vector<std::string> codes = {s.DtmfPlayFile,
                                      s.DtmfPlayTime,
                                      s.DtmfWxForecast,
                                      s.DtmfPlayHelp,
                                      s.DtmfConnList,
                                      s.DtmfAutoToggle,
                                      s.DtmfBusyToggle,
                                      s.DtmfRecordStart,
                                      s.DtmfRecordStop,
                                      s.DtmfRecordPlayback,
                                      s.DtmfWx,
                                      s.DtmfLock,
                                      s.DtmfSpeedDial,
                                      s.DtmfTextToggle,
                                      s.DtmfNodeQuietToggle,
                                      s.DtmfLocalWx,
                                      s.DtmfWxWarn,
                                      "*99*",
                                      "*63*",
                                      "*60*",
                                      "*71*",
                                      "*72*",
                                      "A",
                                      "12",
                                      "987654321",
                                      "#"};
    for (const RemoteNode& node : s.RemoteNodes)
        if (!node.Dtmf.empty())
            codes.push_back(node.Dtmf);
    return codes;
}

}  // namespace

FaultPlan makeFaultPlan(std::uint64_t seed, const std::string& workdir) {
    Random r(seed);
    FaultPlan plan;
    plan.seed = seed;
    // Any day of the year, any time of day: runs cross midnight and the weekly schedule.
    const int startMinute = r.between(0, 24 * 60 - 1);
    const std::int64_t day = toCalendarMs(LocalTime{2026, 1, 1, 0, 0, 0, 0}) +
                             static_cast<std::int64_t>(r.between(0, 364)) * 86400000;
    const std::int64_t fromMs = day + static_cast<std::int64_t>(startMinute) * 60000;
    const int minutes = r.between(60, 180);
    plan.from = stamp(fromMs);
    plan.to = stamp(fromMs + static_cast<std::int64_t>(minutes) * 60000);
    plan.maxTxSeconds = r.pick(std::vector<int>{30, 60, 180});

    const Settings settings = makeSettings(r, workdir, startMinute);
    plan.txDelaySeconds = settings.TxDelaySeconds;
    plan.files.emplace_back("voxclock.ini", formatSettingsFile(settings));
    plan.files.emplace_back(
        "voxclock.conf", "[sim]\nconnect_delay_ms = " + std::to_string(r.between(0, 3000)) +
                             "\n[safety]\nmax_tx_seconds = " + std::to_string(plan.maxTxSeconds) +
                             "\n[web]\nwwv_url = file://" + workdir +
                             "/wwv_source.txt\ntimeout_s = 5\n");
    plan.files.emplace_back("info/info1.txt", "The net meets tonight at eight.");
    plan.files.emplace_back("info/info2.txt", "Field day is next weekend.");
    plan.files.emplace_back("help.txt", "Send zero zero star for the time.");
    plan.files.emplace_back("DTMFError.txt", "That command is not known.");
    plan.files.emplace_back("DTMFLocked.txt", "The node is locked.");
    plan.files.emplace_back("rsgb/63.xml", "<xml>Bulletin sixty three.</xml>");
    // A long text: a stall in it is what the time-out is for.
    plan.files.emplace_back("wx.txt", std::string(4000, 'a'));

    const std::vector<std::string> codes = dtmfCodes(settings);
    std::vector<std::pair<std::int64_t, std::string>> timed;
    const auto at = [&](std::int64_t ms, const std::string& command) {
        timed.emplace_back(ms, command);
    };
    std::int64_t t = fromMs + r.between(5, 60) * 1000;
    const std::int64_t end = fromMs + static_cast<std::int64_t>(minutes) * 60000 - 30000;
    while (t < end) {
        const int kind = r.between(0, 99);
        if (kind < 25) {
            const std::string code = r.pick(codes);
            at(t, "dtmf " + code);
            // A file vanishes or turns to garbage while the answer runs.
            if (r.chance(30))
                at(t + r.between(1, 20) * 1000,
                   std::string(r.chance(50) ? "file remove " : "file garble ") + r.pick(kFiles));
        } else if (kind < 35) {
            at(t, "connect " + r.pick(kCalls));
        } else if (kind < 42) {
            at(t, "disconnect " + r.pick(kCalls));
        } else if (kind < 52) {
            const std::string& call = r.pick(kCalls);
            const std::vector<std::string> texts = {
                call + ">hello there",
                call + "><spell>x</spell> <silence msec=\"99999999\"/>",
                "|ET|CO|" + r.pick(kCalls) + "|",
                "|ET|DI|" + r.pick(kCalls) + "|",
                call + ">" + std::string(static_cast<std::size_t>(r.between(100, 2000)), 'z'),
                ">no sender",
                call + ">\xFF\xFE bad bytes"};
            at(t, "chat " + r.pick(texts));
        } else if (kind < 60) {
            // The receiver comes up; now and then it sticks for longer than any time-out.
            at(t, "rx on");
            at(t + r.between(1, r.chance(20) ? 900 : 20) * 1000, "rx off");
        } else if (kind < 66) {
            at(t, "remote on");
            at(t + r.between(1, 60) * 1000, "remote off");
        } else if (kind < 70) {
            at(t, std::string("busy ") + (r.chance(50) ? "on" : "off"));
        } else if (kind < 73) {
            at(t, "stationlist");
        } else if (kind < 85) {
            at(t, "fail " + r.pick(kMembers) + " " + std::to_string(r.between(1, 4)));
        } else if (kind < 95) {
            const int voice = r.between(0, 2);
            VoiceFault fault{t, VoiceFault::Kind::Hang, 0};
            if (voice == 0)
                fault = {t, VoiceFault::Kind::Fail, r.between(1, 3)};
            else if (voice == 1)
                fault = {t, VoiceFault::Kind::Stall, r.between(5, 400)};
            at(t, voice == 0   ? "voice fail " + std::to_string(fault.amount)
                  : voice == 1 ? "voice stall " + std::to_string(fault.amount)
                               : std::string("voice hang"));
            plan.voiceFaults.push_back(fault);
        } else {
            at(t, std::string(r.chance(50) ? "file remove " : "file garble ") + r.pick(kFiles));
        }
        t += r.between(5, 240) * 1000;
    }
    // Now and then the node program shuts down under us, often while we are on the air.
    if (r.chance(20)) {
        std::int64_t closeAt = fromMs + r.between(60, minutes * 60 - 60) * 1000LL;
        for (const auto& [ms, command] : timed)
            if (command.rfind("dtmf ", 0) == 0 && ms > closeAt - 600000 && r.chance(50)) {
                closeAt = ms + r.between(1, 8) * 1000;
                break;
            }
        at(closeAt, "close");
    }
    std::stable_sort(timed.begin(), timed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [ms, command] : timed)
        plan.events += stamp(ms) + " " + command + "\n";
    return plan;
}

}  // namespace vox

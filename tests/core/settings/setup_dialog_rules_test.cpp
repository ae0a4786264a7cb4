// The setup dialogs' load and save rules, without widgets: the shared number-box rule, and what
// each dialog reads from and writes into the record. Every saved record must survive the
// settings file, so the numbers typed are checked through a write and a read too.
#include <gtest/gtest.h>

#include <sstream>

#include "core/settings/info_file_setup.h"
#include "core/settings/number_box.h"
#include "core/settings/settings_format.h"
#include "core/settings/sound_device_setup.h"
#include "core/settings/timing_setup.h"
#include "core/settings/voice_setup.h"

namespace vox {
namespace {

Settings throughFile(const Settings& s) {
    std::istringstream in(formatSettingsFile(s));
    Settings back;
    std::string error;
    EXPECT_TRUE(parseSettingsFile(in, back, &error)) << error;
    return back;
}

TEST(NumberBox, TakesTheNumberTheTrimmedTextStartsWithAndHoldsItTo16Bits) {
    struct Case {
        const char* typed;
        double real;
        std::int16_t whole;
    };
    const Case cases[] = {
        {"0.75", 0.75, 1},
        {"  12 ", 12, 12},
        {"12 minutes", 12, 12},
        {"abc", 0, 0},
        {"", 0, 0},
        {"   ", 0, 0},
        {"-3", -3, -3},
        {".5", 0.5, 0},  // halves to even
        {"2.5", 2.5, 2},
        {"3.5", 3.5, 4},
        {"32767", 32767, 32767},
        {"32768", 32767, 32767},
        {"70000", 32767, 32767},
        {"-70000", -32768, -32768},
        {"1e9", 32767, 32767},
        {"99999999999999999999", 32767, 32767},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(realFromBox(c.typed), c.real) << c.typed;
        EXPECT_EQ(wholeFromBox(c.typed), c.whole) << c.typed;
    }
}

TEST(NumberBox, TellsWhatIsStoredWhenTheTextIsNotThatNumber) {
    struct Case {
        const char* typed;
        NumberBoxKind kind;
        std::optional<std::string> stored;  // nothing: the text is the number stored
    };
    const Case cases[] = {
        {"10", NumberBoxKind::Whole, std::nullopt}, {"  12 ", NumberBoxKind::Whole, std::nullopt},
        {"-3", NumberBoxKind::Whole, std::nullopt}, {"0.75", NumberBoxKind::Real, std::nullopt},
        {"abc", NumberBoxKind::Whole, "0"},         {"", NumberBoxKind::Whole, "0"},
        {"12 minutes", NumberBoxKind::Whole, "12"}, {"2.5", NumberBoxKind::Whole, "2"},
        {"70000", NumberBoxKind::Whole, "32767"},   {"1,5", NumberBoxKind::Real, "1"},
        {"abc", NumberBoxKind::Real, "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(storedIfNotANumber(c.typed, c.kind), c.stored) << c.typed;
}

TEST(NumberBox, ShowsSettingsAsPlainDecimalText) {
    EXPECT_EQ(boxText(0.5), "0.5");
    EXPECT_EQ(boxText(0.75), "0.75");
    EXPECT_EQ(boxText(10), "10");
    EXPECT_EQ(boxText(-2), "-2");
    EXPECT_EQ(boxText(-0.0), "0");
}

TEST(TimingSetup, LoadShowsEachSettingInItsBox) {
    Settings s;
    s.TxDelaySeconds = 0.75;
    s.CwIdMinutes = 12;
    s.FanTime = 3;
    s.ActiveMinutes = 7;
    s.BusyMinutes = 9;
    s.RecordMax = 4;
    s.CwIdEnabled = 0;
    s.CwIdAfterTime = 1;
    s.BusyReminder = 1;
    s.CwIdPassive = 1;
    const TimingSetupValues v = loadTimingSetup(s);
    EXPECT_EQ(v.txDelay, "0.75");
    EXPECT_EQ(v.cwMinutes, "12");
    EXPECT_EQ(v.fanMinutes, "3");
    EXPECT_EQ(v.activeMinutes, "7");
    EXPECT_EQ(v.busyMinutes, "9");
    EXPECT_EQ(v.recordMax, "4");
    EXPECT_FALSE(v.cwId);
    EXPECT_TRUE(v.idAfterTime);
    EXPECT_TRUE(v.busyReminder);
    EXPECT_TRUE(v.idPassive);
    EXPECT_FALSE(v.activeReminder);
    // Unchanged boxes give the record back.
    Settings again = s;
    saveTimingSetup(v, again);
    EXPECT_EQ(again, s);
}

TEST(TimingSetup, SaveTakesEachBoxByTheNumberRuleAndTheFileReadsItBack) {
    struct Case {
        const char* what;
        std::function<void(TimingSetupValues&)> type;
        std::function<void(Settings&)> expect;
    };
    const Case cases[] = {
        {"delay 0.75", [](auto& v) { v.txDelay = "0.75"; },
         [](auto& s) { s.TxDelaySeconds = 0.75; }},
        {"delay letters", [](auto& v) { v.txDelay = "soon"; },
         [](auto& s) { s.TxDelaySeconds = 0; }},
        {"cw minutes letters", [](auto& v) { v.cwMinutes = "ten"; },
         [](auto& s) { s.CwIdMinutes = 0; }},
        {"cw minutes rounded", [](auto& v) { v.cwMinutes = " 9.6 "; },
         [](auto& s) { s.CwIdMinutes = 10; }},
        {"fan clamped", [](auto& v) { v.fanMinutes = "70000"; },
         [](auto& s) { s.FanTime = 32767; }},
        {"busy clamped", [](auto& v) { v.busyMinutes = "-70000"; },
         [](auto& s) { s.BusyMinutes = -32768; }},
        {"active empty", [](auto& v) { v.activeMinutes = ""; },
         [](auto& s) { s.ActiveMinutes = 0; }},
        {"record max", [](auto& v) { v.recordMax = "8"; }, [](auto& s) { s.RecordMax = 8; }},
        {"flags",
         [](auto& v) {
             v.cwId = false;
             v.idAfterTime = true;
             v.voiceIdAfterTime = true;
             v.idPassive = true;
             v.toneBurst = true;
             v.activeReminder = true;
             v.busyReminder = true;
             v.timeAfterConnDisc = true;
         },
         [](auto& s) {
             s.CwIdEnabled = 0;
             s.CwIdAfterTime = 1;
             s.VoiceIdAfterTime = 1;
             s.CwIdPassive = 1;
             s.ToneBurst = 1;
             s.ActiveReminder = 1;
             s.BusyReminder = 1;
             s.TimeAfterConnDisc = 1;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Settings before;
        TimingSetupValues v = loadTimingSetup(before);
        c.type(v);
        Settings saved = before;
        saveTimingSetup(v, saved);
        Settings expected = before;
        c.expect(expected);
        EXPECT_EQ(saved, expected);
        EXPECT_EQ(throughFile(saved), expected);
    }
}

TEST(VoiceSetup, LoadTicksTheBoxOfTheVoiceTypeAndSelectsTheSpeed) {
    struct Case {
        std::int16_t att;
        double rate;
        bool attBox, neoBox;
        int speed;
    };
    const Case cases[] = {
        {0, 0, false, true, 2},  {1, 1, true, false, 3},    {0, -2, false, true, 0},
        {1, 2, true, false, 4},  {0, 0.5, false, true, -1},  // a hand-edited rate: none
        {0, 7, false, true, -1},
    };
    for (const Case& c : cases) {
        Settings s;
        s.VoiceTypeAtt = c.att;
        s.SpeechRate = c.rate;
        const VoiceSetupValues v = loadVoiceSetup(s);
        EXPECT_EQ(v.attVoice, c.attBox) << c.att;
        EXPECT_EQ(v.neoVoice, c.neoBox) << c.att;
        EXPECT_EQ(v.speed, c.speed) << c.rate;
    }
    EXPECT_EQ(speedEntries(), (std::vector<std::string>{"-2", "-1", "0", "1", "2"}));
}

TEST(VoiceSetup, VoiceTypeBoxesStayExclusive) {
    struct Case {
        VoiceTypeBox clicked;
        bool nowTicked;
        VoiceTypeBoxes boxes;
        std::int16_t att;
    };
    const Case cases[] = {
        {VoiceTypeBox::Att, true, {true, false}, 1},
        {VoiceTypeBox::Att, false, {false, true}, 0},
        {VoiceTypeBox::Neo, true, {false, true}, 0},
        {VoiceTypeBox::Neo, false, {true, false}, 1},  // clearing NeoSpeech picks AT&T
    };
    for (const Case& c : cases) {
        const VoiceTypeBoxes boxes = afterVoiceTypeClick(c.clicked, c.nowTicked);
        EXPECT_EQ(boxes, c.boxes);
        EXPECT_EQ(voiceTypeAttOf(boxes), c.att);
    }
}

TEST(VoiceSetup, SaveCopiesTheBoxesTheQuietTimesAndTheChosenSpeed) {
    struct Case {
        const char* what;
        std::function<void(VoiceSetupValues&)> type;
        std::function<void(Settings&)> expect;
        bool notice = false;
    };
    const Case cases[] = {
        {"speed 1", [](auto& v) { v.speed = 3; }, [](auto& s) { s.SpeechRate = 1; }},
        {"speed -2", [](auto& v) { v.speed = 0; }, [](auto& s) { s.SpeechRate = -2; }},
        {"no speed chosen", [](auto& v) { v.speed = -1; }, [](auto&) {}},
        {"quiet times trimmed",
         [](auto& v) {
             v.quietStart = " 22:00 ";
             v.quietStop = "06:30\t";
         },
         [](auto& s) {
             s.QuietStart = "22:00";
             s.QuietStop = "06:30";
         }},
        // Not hh:mm: kept as typed, compared as text like any other.
        {"quiet times not hh:mm",
         [](auto& v) {
             v.quietStart = "7:5";
             v.quietStop = "late";
         },
         [](auto& s) {
             s.QuietStart = "7:5";
             s.QuietStop = "late";
         }},
        {"remote notices", [](auto& v) { v.remoteConnDisc = true; },
         [](auto& s) { s.TtsRemoteConnDisc = 1; }, true},
        {"flags",
         [](auto& v) {
             v.preamble = true;
             v.localConnDisc = false;
             v.skipIfBusy = true;
             v.chatMsg = true;
             v.fullChatText = true;
             v.time24 = true;
             v.nodeOffIfQuiet = true;
             v.attVoice = true;
             v.neoVoice = false;
         },
         [](auto& s) {
             s.UsePreamble = 1;
             s.TtsLocalConnDisc = 0;
             s.SkipIfBusy = 1;
             s.TtsChatMsg = 1;
             s.TtsFullChatText = 1;
             s.TtsTime24 = 1;
             s.NodeOffIfQuiet = 1;
             s.VoiceTypeAtt = 1;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Settings before;
        before.SpeechRate = -1;
        VoiceSetupValues v = loadVoiceSetup(before);
        c.type(v);
        Settings saved = before;
        EXPECT_EQ(saveVoiceSetup(v, saved), c.notice);
        Settings expected = before;
        c.expect(expected);
        EXPECT_EQ(saved, expected);
        EXPECT_EQ(throughFile(saved), expected);
    }
}

TEST(VoiceSetup, AQuietTimeWithACommaCannotShiftTheLinesAfterIt) {
    Settings s;
    VoiceSetupValues v = loadVoiceSetup(s);
    v.quietStart = "22,00";
    v.nodeOffIfQuiet = true;
    saveVoiceSetup(v, s);
    const Settings back = throughFile(s);
    EXPECT_EQ(back.QuietStart, "2200");
    EXPECT_EQ(back.QuietStop, "00:00");
    EXPECT_EQ(back.NodeOffIfQuiet, 1);
}

TEST(SoundDeviceSetup, ListsTheOutputsAndSelectsTheSavedOne) {
    const std::vector<std::string> three = {"Speakers", "Headset", "Air recorder (WAV files)"};
    struct Case {
        std::int16_t saved;
        std::vector<std::string> outputs;
        int selected;
        bool gone;
    };
    const Case cases[] = {
        {2, three, 2, false},  {0, three, 0, false},
        {3, three, -1, true},  // unplugged since it was saved
        {-1, three, -1, true}, {0, {}, -1, true},
    };
    for (const Case& c : cases) {
        Settings s;
        s.SoundDevice = c.saved;
        const SoundDeviceList list = loadSoundDevice(c.outputs, s);
        EXPECT_EQ(list.entries, c.outputs);
        EXPECT_EQ(list.selected, c.selected) << c.saved;
        EXPECT_EQ(list.note.empty(), !c.gone) << c.saved;
    }
}

TEST(SoundDeviceSetup, OkStoresTheChosenEntryAndNothingWhenNoneIsChosen) {
    const std::pair<int, std::int16_t> cases[] = {{2, 2}, {0, 0}, {-1, 1}};
    for (const auto& [chosen, stored] : cases) {
        Settings s;
        s.SoundDevice = 1;
        saveSoundDevice(chosen, s);
        EXPECT_EQ(s.SoundDevice, stored) << chosen;
    }
}

TEST(InfoFilePicker, StartsInTheFolderShownLastOrTheProgramFolder) {
    Settings s;
    EXPECT_EQ(infoPickerStartFolder(s, "/opt/vox"), "/opt/vox");
    s.InfoFolder = "/home/me/info";
    EXPECT_EQ(infoPickerStartFolder(s, "/opt/vox"), "/home/me/info");
}

TEST(InfoFilePicker, SelectJoinsFolderAndFileWithTheFoldersOwnSeparator) {
    struct Case {
        const char* folder;
        const char* file;
        const char* path;
    };
    const Case cases[] = {
        {"/home/me/info", "net.txt", "/home/me/info/net.txt"},
        {"/home/me/info", "", "/home/me/info/"},  // Select with no file chosen
        {"c:\\voxclock\\info", "net.wav", "c:\\voxclock\\info\\net.wav"},
        {"c:\\voxclock\\info", "", "c:\\voxclock\\info\\"},
        {"/", "net.txt", "/net.txt"},
    };
    for (const Case& c : cases) {
        Settings s;
        s.InfoFolder = "/elsewhere";
        infoPickerSelect(c.folder, c.file, s);
        EXPECT_EQ(s.InfoFilePath, c.path);
        EXPECT_EQ(s.InfoFolder, c.folder);
    }
}

TEST(InfoFilePicker, ClosingRemembersOnlyTheFolder) {
    Settings s;
    s.InfoFilePath = "/home/me/info/net.txt";
    infoPickerClosed("/tmp/other", s);
    EXPECT_EQ(s.InfoFolder, "/tmp/other");
    EXPECT_EQ(s.InfoFilePath, "/home/me/info/net.txt");
}

}  // namespace
}  // namespace vox

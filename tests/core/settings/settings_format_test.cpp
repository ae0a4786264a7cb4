#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/settings/settings_format.h"
#include "tests/support/temp_folder.h"

namespace vox {

// Failures show the record as the file it would be written to.
inline void PrintTo(const Settings& s, std::ostream* os) {
    *os << "\n" << formatSettingsFile(s);
}

namespace {

std::vector<std::string> splitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t p; (p = text.find("\r\n", start)) != std::string::npos; start = p + 2) {
        lines.push_back(text.substr(start, p - start));
    }
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines)
        text += l + "\r\n";
    return text;
}

bool parse(const std::string& text, Settings& out, std::string* error = nullptr) {
    std::istringstream in(text);
    return parseSettingsFile(in, out, error);
}

RemoteNode node(std::string call, std::string dtmf, std::int16_t autoOn,
                std::vector<std::string> slots, std::int32_t delay,
                std::vector<std::int16_t> days) {
    RemoteNode n;
    n.Node = std::move(call);
    n.Dtmf = std::move(dtmf);
    n.Auto = autoOn;
    slots.resize(6);
    n.Slot1Start = slots[0];
    n.Slot1Stop = slots[1];
    n.Slot2Start = slots[2];
    n.Slot2Stop = slots[3];
    n.Slot3Start = slots[4];
    n.Slot3Stop = slots[5];
    n.Delay = delay;
    days.resize(8);
    n.Daily = days[0];
    n.Mon = days[1];
    n.Tue = days[2];
    n.Wed = days[3];
    n.Thu = days[4];
    n.Fri = days[5];
    n.Sat = days[6];
    n.Sun = days[7];
    return n;
}

// What golden.ini holds: every setting away from its default.
Settings goldenRecord() {
    Settings s;
    s.TimeHour = s.TimeHalfHour = s.TimeQuarterHour = 1;
    s.FileHour = s.FileHalfHour = s.FileQuarterHour = 1;
    s.InfoFilePath = "C:\\Program Files\\Voxclock\\info\\info3.txt";
    s.InfoFolder = "C:\\Program Files\\Voxclock\\info";
    s.FanRts = 1;
    s.FanDtr = 1;
    s.RemoteNodes = {
        node("N0CALL-L", "*31", 1, {"07:00", "08:30", "12:00", "12:15", "18:45", "19:00"}, 30,
             {0, 1, 0, 1, 0, 1, 0, 0}),
        node("W1AW-R", "*32", 0, {}, 10, {1, 0, 0, 0, 0, 0, 1, 1}),
        node("*ECHOTEST*", "*33", 1, {"23:00", "01:00"}, -5, {0, 0, 1, 0, 1, 0, 0, 0}),
        node("K1ABC", "*34", 0, {}, 70000, {}),
        node("VE2XYZ-L", "*35", 0, {}, 0, {}),
        node("G4ABC", "*36", 0, {}, 0, {}),
        node("DL1ABC-R", "*37", 0, {}, 0, {}),
        node("JA1XYZ", "*38", 1, {"05:00", "05:30"}, 15, {1}),
    };
    s.CwIdAfterTime = 1;
    s.SoundDevice = 2;
    s.DtmfPlayFile = "10#";
    s.DtmfPlayTime = "10*";
    s.DtmfWxForecast = "40*";
    s.DtmfPlayHelp = "80*";
    s.DtmfConnList = "70*";
    s.DtmfAutoToggle = "*9*";
    s.DtmfBusyToggle = "*8*";
    s.DtmfRecordStart = "12*";
    s.DtmfRecordStop = "21*";
    s.DtmfRecordPlayback = "31*";
    s.DtmfWx = "90*";
    s.DtmfLock = "ABCD";
    s.DtmfSpeedDial = "412";
    s.RecordMax = 3;
    s.UsePreamble = 1;
    s.CwIdEnabled = 0;
    s.CwIdMinutes = 15;
    s.FanTime = 7;
    s.TxDelaySeconds = 0.75;
    s.WxUrl = "d:\\weather\\wxex\\";
    s.WxArea =
        "Ste-Anne-des-Monts, Qu\xe9"
        "bec";  // code-page byte kept as it is
    s.WxNodeCall = "Victor Echo Two X-ray Yankee Zulu";
    s.WxIsMetric = 1;
    s.QuietStart = "23:30";
    s.QuietStop = "06:15";
    s.WxDtmf = 0;
    s.AllowRsgb = 1;
    s.ToneBurst = 1;
    s.ActiveMinutes = 30;
    s.ActiveReminder = 1;
    s.AllowWwv = 1;
    s.AllowInfo = 1;
    s.TtsLocalConnDisc = 0;
    s.TtsChatMsg = 1;
    s.TtsRemoteConnDisc = 1;
    s.VoiceTypeAtt = 1;
    s.SpeechRate = -1;
    s.BusyMinutes = 45;
    s.BusyReminder = 1;
    s.TtsFullChatText = 1;
    s.DtmfTextToggle = "*3*";
    s.VoiceIdAfterTime = 1;
    s.NodeOffIfQuiet = 1;
    s.DtmfNodeQuietToggle = "C";
    s.SkipIfBusy = 1;
    s.TtsTime24 = 1;
    s.DtmfLocalWx = "56*";
    s.LocalWxFile = "C:\\WS\\freewx";
    s.WxStationType = 1;
    s.WxWarnEnabled = 1;
    s.WxWarnMinutes = 25;
    s.DtmfWxWarn = "34*";
    s.TimeAfterConnDisc = 1;
    s.CwIdPassive = 1;
    return s;
}

TEST(SettingsFormat, GoldenFileReadsToItsRecordAndIsWrittenBackByteForByte) {
    const std::string golden = readFile(VOXCLOCK_TEST_DATA "/settings/golden.ini");
    ASSERT_EQ(splitCrLf(golden).size(), 120u);
    Settings read;
    std::string error;
    ASSERT_TRUE(parse(golden, read, &error)) << error;
    EXPECT_EQ(read, goldenRecord());
    EXPECT_EQ(formatSettingsFile(goldenRecord()), golden);
}

TEST(SettingsFormat, NewFileIsTheDefaultsColumnAndReadsToADefaultRecord) {
    const std::string text = newSettingsFileText();
    const auto lines = splitCrLf(text);
    ASSERT_EQ(lines.size(), 119u);
    EXPECT_EQ(lines[0], "0,0,0");
    EXPECT_EQ(lines[1], "0,0,0");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[6], std::string(17, ','));
    EXPECT_EQ(lines[13], std::string(17, ','));
    EXPECT_EQ(lines[16], "00#");
    EXPECT_EQ(lines[29], "5");
    EXPECT_EQ(lines[34], "0.5");
    EXPECT_EQ(lines[35], "c:\\program files\\wxex\\");
    EXPECT_EQ(lines[67], "33*");
    for (std::size_t i = 69; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], "") << "line " << i + 1;
    }

    Settings read = goldenRecord();
    ASSERT_TRUE(parse(text, read));
    EXPECT_EQ(read, Settings{});
}

// The writer keeps the file positional whatever the dialogs put into text values.
TEST(SettingsFormat, WriterKeepsTheFieldsInPlace) {
    struct Case {
        const char* what;
        std::function<void(Settings&)> set;   // the record written
        std::function<void(Settings&)> want;  // what reading it back changes from the defaults
    };
    const Case cases[] = {
        {"comma in an area name survives", [](Settings& s) { s.WxArea = "Paris, France"; },
         [](Settings& s) { s.WxArea = "Paris, France"; }},
        {"comma in a DTMF code is stripped", [](Settings& s) { s.DtmfPlayFile = "1,2*"; },
         [](Settings& s) { s.DtmfPlayFile = "12*"; }},
        {"comma in a node's DTMF code is stripped",
         [](Settings& s) {
             s.RemoteNodes[3].Dtmf = "*3,1";
             s.RemoteNodes[3].Delay = 12;
         },
         [](Settings& s) {
             s.RemoteNodes[3].Dtmf = "*31";
             s.RemoteNodes[3].Delay = 12;
         }},
        {"node name stored upper case", [](Settings& s) { s.RemoteNodes[0].Node = "n0call-l"; },
         [](Settings& s) { s.RemoteNodes[0].Node = "N0CALL-L"; }},
        {"leading quote and blanks dropped", [](Settings& s) { s.InfoFolder = " \"C:\\info\""; },
         [](Settings& s) { s.InfoFolder = "C:\\info\""; }},
        {"line breaks dropped",
         [](Settings& s) {
             s.WxNodeCall = "Kilo\r\nOne";
             s.QuietStart = "2\n2:00";
         },
         [](Settings& s) {
             s.WxNodeCall = "KiloOne";
             s.QuietStart = "22:00";
         }},
        {"whole-line value keeps blanks and quotes", [](Settings& s) { s.WxUrl = "  \"x\", y "; },
         [](Settings& s) { s.WxUrl = "  \"x\", y "; }},
        {"numbers at the ends of their range",
         [](Settings& s) {
             s.RecordMax = -32768;
             s.FanTime = 32767;
             s.RemoteNodes[7].Delay = -2147483647 - 1;
         },
         [](Settings& s) {
             s.RecordMax = -32768;
             s.FanTime = 32767;
             s.RemoteNodes[7].Delay = -2147483647 - 1;
         }},
        {"reals keep their fraction",
         [](Settings& s) {
             s.TxDelaySeconds = 1.25;
             s.SpeechRate = -0.5;
         },
         [](Settings& s) {
             s.TxDelaySeconds = 1.25;
             s.SpeechRate = -0.5;
         }},
    };
    for (const Case& c : cases) {
        Settings written;
        c.set(written);
        Settings want;
        c.want(want);
        const std::string text = formatSettingsFile(written);
        EXPECT_EQ(splitCrLf(text).size(), 120u) << c.what;
        Settings read;
        std::string error;
        ASSERT_TRUE(parse(text, read, &error)) << c.what << ": " << error;
        EXPECT_EQ(read, want) << c.what;
    }
}

TEST(SettingsFormat, NumbersAloneOnALineAreWrittenTheClassicWay) {
    Settings s;
    s.RecordMax = 5;
    s.CwIdMinutes = -2;
    s.TxDelaySeconds = 0.5;
    s.SpeechRate = -0.5;
    const auto lines = splitCrLf(formatSettingsFile(s));
    EXPECT_EQ(lines[29], " 5 ");
    EXPECT_EQ(lines[32], "-2 ");
    EXPECT_EQ(lines[34], " .5 ");
    EXPECT_EQ(lines[52], "-.5 ");
}

// Files edited by hand or written by other versions, read value by value.
TEST(SettingsFormat, ReadingRules) {
    struct Case {
        const char* what;
        int line;
        std::string text;
        std::function<void(Settings&)> want;  // changes from the defaults
    };
    const Case cases[] = {
        {"empty number reads 0", 30, "", [](Settings& s) { s.RecordMax = 0; }},
        {"blanks around a number", 30, "  7  ", [](Settings& s) { s.RecordMax = 7; }},
        {"fraction in a whole number rounds to even", 30, "2.5",
         [](Settings& s) { s.RecordMax = 2; }},
        {"real without blanks", 35, "0.5", [](Settings&) {}},
        {"real without a leading zero", 35, " .5 ", [](Settings&) {}},
        {"real with exponent", 35, "1.5E+1", [](Settings& s) { s.TxDelaySeconds = 15; }},
        {"negative real", 53, "-2 ", [](Settings& s) { s.SpeechRate = -2; }},
        {"flags line in order", 1, "0,1,0", [](Settings& s) { s.TimeHalfHour = 1; }},
        {"missing flags read 0", 2, "1", [](Settings& s) { s.FileHour = 1; }},
        {"empty flag between others", 2, "1,,1",
         [](Settings& s) { s.FileHour = s.FileQuarterHour = 1; }},
        {"text value ends at a comma", 17, "12*,junk", [](Settings& s) { s.DtmfPlayFile = "12*"; }},
        {"blanks before text skipped", 17, "   12*", [](Settings& s) { s.DtmfPlayFile = "12*"; }},
        {"quoted text keeps its comma", 17, " \"1,2*\" ",
         [](Settings& s) { s.DtmfPlayFile = "1,2*"; }},
        {"unclosed quote runs to the line end", 4, "\"C:\\a, b",
         [](Settings& s) { s.InfoFolder = "C:\\a, b"; }},
        {"whole line read as it is", 37, "  Rome, Italy \"x\" ",
         [](Settings& s) { s.WxArea = "  Rome, Italy \"x\" "; }},
        {"empty line 70 reads 0", 70, "", [](Settings&) {}},
        {"line 70 read", 70, " 1 ", [](Settings& s) { s.CwIdPassive = 1; }},
        {"node fields in file order", 8, "w1aw, *2 ,1,01:00,02:00,,,,,99999,1,0,0,0,0,0,0,1",
         [](Settings& s) {
             RemoteNode& n = s.RemoteNodes[1];
             n.Node = "w1aw";  // upper case is the writer's business
             n.Dtmf = "*2 ";
             n.Auto = 1;
             n.Slot1Start = "01:00";
             n.Slot1Stop = "02:00";
             n.Delay = 99999;
             n.Daily = 1;
             n.Sun = 1;
         }},
        {"short node line", 14, "K1ABC,*9",
         [](Settings& s) {
             s.RemoteNodes[7].Node = "K1ABC";
             s.RemoteNodes[7].Dtmf = "*9";
         }},
    };
    const auto base = splitCrLf(newSettingsFileText());
    for (const Case& c : cases) {
        auto lines = base;
        lines[static_cast<std::size_t>(c.line - 1)] = c.text;
        Settings want;
        c.want(want);
        Settings read;
        std::string error;
        ASSERT_TRUE(parse(joinCrLf(lines), read, &error)) << c.what << ": " << error;
        EXPECT_EQ(read, want) << c.what;
    }
}

TEST(SettingsFormat, LineEndsOtherThanCrLfAreAccepted) {
    const std::string golden = readFile(VOXCLOCK_TEST_DATA "/settings/golden.ini");
    for (const char* end : {"\n", "\r"}) {
        std::string text;
        for (const auto& l : splitCrLf(golden))
            text += l + end;
        Settings read;
        ASSERT_TRUE(parse(text, read));
        EXPECT_EQ(read, goldenRecord());
    }
}

TEST(SettingsFormat, BadFilesAreRejectedAndLeaveTheRecordAlone) {
    auto withLine = [](int line, const std::string& text) {
        auto lines = splitCrLf(newSettingsFileText());
        lines[static_cast<std::size_t>(line - 1)] = text;
        return joinCrLf(lines);
    };
    const std::string newFile = newSettingsFileText();
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty file", ""},
        {"ends after line 69", newFile.substr(0, newFile.size() - 50 * 2)},
        {"ends inside the node lines", newFile.substr(0, 40)},
        {"word for a number", withLine(30, "five")},
        {"number with junk", withLine(33, "10 min")},
        {"hex is not decimal", withLine(30, "0x10")},
        {"int out of 16 bits", withLine(34, "32768")},
        {"delay out of 32 bits", withLine(9, ",,,,,,,,,2147483648")},
        {"not a real", withLine(35, "half")},
        {"infinite real", withLine(53, "1e999")},
        {"binary bytes", withLine(45, std::string("\0\x01\xff", 3))},
        {"one endless line", std::string(10 * 1024 * 1024, 'x')},
        {"endless binary", std::string(4 * 1024 * 1024, '\0')},
    };
    for (const auto& c : cases) {
        Settings read = Settings{};
        read.DtmfLock = "1234";
        const Settings before = read;
        std::string error;
        EXPECT_FALSE(parse(c.text, read, &error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
        EXPECT_EQ(read, before) << c.what;
    }
}

// A file the program wrote must read again at the next start. Numbers are written in full, so a
// node line is read only when its written form is within the line limit too.
TEST(SettingsFormat, ANodeLineIsReadOnlyWhenItCanBeWrittenBack) {
    const auto withNodeLine = [](const std::string& line) {
        auto lines = splitCrLf(newSettingsFileText());
        lines[6] = line;
        return joinCrLf(lines);
    };
    const auto filled = [](const std::string& numbers) {
        return std::string(16 * 1024 - numbers.size(), 'A') + numbers;
    };

    const std::string atTheLimit = filled(",,0,,,,,,,0,0,0,0,0,0,0,0,0");
    Settings read;
    ASSERT_TRUE(parse(withNodeLine(atTheLimit), read));
    const std::string written = formatSettingsFile(read);
    EXPECT_EQ(splitCrLf(written)[6], atTheLimit);
    Settings again;
    EXPECT_TRUE(parse(written, again));
    EXPECT_EQ(again, read);

    // As long as the limit in the file, but "1e4" comes back as "10000".
    const std::string growing = filled(",,1e4,,,,,,,1e4,1e4,1e4,1e4,1e4,1e4,1e4,1e4,1e4");
    std::string error;
    EXPECT_FALSE(parse(withNodeLine(growing), read, &error));
    EXPECT_EQ(error, "line 7: longer than 16384 bytes when written back");
}

TEST(SettingsFormat, NothingAfterLine70IsRead) {
    std::string text = readFile(VOXCLOCK_TEST_DATA "/settings/golden.ini");
    text += std::string(10 * 1024 * 1024, '\0');  // would be refused if it were read
    Settings read;
    ASSERT_TRUE(parse(text, read));
    EXPECT_EQ(read, goldenRecord());
}

}  // namespace
}  // namespace vox

// The weather setup dialog's OK as plain code, and the folder paths it and the readers accept.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/base/text_helpers.h"
#include "core/weather/wx_paths.h"
#include "core/weather/wx_setup_rules.h"
#include "tests/core/weather/weather_rig.h"

namespace vox {
namespace {

namespace fs = std::filesystem;

struct SetupFolder {
    SetupFolder() {
        fs::create_directories(root() + "/WxEx/CSV");
        std::ofstream(root() + "/WxEx/CSV/Data.csv") << "1,2,3\r\n";
        fs::create_directories(root() + "/vws");
        std::ofstream(root() + "/vws/daily.txt") << "15:45 250 48\r\n";
        fs::create_directories(root() + "/empty/sub");
    }
    std::string root() const { return dir.path; }
    TempFolder dir;
};

TEST(WxSetupRules, LoadShowsTheSettings) {
    Settings s;
    s.WxIsMetric = 1;
    s.WxDtmf = 0;
    s.WxWarnMinutes = 15;
    s.WxStationType = 2;
    WxSetupValues v = loadWxSetup(s);
    EXPECT_EQ(v.wxUrl, "c:\\program files\\wxex\\");
    EXPECT_EQ(v.wxArea, "Your QTH For Weather");
    EXPECT_TRUE(v.metric);
    EXPECT_FALSE(v.forecastHint);
    EXPECT_FALSE(v.warnEnabled);
    EXPECT_EQ(v.warnMinutes, "15");
    EXPECT_EQ(v.stationType, 2);
    s.WxStationType = 7;
    EXPECT_EQ(loadWxSetup(s).stationType, -1) << "no option button for it";
}

TEST(WxSetupRules, OkStoresTheValuesAndWarnsAboutWhatItCannotFind) {
    const WxSetupMessage wxex{false, kWxExchangeMissing};
    const WxSetupMessage empty{true, kStationFolderEmpty};
    const WxSetupMessage vws{true, kVwsLogMissing};
    const WxSetupMessage freewx{true, kFreeWxLogMissing};
    const WxSetupMessage unusable{true, kStationFolderUnusable};
    const struct {
        const char* what;
        std::string wxUrl, local;  // "@" stands for the test's folder
        int type;
        std::string storedUrl, storedLocal;
        int storedType;
        std::vector<WxSetupMessage> messages;
        bool keepOpen = false;
    } cases[] = {
        {"Windows folder: separator added, not found here",
         "d:\\wxex",
         "",
         2,
         "d:\\wxex\\",
         "",
         0,
         {wxex}},
        {"folder typed here, any letter case", " @/wxex ", "", 0, "@/wxex/", "", 0, {}},
        {"inside the program folder", "wxex", "", 0, "wxex/", "", 0, {}},
        {"backslashes inside the program folder", "WXEX\\", "vws", 0, "WXEX\\", "vws/", 0, {}},
        {"empty folder", "", "", 0, "/", "", 0, {wxex}},
        {"VWS folder", "@/wxex/", "@/vws", 3, "@/wxex/", "@/vws/", 3, {}},
        {"FreeWx without freewx.dat", "@/wxex/", "@/vws/", 1, "@/wxex/", "@/vws/", 1, {freewx}},
        {"VWS without daily.txt",
         "@/wxex/",
         "@/empty/../WxEx/csv",
         0,
         "@/wxex/",
         "@/empty/../WxEx/csv/",
         0,
         {vws}},
        {"station folder without files",
         "@/wxex/",
         "@/empty",
         2,
         "@/wxex/",
         "@/empty/",
         2,
         {empty}},
        {"station folder that does not exist",
         "@/wxex/",
         "@/none",
         2,
         "@/wxex/",
         "@/none/",
         2,
         {empty}},
        {"station folder on a drive",
         "x:\\",
         "e:\\weather",
         1,
         "x:\\",
         "e:\\weather\\",
         1,
         {wxex, unusable},
         true},
        {"no option chosen keeps the type", "@/wxex/", "@/vws/", -1, "@/wxex/", "@/vws/", 3, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetupFolder folder;
        auto at = [&](std::string text) { return ReplaceAll(text, "@", folder.root()); };
        Settings s;
        s.WxStationType = 3;
        WxSetupValues v = loadWxSetup(s);
        v.wxUrl = at(c.wxUrl);
        v.localWxFile = at(c.local);
        v.stationType = c.type;
        const WxSetupOutcome out = saveWxSetup(v, s, folder.root());
        EXPECT_EQ(s.WxUrl, at(c.storedUrl));
        EXPECT_EQ(s.LocalWxFile, at(c.storedLocal));
        EXPECT_EQ(s.WxStationType, c.storedType);
        EXPECT_EQ(out.messages, c.messages);
        EXPECT_EQ(out.keepOpen, c.keepOpen);
    }
}

TEST(WxSetupRules, TextsAreTrimmedAndTheBoxesAndMinutesStored) {
    SetupFolder folder;
    Settings s;
    WxSetupValues v = loadWxSetup(s);
    v.wxArea = "  Boston Harbor ";
    v.wxNodeCall = " W one A W";
    v.metric = true;
    v.forecastHint = false;
    v.warnEnabled = true;
    for (auto [typed, stored] : {std::pair<const char*, int>{"15.5", 16},
                                 {"14.5", 14},
                                 {"abc", 0},
                                 {" 7 ", 7},
                                 {"20 min", 20},
                                 {"99999", 32767},
                                 {"-99999", -32768},
                                 {"", 0}}) {
        v.warnMinutes = typed;
        saveWxSetup(v, s, folder.root());
        EXPECT_EQ(s.WxWarnMinutes, stored) << typed;
    }
    EXPECT_EQ(s.WxArea, "Boston Harbor");
    EXPECT_EQ(s.WxNodeCall, "W one A W");
    EXPECT_EQ(s.WxIsMetric, 1);
    EXPECT_EQ(s.WxDtmf, 0);
    EXPECT_EQ(s.WxWarnEnabled, 1);
}

TEST(WxPaths, FoldersFromWindowsAndFromHere) {
    SetupFolder folder;
    const std::string root = folder.root();
    const struct {
        std::string typed;
        bool ok;
        std::string file;  // wxFileIn(folder, "csv\data.csv") when ok
    } cases[] = {
        {"c:\\program files\\wxex\\", false, ""},
        {"\\\\server\\share\\wxex\\", false, ""},
        {root + "/wxex/", true, root + "/WxEx/CSV/Data.csv"},
        {ReplaceAll(root, "/", "\\") + "\\WXEX", true, root + "/WxEx/CSV/Data.csv"},
        {"wxex\\", true, root + "/WxEx/CSV/Data.csv"},
        {"./wxex", true, root + "/./WxEx/CSV/Data.csv"},
        {root + "/missing/", true, root + "/missing/csv/data.csv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const WxFolder f = resolveWxFolder(c.typed, root);
        EXPECT_EQ(f.ok, c.ok) << f.error;
        if (f.ok)
            EXPECT_EQ(wxFileIn(f.path, "csv\\data.csv"), c.file);
        else
            EXPECT_FALSE(f.error.empty());
    }
    for (auto [typed, stored] : {std::pair<const char*, const char*>{"d:\\wxex", "d:\\wxex\\"},
                                 {"/home/me/wxex", "/home/me/wxex/"},
                                 {"/home/me/wxex/", "/home/me/wxex/"},
                                 {"c:\\wx/", "c:\\wx/"},
                                 {"", "/"}})
        EXPECT_EQ(withFolderSeparator(typed), stored) << typed;
}

}  // namespace
}  // namespace vox

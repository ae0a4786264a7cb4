#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/settings/program_conf.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

std::string fixture(const std::string& name) {
    return std::string(VOXCLOCK_TEST_DATA) + "/conf/" + name;
}

TEST(ProgramConf, MissingFileGivesDefaultsQuietly) {
    const ConfResult r = loadProgramConf(fixture("no-such.conf"));
    EXPECT_EQ(r.conf, ProgramConf{});
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_EQ(r.conf.callsign, "N0CALL-L");
    EXPECT_EQ(r.conf.connectDelayMs, 1500);
    EXPECT_EQ(r.conf.cwid, (CwIdConf{20, 800, 0.5, false}));
}

// CR LF, a byte-order mark, comments, odd letter case and DTMF codes full of '#', '*' and ';',
// which must survive as the rest of the line.
TEST(ProgramConf, GoldenFileReadsEveryKey) {
    ProgramConf want;
    want.callsign = "W1AW-R";
    want.sysopMode = 0;
    want.pttControl = 3;
    want.connectDelayMs = 250;
    want.dtmfCommands = "Connect=#1, Disconnect=##, Status=*;9 ,Info=08";
    want.dtmfShortcuts = "Random=00,Query=0*";
    want.soundFilesDir = "C:\\Program Files\\EchoLink\\Sounds";
    want.cwid = {25, 650, 0.35, true};
    const ConfResult r = loadProgramConf(fixture("golden.conf"));
    EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();
    EXPECT_EQ(r.conf, want);
}

// What is bad keeps its default, the rest is used, and every line that cannot be used is
// reported with its number.
TEST(ProgramConf, BrokenFilesKeepDefaultsForWhatIsBad) {
    struct Case {
        const char* file;
        std::vector<std::string> warnings;
        std::function<void(ProgramConf&)> good;  // what the file sets successfully
    };
    const Case cases[] = {
        {"unknown_key.conf",
         {"unknown_key.conf line 3: unknown key 'volume' in [sim]",
          "unknown_key.conf line 4: 'ptt_control' is not a valid number: 'two'"},
         [](ProgramConf& c) {
             c.callsign = "K1ABC";
             c.connectDelayMs = 900;
         }},
        {"unknown_section.conf",
         {"unknown_section.conf line 2: unknown section [radio]"},
         [](ProgramConf& c) { c.pttControl = 2; }},
        {"malformed.conf",
         {"malformed.conf line 2: not a key = value line",
          "malformed.conf line 3: not a [section] line"},
         [](ProgramConf& c) { c.connectDelayMs = 10; }},
        {"bad_numbers.conf",
         {"bad_numbers.conf line 2: 'connect_delay_ms' is not a valid number: '-5'",
          "bad_numbers.conf line 3: 'sysop_mode' is not a valid number: '99999999999'"},
         [](ProgramConf& c) { c.pttControl = 2; }},
        {"outside_section.conf",
         {"outside_section.conf line 1: key 'callsign' outside a section",
          "outside_section.conf line 3: unknown backend 'irlp'"},
         [](ProgramConf&) {}},
        {"binary.conf",
         {"binary.conf line 3: not a key = value line"},
         [](ProgramConf& c) {
             c.callsign = "K1ABC";
             c.pttControl = 3;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ProgramConf want;
        c.good(want);
        const ConfResult r = loadProgramConf(fixture(c.file));
        EXPECT_EQ(r.conf, want);
        EXPECT_EQ(r.warnings, c.warnings);
    }
}

// "key = value   # note": a '#' at the start of the value or after a blank starts a comment,
// one inside a word is part of the value, and a quoted value keeps everything between its quotes.
TEST(ProgramConf, TrailingCommentsAndQuotedValues) {
    struct Case {
        const char* line;
        const char* value;    // [sim] callsign afterwards
        const char* warning;  // "" for none
    };
    const Case cases[] = {
        {"callsign = W1AW   # the node's own call", "W1AW", ""},
        {"callsign = W1AW\t# a tab before", "W1AW", ""},
        {"callsign =   # nothing but a note", "", ""},
        {"callsign = W1#AW", "W1#AW", ""},
        {"callsign = \"W1AW # not a note\"   # a note", "W1AW # not a note", ""},
        {"callsign = \"#1\"", "#1", ""},
        {"callsign = \"\"", "", ""},
        {"callsign = \"W1AW", "N0CALL-L", "no closing '\"' in '\"W1AW'"},
        {"callsign = \"W1AW\" x", "N0CALL-L", "text after the closing '\"': 'x'"},
    };
    TempFolder temp;
    const std::string path = temp.file("voxclock-notes.conf");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::ofstream(path) << "[sim]   # the simulator\n" << c.line << "\n";
        const ConfResult r = loadProgramConf(path);
        EXPECT_EQ(r.conf.callsign, c.value);
        if (*c.warning) {
            ASSERT_EQ(r.warnings.size(), 1u);
            EXPECT_EQ(r.warnings[0], std::string("voxclock-notes.conf line 2: ") + c.warning);
        } else {
            EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();
        }
    }
    std::remove(path.c_str());
}

// Every voxclock.conf block the documents print ("```ini" in the Markdown files) must load as
// printed, so the documents and the reader cannot drift apart.
TEST(ProgramConf, EveryBlockInTheDocumentsLoadsWithoutAWarning) {
    namespace fs = std::filesystem;
    const fs::path root = fs::path(VOXCLOCK_TEST_DATA).parent_path().parent_path();
    std::vector<fs::path> documents{root / "README.md"};
    for (const auto& entry : fs::recursive_directory_iterator(root / "docs"))
        if (entry.path().extension() == ".md")
            documents.push_back(entry.path());
    TempFolder temp;
    const std::string path = temp.file("voxclock-doc.conf");
    int blocks = 0;
    for (const fs::path& document : documents) {
        std::ifstream in(document);
        std::string line, block;
        bool inside = false;
        for (int number = 1; std::getline(in, line); ++number) {
            if (!inside && line == "```ini") {
                inside = true;
                block.clear();
            } else if (inside && line == "```") {
                inside = false;
                ++blocks;
                SCOPED_TRACE(document.filename().string() + " block ending on line " +
                             std::to_string(number));
                std::ofstream(path) << block;
                const ConfResult r = loadProgramConf(path);
                EXPECT_TRUE(r.warnings.empty()) << ::testing::PrintToString(r.warnings);
            } else if (inside) {
                block += line + "\n";
            }
        }
        EXPECT_FALSE(inside) << document << " ends inside a block";
    }
    EXPECT_GE(blocks, 2);  // the reference block and the SvxLink one
    std::remove(path.c_str());
}

// Each [cwid] value outside its limits keeps its default, the others in the section are used.
TEST(ProgramConf, CwIdValuesOutsideTheirLimitsKeepTheirDefaults) {
    struct Case {
        const char* line;
        const char* warning;
    };
    const Case cases[] = {
        {"wpm = 4", "'wpm' is not a number from 5 to 60: '4'"},
        {"wpm = 61", "'wpm' is not a number from 5 to 60: '61'"},
        {"wpm = 20.5", "'wpm' is not a number from 5 to 60: '20.5'"},
        {"tone_hz = 299", "'tone_hz' is not a number from 300 to 3000: '299'"},
        {"tone_hz = 3001", "'tone_hz' is not a number from 300 to 3000: '3001'"},
        {"tone_hz =", "'tone_hz' is not a number from 300 to 3000: ''"},
        {"amplitude = 0", "'amplitude' is not a number from 0.05 to 1: '0'"},
        {"amplitude = 1.01", "'amplitude' is not a number from 0.05 to 1: '1.01'"},
        {"amplitude = nan", "'amplitude' is not a number from 0.05 to 1: 'nan'"},
        {"amplitude = 0.5x", "'amplitude' is not a number from 0.05 to 1: '0.5x'"},
        {"suffix = yes", "'suffix' is not 0 or 1: 'yes'"},
        {"suffix = 2", "'suffix' is not 0 or 1: '2'"},
        {"speed = 20", "unknown key 'speed' in [cwid]"},
    };
    TempFolder temp;
    const std::string path = temp.file("voxclock-cwid.conf");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::ofstream(path) << "[cwid]\nwpm = 5\n"
                            << c.line << "\nwpm = 60\ntone_hz = 3000\n"
                            << "amplitude = 1\nsuffix = 1\n"
                            << c.line << "\n";
        ProgramConf want;
        want.cwid = {60, 3000, 1.0, true};  // the limits themselves are fine
        const ConfResult r = loadProgramConf(path);
        EXPECT_EQ(r.conf, want);
        ASSERT_EQ(r.warnings.size(), 2u);
        EXPECT_EQ(r.warnings[0], std::string("voxclock-cwid.conf line 3: ") + c.warning);
        EXPECT_EQ(r.warnings[1], std::string("voxclock-cwid.conf line 8: ") + c.warning);
    }
    std::remove(path.c_str());
}

// [web]: good addresses are taken; a malformed one gives one warning and is kept as written, so
// its feature fails with the reason instead of fetching somewhere else.
TEST(ProgramConf, WebAddressesAndTheTimeOut) {
    struct Case {
        const char* line;
        const char* warning;  // "" for none
        std::function<void(WebConf&)> want;
    };
    const Case cases[] = {
        {"wwv_url = file:///srv/wwv.txt", "", [](WebConf& w) { w.wwvUrl = "file:///srv/wwv.txt"; }},
        {"bulletin_base_url = https://example.org/rsgb/", "",
         [](WebConf& w) { w.bulletinBaseUrl = "https://example.org/rsgb/"; }},
        {"lookup_url = http://example.org/echolink/vqsearch.cfm", "",
         [](WebConf& w) { w.lookupUrl = "http://example.org/echolink/vqsearch.cfm"; }},
        {"wwv_url =", "", [](WebConf& w) { w.wwvUrl = ""; }},
        {"timeout_s = 2.5", "", [](WebConf& w) { w.timeoutSeconds = 2.5; }},
        {"wwv_url = ftp://example.org/wwv.txt",
         "'wwv_url' is not a usable address (not an http://, https:// or file:// address): "
         "'ftp://example.org/wwv.txt'",
         [](WebConf& w) { w.wwvUrl = "ftp://example.org/wwv.txt"; }},
        {"lookup_url = http://",
         "'lookup_url' is not a usable address (no host in the address): 'http://'",
         [](WebConf& w) { w.lookupUrl = "http://"; }},
        {"bulletin_base_url = https://example.org/rsgb",
         "'bulletin_base_url' must end with '/': 'https://example.org/rsgb'",
         [](WebConf& w) { w.bulletinBaseUrl = "https://example.org/rsgb"; }},
        {"timeout_s = 0", "'timeout_s' is not a number from 1 to 300: '0'", [](WebConf&) {}},
        {"timeout_s = 301", "'timeout_s' is not a number from 1 to 300: '301'", [](WebConf&) {}},
        {"timeout_s = ten", "'timeout_s' is not a number from 1 to 300: 'ten'", [](WebConf&) {}},
        {"proxy = x", "unknown key 'proxy' in [web]", [](WebConf&) {}},
    };
    TempFolder temp;
    const std::string path = temp.file("voxclock-web.conf");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::ofstream(path) << "[web]\n" << c.line << "\n";
        ProgramConf want;
        c.want(want.web);
        const ConfResult r = loadProgramConf(path);
        EXPECT_EQ(r.conf, want);
        if (*c.warning) {
            ASSERT_EQ(r.warnings.size(), 1u);
            EXPECT_EQ(r.warnings[0], std::string("voxclock-web.conf line 2: ") + c.warning);
        } else {
            EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();
        }
    }
    std::remove(path.c_str());
}

TEST(ProgramConf, AFolderInPlaceOfTheFileIsReported) {
    const ConfResult r = loadProgramConf(std::string(VOXCLOCK_TEST_DATA) + "/conf");
    EXPECT_EQ(r.conf, ProgramConf{});
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_EQ(r.warnings[0], "conf: not a file, defaults used");
}

}  // namespace
}  // namespace vox

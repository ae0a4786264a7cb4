// The speed-dial list, the bulletins and the WWV report, over a web in virtual time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/base/speakable_text.h"
#include "core/base/text_helpers.h"
#include "core/dtmf/spoken_reports.h"
#include "tests/core/base/fake_http_client.h"
#include "tests/core/parts/part_rig.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

// Passes everything on to the virtual voice and keeps what a listener gets: each text, and each
// text file's content as it was when handed over (the report deletes its file afterwards).
class ListeningVoice : public VirtualVoice {
public:
    ListeningVoice(Runtime& rt, std::vector<std::string>& heard)
        : VirtualVoice(rt), heard_(heard) {}
    void speak(const std::string& text, int flags) override {
        if (flags == kSpeakFileAsync)
            heard_.push_back("file " + std::filesystem::path(text).filename().string() + "\n" +
                             readSpeakableTextFile(text).value_or("(unreadable)"));
        else if (!text.empty())
            heard_.push_back(text);
        VirtualVoice::speak(text, flags);
    }

private:
    std::vector<std::string>& heard_;
};

constexpr const char* kMarker = "<hamvoice>TTSHamVoice123456789</hamvoice>";
const std::string kBase = "http://127.0.0.1:8080/rsgb/";
const std::string kWwvUrl = "https://example.org/text/wwv.txt";
const std::string kBulletinApology = "<xml>Sorry, that bulletin is currently not available.</xml>";
const std::string kWwvApology =
    "<xml>Sorry, the <spell>WWV</spell> report is not currently available.</xml>";

struct ReportsRig : PartRig, SpokenReportsPeers {
    ReportsRig() : http(rt), web(rt, &http, &air, 10), reports(context(), web, *this) {
        speech.setVoice(std::make_unique<ListeningVoice>(rt, heard));
        settings.WxNodeCall = "November Zero Call";
    }
    bool keyed() { return speech.pttHeld() || node.link().isTransmitting(); }
    bool exists(const char* name) const {
        return std::filesystem::exists(std::filesystem::path(dir.path) / name);
    }

    FakeHttpClient http;
    WebFetcher web;
    std::vector<std::string> heard;
    void sendStationId() override { heard.push_back("(identification)"); }
    void buildGreeting() override { state.GreetingText = "Good afternoon."; }

    SpokenReports reports;
};

std::string fixture(const std::string& name) {
    return readFile(std::string(VOXCLOCK_TEST_DATA) + "/wwv/" + name);
}

TEST(SpeedDial, ListsEveryUsableSlotInWords) {
    using Slots = std::vector<std::pair<std::string, std::string>>;  // Node, Dtmf
    const struct {
        const char* what;
        int voiceType;
        Slots slots;
        std::string list;
    } cases[] = {
        {"repeater entry",
         0,
         {{"N0CALL-R", "123"}},
         "<spell>N</spell> <spell>0</spell> <spell>C</spell> <spell>A</spell> <spell>L</spell> "
         "<spell>L</spell>  , Repeater, code is 1, 2, 3, , "},
        {"link, plain call and other suffix, AT&T voice",
         1,
         {{"W1AW-L", "*5#"}, {"K1ABC", "9"}, {"N2XYZ-X", "0"}},
         "w 1 a w  , Link, code is star, 5, pound, , k 1 a b c   code is 9, , "
         "n 2 x y z   code is 0, , "},
        {"slots without a code or a node are left out",
         1,
         {{"W1AW-L", ""}, {"", "77"}, {"K1ABC", "1"}},
         "k 1 a b c   code is 1, , "},
        {"an unknown voice type names nobody", 2, {{"N0CALL-R", "123"}}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ReportsRig rig;
        rig.settings.VoiceTypeAtt = static_cast<std::int16_t>(c.voiceType);
        for (std::size_t i = 0; i < c.slots.size(); ++i) {
            rig.settings.RemoteNodes[i + 2].Node = c.slots[i].first;
            rig.settings.RemoteNodes[i + 2].Dtmf = c.slots[i].second;
        }
        rig.reports.SpeakSpeedDial();
        EXPECT_EQ(rig.heard, std::vector<std::string>{"<xml>Speed Dial: " + c.list +
                                                      ". This is November Zero Call</xml>"});
        EXPECT_FALSE(rig.keyed());
    }
}

// A bulletin is read only from a whole document with its marker; anything else gets the apology
// and the identification, and nothing is left keyed.
TEST(Bulletin, ReadsAWholeDocumentAndApologisesForAnythingElse) {
    const std::string marker = kMarker;
    const struct {
        const char* what;
        std::optional<HttpReply> reply;  // none: the server never answers
        std::string spoken;              // empty: the apology
    } cases[] = {
        {"document",
         HttpReply{true,
                   200,
                   "<?xml version=\"1.0\"?><doc>" + marker + "<xml>" + marker +
                       " Here is the news</xml></doc>",
                   {}},
         "<xml><xml>Good afternoon. Here is the news. This is November Zero Call.</xml></xml>"},
        {"two closing tags: the part up to the first",
         HttpReply{true, 200, "<xml>One.</xml> <xml>Two.</xml>" + marker, {}},
         "<xml><xml>One.. This is November Zero Call.</xml></xml>"},
        {"no marker", HttpReply{true, 200, "<xml>Unsigned.</xml>", {}}, ""},
        {"no closing tag", HttpReply{true, 200, "<xml>Cut " + marker, {}}, ""},
        {"closing tag first", HttpReply{true, 200, "</xml>" + marker + "<xml>x", {}}, ""},
        {"not found", HttpReply{false, 404, "", "HTTP 404 Not Found"}, ""},
        {"server error", HttpReply{false, 500, "", "HTTP 500 Internal Server Error"}, ""},
        {"never answers", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ReportsRig rig;
        if (c.reply)
            rig.http.answer(kBase + "63.xml", *c.reply);
        const double start = rig.rt.now();
        rig.reports.SpeakBulletin(kBase, "63");
        EXPECT_EQ(rig.http.requested, std::vector<std::string>{kBase + "63.xml"});
        const std::vector<std::string> apology{kBulletinApology, "(identification)"};
        EXPECT_EQ(rig.heard, c.spoken.empty() ? apology : std::vector<std::string>{c.spoken});
        EXPECT_FALSE(rig.keyed());
        EXPECT_EQ(rig.linesWith("\"ev\":\"fetch\"").size(), 1u);
        if (!c.reply) {
            EXPECT_GE(rig.rt.now() - start, 10.0) << "gives up at the time-out";
        }
    }
}

// Every marker and closing tag of the speech part is replaced, in any letter case, in one pass:
// a reply packed with a hundred thousand markers, replaced one at a time in place, held the
// station for seconds to minutes.
TEST(Bulletin, AReplyPackedWithMarkersIsReadInOnePass) {
    const std::string marker = kMarker;
    std::string document = "<xml>";
    while (document.size() < WebFetcher::kMaxReplyBytes - 100)
        document += document.size() % 2 ? marker : UpperAscii(marker);
    document += "News.</XML>More.</xml>";
    ReportsRig rig;
    // No greeting, so what is left to speak is short.
    struct NoGreeting : SpokenReportsPeers {
        explicit NoGreeting(SharedState& state) : state(state) {}
        void sendStationId() override {}
        void buildGreeting() override { state.GreetingText.clear(); }
        SharedState& state;
    } peers(rig.state);
    SpokenReports reports(rig.context(), rig.web, peers);
    rig.http.serve(kBase + "64.xml", document);
    reports.SpeakBulletin(kBase, "64");
    EXPECT_EQ(rig.heard, std::vector<std::string>{
                             "<xml><xml>News.. This is November Zero Call.More.. This is November "
                             "Zero Call.</xml></xml>"});
    EXPECT_FALSE(rig.keyed());
}

TEST(Bulletin, ABaseAddressWithoutItsClosingSlashIsNeverFetched) {
    ReportsRig rig;
    rig.reports.SpeakBulletin("http://127.0.0.1:8080/rsgb", "61");
    EXPECT_TRUE(rig.http.requested.empty());
    EXPECT_EQ(rig.heard, (std::vector<std::string>{kBulletinApology, "(identification)"}));
    ASSERT_EQ(rig.linesWith("\"ev\":\"fetch\"").size(), 1u);
    EXPECT_NE(rig.linesWith("\"ev\":\"fetch\"")[0].find("must end with /"), std::string::npos);
}

std::string wwvDocument(const std::string& credits, const std::string& body) {
    return "file wwv.txt\n<xml>\r\n" + credits + body + "This is November Zero Call.\r\n</xml>\r\n";
}

// The bulletin from the fixture: header and comment lines and empty lines dropped, the indices
// made into sentences, the K-index time spoken, and the last line read although no line feed
// ends it. Both files are gone afterwards.
TEST(WwvReport, ReadsTheBulletinWithTheCreditsOfEachVoiceType) {
    const std::string body =
        "Solar-terrestrial indices for 09 December follow.\r\n"
        "Solar flux was 142 and estimated planetary A-index was 8.\r\n"
        "The estimated planetary K-index at twelve hundred Greenwich Mean Time on 10 December "
        "was 2.\r\n"
        "Space weather for the past 24 hours has been minor.\r\n"
        "Radio blackouts reaching the R1 level occurred.\r\n"
        "Space weather for the next 24 hours is predicted to be minor.\r\n"
        "Radio blackouts reaching the R1 level are likely.\r\n";
    const struct {
        int voiceType;
        std::string credits;
    } cases[] = {
        {0,
         "This report was prepared by the United States Department of Commerce, Space "
         "Environment Center,\r\n"
         "and is brought to you by <spell>QZ9</spell><silence msec=\"10\"/>Zees Voxclock Text 2 "
         "Speech.\r\n"},
        {1,
         "This report was prepared by the United States Department of Commerce Space "
         "Environment Center,\r\n"
         "and is brought to you by QZ9 Zees Voxclock Text 2 Speech.\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.voiceType);
        ReportsRig rig;
        rig.settings.VoiceTypeAtt = static_cast<std::int16_t>(c.voiceType);
        rig.http.serve(kWwvUrl, fixture("wwv.txt"));
        rig.reports.SpeakWwvReport(kWwvUrl);
        EXPECT_EQ(rig.heard, std::vector<std::string>{wwvDocument(c.credits, body)});
        EXPECT_FALSE(rig.keyed());
        EXPECT_FALSE(rig.exists("wwv.txt"));
        EXPECT_FALSE(rig.exists("wwv_raw.txt"));
        EXPECT_EQ(rig.linesWith("\"ptt\",\"on\":true").size(), 1u) << "one transmission";
    }
}

// Each K-index time of the table, one it does not know, and lines that only look alike.
TEST(WwvReport, SpeaksTheKIndexTimeOrLeavesItOut) {
    const auto kLine = [](const std::string& time) {
        return "The estimated planetary K-index at " + time + " on 01 January was 0.";
    };
    const struct {
        std::string line;
        std::string spoken;
    } cases[] = {
        {kLine("0000 UTC"), kLine("zero zero Greenwich Mean Time")},
        {kLine("0300 UTC"), kLine("zero three hundred Greenwich Mean Time")},
        {kLine("0600 UTC"), kLine("zero six hundred Greenwich Mean Time")},
        {kLine("0900 UTC"), kLine("zero nine hundred Greenwich Mean Time")},
        {kLine("1200 UTC"), kLine("twelve hundred Greenwich Mean Time")},
        {kLine("1500 UTC"), kLine("fifteen hundred Greenwich Mean Time")},
        {kLine("1800 UTC"), kLine("eighteen hundred Greenwich Mean Time")},
        {kLine("2100 UTC"), kLine("twenty one hundred Greenwich Mean Time")},
        {kLine("0100 UTC"), kLine("")},
        // Only the exact "K-index" turns a line into a time sentence.
        {"planetary k-index at 0600 UTC", "planetary k-index at 0600 UTC"},
        {"K-index", "K-index"},
        // The time converted is the one after the "K-index" that selected the line, not after
        // a "k-index" in small letters before it.
        {"The k-index trend: K-index at 0600 UTC on 10 Dec.",
         "The k-index trend: K-index at zero six hundred Greenwich Mean Time on 10 Dec."},
        {"Solar flux 69 and estimated planetary A-index 2.",
         "Solar flux was 69 and estimated planetary A-index was 2."},
        // The bulletin is text, not speech markup.
        {"Flux <silence msec=\"9999\"/> & more",
         "Flux &lt;silence msec=&quot;9999&quot;/&gt; &amp; more"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ReportsRig rig;
        rig.settings.VoiceTypeAtt = 2;  // no credits: the line alone
        rig.http.serve(kWwvUrl, ":Product: wwv.txt\r\n" + c.line + "\r\n");
        rig.reports.SpeakWwvReport(kWwvUrl);
        EXPECT_EQ(rig.heard, std::vector<std::string>{wwvDocument("", c.spoken + "\r\n")});
    }
}

// Nothing to read, or a failure halfway: the transmitter is unkeyed, the apology and the
// identification follow, and the next report works again.
TEST(WwvReport, FailsWithTheApologyAndNeverStaysKeyed) {
    const struct {
        const char* what;
        std::optional<HttpReply> reply;
        const char* failNode;  // a node member that fails once
        bool filesLeft;
    } cases[] = {
        {"not found", HttpReply{false, 404, "", "HTTP 404 Not Found"}, nullptr, false},
        {"empty", HttpReply{true, 200, "", {}}, nullptr, false},
        {"never answers", std::nullopt, nullptr, false},
        {"the transmitter cannot be keyed", HttpReply{true, 200, "Solar flux 70\n", {}},
         "fail SetPtt 1", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ReportsRig rig;
        if (c.reply)
            rig.http.answer(kWwvUrl, *c.reply);
        if (c.failNode)
            rig.command(c.failNode);
        rig.reports.SpeakWwvReport(kWwvUrl);
        EXPECT_EQ(rig.heard, (std::vector<std::string>{kWwvApology, "(identification)"}));
        EXPECT_FALSE(rig.keyed());
        // Files written before the failure stay until the next report overwrites them.
        EXPECT_EQ(rig.exists("wwv_raw.txt"), c.filesLeft);
        EXPECT_EQ(rig.exists("wwv.txt"), c.filesLeft);

        rig.heard.clear();
        rig.http.serve(kWwvUrl, "Solar flux 71\n");
        rig.reports.SpeakWwvReport(kWwvUrl);
        ASSERT_EQ(rig.heard.size(), 1u);
        EXPECT_NE(rig.heard[0].find("Solar flux was 71"), std::string::npos);
        EXPECT_FALSE(rig.exists("wwv_raw.txt"));
    }
}

}  // namespace
}  // namespace vox

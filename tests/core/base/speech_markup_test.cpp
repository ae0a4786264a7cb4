#include "core/base/speech_markup.h"

#include <gtest/gtest.h>

namespace vox {
namespace {

using Kind = SpeechRun::Kind;

SpeechRun speech(std::string t) {
    return {Kind::Speech, std::move(t), 0};
}
SpeechRun spell(std::string t) {
    return {Kind::Spell, std::move(t), 0};
}
SpeechRun pause(int ms) {
    return {Kind::Silence, {}, ms};
}

struct ParseCase {
    const char* input;
    std::vector<SpeechRun> runs;
};

TEST(SpeechMarkup, SplitsTextIntoRuns) {
    const ParseCase cases[] = {
        {"", {}},
        {"<xml></xml>", {}},
        {"<xml>Hello world</xml>", {speech("Hello world")}},
        {"<XML>Upper case tags</Xml>", {speech("Upper case tags")}},
        {"<spell>A</spell> <spell>B</spell> ", {spell("A"), speech(" "), spell("B"), speech(" ")}},
        {"<spell>AB</spell><spell>C</spell>", {spell("ABC")}},
        {"Node <spell>N0CALL", {speech("Node "), spell("N0CALL")}},
        {"stray </spell>close", {speech("stray close")}},
        {"on.<silence msec=\"250\"/> Off.", {speech("on."), pause(250), speech(" Off.")}},
        {"a<silence msec = '10' />b", {speech("a"), pause(10), speech("b")}},
        {"a<silence msec=\"99999999999999999999\"/>b",
         {speech("a"), pause(kMaxSilenceMs), speech("b")}},
        {"<silence msec=\"9000\"/><silence msec=\"9000\"/>", {pause(kMaxSilenceMs)}},
        {"a<silence msec=\"-5\"/>b", {speech("ab")}},
        {"a<silence msec=\"abc\"/>b", {speech("ab")}},
        {"a<silence msec=\"0\"/>b", {speech("ab")}},
        {"a<silence msec=250/>b", {speech("a<silence msec=250/>b")}},
        {"a<silence msec=\"250\"", {speech("a<silence msec=\"250\"")}},
        {"<b>bold</b> & 1 < 2", {speech("<b>bold</b> & 1 < 2")}},
        {"Tom &amp; Jerry &lt;3 &#65;&#x42; &bogus; &#;",
         {speech("Tom & Jerry <3 AB &bogus; &#;")}},
        {"caf&#233;", {speech("caf\xC3\xA9")}},
        {"<spell>A&amp;B</spell>", {spell("A&B")}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseSpeechMarkup(c.input), c.runs) << c.input;
    }
}

TEST(SpeechMarkup, StripKeepsTheWordsApart) {
    const std::pair<const char*, const char*> cases[] = {
        {"<xml>Sorry, the <spell>WWV</spell> report</xml>", "Sorry, the WWV report"},
        {"by <spell>QZ9</spell><silence msec=\"10\"/>Zees", "by QZ9 Zees"},
        {"on.<silence msec=\"250\"/> Off.", "on. Off."},
        {"x &amp; y", "x & y"},
    };
    for (const auto& [input, expected] : cases) {
        EXPECT_EQ(stripSpeechMarkup(input), expected) << input;
    }
}

TEST(SpeechMarkup, TranslatesToSsmlThatCannotBeBroken) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "<speak></speak>"},
        {"<xml>Hello</xml>", "<speak>Hello</speak>"},
        {"Node <spell>N0CALL</spell> connected",
         "<speak>Node <say-as interpret-as=\"characters\">N0CALL</say-as> connected</speak>"},
        {"1 < 2 & 3 > 2 \"q\"", "<speak>1 &lt; 2 &amp; 3 &gt; 2 &quot;q&quot;</speak>"},
        {"&lt;/speak&gt;<speak>", "<speak>&lt;/speak&gt;&lt;speak&gt;</speak>"},
        {"<spell></say-as>x",
         "<speak><say-as interpret-as=\"characters\">&lt;/say-as&gt;x</say-as></speak>"},
        {"a<silence msec=\"250\"/>b", "<speak>ab</speak>"},
        {"bin\x01\x1f\tary\n", "<speak>bin  \tary\n</speak>"},
    };
    for (const auto& [input, expected] : cases) {
        EXPECT_EQ(speechRunsToSsml(parseSpeechMarkup(input)), expected) << input;
    }
}

// What each engine is handed for the words of a text: espeak-ng reads SSML, Flite plain text in
// which a spelled character stands alone. Neither ever sees the text's own markup.
TEST(SpeechMarkup, EachEngineGetsTheRunsInItsOwnForm) {
    const struct {
        const char* input;
        const char* ssml;
        const char* plain;
    } cases[] = {
        {"", "<speak></speak>", ""},
        {"<xml></xml>", "<speak></speak>", ""},
        {"Node <spell>N0CALL</spell> connected",
         "<speak>Node <say-as interpret-as=\"characters\">N0CALL</say-as> connected</speak>",
         "Node N 0 C A L L  connected"},
        {"<spell>k1abc-l</spell>",
         "<speak><say-as interpret-as=\"characters\">k1abc-l</say-as></speak>",
         "K 1 A B C dash L "},
        {"<spell>A</spell> <spell>B</spell> ",
         "<speak><say-as interpret-as=\"characters\">A</say-as> <say-as "
         "interpret-as=\"characters\">B</say-as> </speak>",
         "A  B  "},
        {"<spell>N 0</spell>", "<speak><say-as interpret-as=\"characters\">N 0</say-as></speak>",
         "N 0 "},
        {"One.<silence msec=\"250\"/>Two.", "<speak>One.Two.</speak>", "One.Two."},
        {"<silence msec=\"10\"/>", "<speak></speak>", ""},
        {"1 &lt; 2 &amp; <spell>&amp;</spell>",
         "<speak>1 &lt; 2 &amp; <say-as interpret-as=\"characters\">&amp;</say-as></speak>",
         "1 < 2 & & "},
        {"<speak>x</speak>", "<speak>&lt;speak&gt;x&lt;/speak&gt;</speak>", "<speak>x</speak>"},
        {"bin\x01\x1f\tary\n", "<speak>bin  \tary\n</speak>", "bin   ary "},
        {"<spell>\xc3\xa9t\xc3\xa9</spell>",
         "<speak><say-as interpret-as=\"characters\">\xc3\xa9t\xc3\xa9</say-as></speak>",
         "\xc3\xa9 T \xc3\xa9 "},
    };
    for (const auto& c : cases) {
        const std::vector<SpeechRun> runs = parseSpeechMarkup(c.input);
        EXPECT_EQ(speechRunsToSsml(runs), c.ssml) << c.input;
        EXPECT_EQ(speechRunsToPlainText(runs), c.plain) << c.input;
    }
}

}  // namespace
}  // namespace vox

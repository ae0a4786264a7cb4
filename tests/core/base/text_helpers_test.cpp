#include <gtest/gtest.h>

#include <string>

#include "core/base/text_helpers.h"

namespace vox {
namespace {

struct Replacement {
    std::string text, find, replacement, want;
};

TEST(TextHelpers, ReplaceFirst) {
    const Replacement cases[] = {
        {"The estimated A-index 5", "a-index ", "A-index was ", "The estimated A-index was 5"},
        {"pm PM pm", "PM", "x", "x PM pm"},
        {"no match here", "zz", "x", "no match here"},
        {"empty find", "", "x", "empty find"},
        {"at the end", "END", "", "at the "},
        {"Qu\xe9"
         "bec",
         "\xc9", "e",
         "Qu\xe9"
         "bec"},  // only ASCII letters fold
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplaceFirst(c.text, c.find, c.replacement), c.want) << c.text;
    }
}

TEST(TextHelpers, ReplaceAllRepeatsFromTheStartAndPumpsEachRound) {
    const struct {
        Replacement r;
        int rounds;  // pump calls: one per replacement and the last, empty round
    } cases[] = {
        {{"2 PM", " pm", "PM.", "2PM."}, 2},
        {{"1 pm to 3 PM", " PM", "PM", "1PM to 3PM"}, 3},
        {{"nothing", "xyz", "a", "nothing"}, 1},
        // Occurrences made by a replacement are replaced in later rounds.
        {{"a     b", "  ", " ", "a b"}, 5},
        {{"aab", "AB", "b", "b"}, 3},
        // Guards: these would never end with plain restarts.
        {{"text", "", "x", "text"}, 0},
        {{"banana", "a", "aa", "baanaanaa"}, 4},
        {{"2 pm", "PM", "pm.", "2 pm."}, 2},
        {{"aab", "ab", "bbaa", "bbbbaabaaaa"}, -1},  // regrows forever; only has to end
    };
    for (const auto& c : cases) {
        int pumps = 0;
        const std::string got = ReplaceAll(c.r.text, c.r.find, c.r.replacement, [&] { ++pumps; });
        if (c.rounds >= 0) {
            EXPECT_EQ(got, c.r.want) << c.r.text;
            EXPECT_EQ(pumps, c.rounds) << c.r.text;
        } else {
            EXPECT_EQ(got.find("ab"), got.rfind("ab")) << "at most the one left by the last pass";
        }
    }
    EXPECT_EQ(ReplaceAll("2 PM", " pm", "PM."), "2PM.");  // no pump given
}

TEST(TextHelpers, SpellDtmfCode) {
    const std::pair<std::string, std::string> cases[] = {
        {"44*", "4, 4, star, "}, {"*1#", "star, 1, pound, "},      {"", ""},
        {"1a", "1, "},           {"ABCD09", "A, B, C, D, 0, 9, "}, {"E 5-", "5, "},
    };
    for (const auto& [code, words] : cases)
        EXPECT_EQ(SpellDtmfCode(code), words) << code;
}

// Each trim takes its own set of blanks and nothing else.
TEST(TextHelpers, Trims) {
    struct Case {
        std::string text, blanks, left, right, spacesAndTabs, whitespace;
    };
    const Case cases[] = {
        {"  a b  ", "a b", "a b  ", "  a b", "a b", "a b"},
        {"\t a \t", "\t a \t", "\t a \t", "\t a \t", "a", "a"},
        {"\r\n a\r\n", "\r\n a\r\n", "\r\n a\r\n", "\r\n a\r\n", "\r\n a\r\n", "a"},
        {"   ", "", "", "", "", ""},
        {"", "", "", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TrimBlanks(c.text), c.blanks) << c.text;
        EXPECT_EQ(TrimBlanksLeft(c.text), c.left) << c.text;
        EXPECT_EQ(TrimBlanksRight(c.text), c.right) << c.text;
        EXPECT_EQ(TrimSpacesAndTabs(c.text), c.spacesAndTabs) << c.text;
        EXPECT_EQ(TrimWhitespace(c.text), c.whitespace) << c.text;
    }
}

}  // namespace
}  // namespace vox

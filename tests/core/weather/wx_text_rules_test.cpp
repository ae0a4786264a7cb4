// The weather files' token stream, their numbers and the words they turn into.
#include <gtest/gtest.h>

#include <vector>

#include "core/weather/freewx.h"
#include "core/weather/wx_input.h"
#include "core/weather/wx_numbers.h"
#include "core/weather/wx_words.h"

namespace vox {
namespace {

std::vector<std::string> tokensOf(const std::string& text) {
    std::vector<std::string> out;
    CsvTokens tokens(text);
    std::string t;
    while (tokens.next(&t))
        out.push_back(t);
    return out;
}

TEST(WxTokens, CommasLineEndsAndQuotesAsTheWeatherProgramsWriteThem) {
    const struct {
        const char* text;
        std::vector<std::string> tokens;
    } cases[] = {
        {"a,b\r\nc\n", {"a", "b", "c"}},
        {"  a , b", {"a ", "b"}},                   // blanks before a token only
        {"\"Boston, MA\",z", {"Boston, MA", "z"}},  // a quote keeps its commas
        {"\"x\" junk,z", {"x", "z"}},               // after the closing quote up to the comma
        {"a,\r\n\r\nb", {"a", "", "b"}},            // a comma asks for a token; empty lines not
        {"1,\"open, never\r\nclosed", {"1", "open, never\r\nclosed"}},  // to the end of the file
        {"", {}},
        {"\r\n   \r\n", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(tokensOf(c.text), c.tokens);
    }
}

TEST(WxTokens, AtEndSkipsTrailingEmptyLines) {
    const std::string text = "Day:\r\n\r\n";
    CsvTokens tokens(text);
    std::string t;
    ASSERT_TRUE(tokens.next(&t));
    EXPECT_TRUE(tokens.atEnd());
}

TEST(WxNumbers, PrefixValueWholeNumberAndRounding) {
    const struct {
        const char* text;
        double prefix;
        bool whole;
    } cases[] = {
        {"12.5 mph", 12.5, false}, {"abc", 0, false}, {" -3 ", -3, true}, {"1e2x", 100, false},
        {".5", 0.5, true},         {"-", 0, false},   {"72", 72, true},   {"72\xc2\xb0", 72, false},
        {"78\xb0", 78, false},     {"", 0, false},    {"+5", 5, true},    {"1e39", 1e39, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(numericPrefix(c.text), c.prefix);
        EXPECT_EQ(wholeNumber(c.text).has_value(), c.whole);
    }
    for (auto [value, rounded] : {std::pair{2.5, 2.0},
                                  {3.5, 4.0},
                                  {-2.5, -2.0},
                                  {0.5, 0.0},
                                  {1.5, 2.0},
                                  {2.51, 3.0},
                                  {-2.51, -3.0}})
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
}

TEST(WxNumbers, FahrenheitToCelsius) {
    // 32.9 is 32.900002 at single precision: just over the half.
    for (auto [f, c] : {std::pair{212.0, 100.0},
                        {32.0, 0.0},
                        {0.0, -18.0},
                        {27.0, -3.0},
                        {50.0, 10.0},
                        {-5.0, -21.0},
                        {32.9, 1.0}})
        EXPECT_EQ(FToC(f), c) << f;
    EXPECT_EQ(numberText(FToC(31)), "-1");
    EXPECT_EQ(numberText(FToC(32.5)), "0") << "never \"-0\"";
    EXPECT_EQ(numberText(19.2), "19.2");
}

TEST(WxWords, CompassRangesAndConditionCodes) {
    for (auto [degrees, word] : {std::pair<double, const char*>{0, "North"},
                                 {11, "North"},
                                 {11.5, ""},
                                 {12, "North North East"},
                                 {250, "West South West"},
                                 {348, "North North West"},
                                 {348.5, ""},
                                 {349, "North"},
                                 {360, "North"},
                                 {361, ""},
                                 {-1, ""},
                                 {400, ""}})
        EXPECT_EQ(compassWord(degrees), word) << degrees;
    for (auto [code, word] : {std::pair<int, const char*>{0, ""},
                              {1, "chance of storms"},
                              {10, "chance of storms"},
                              {4, "chance of sleat"},
                              {11, "partly cloudy"},
                              {18, "unknown"},
                              {19, ""}})
        EXPECT_EQ(conditionWord(code), word) << code;
}

TEST(WxWords, TwelveHourTimes) {
    for (auto [t, spoken] : {std::pair<const char*, const char*>{"13:05", "1:05pm"},
                             {"12:40", "12:40pm"},
                             {"00:15", "12:15am"},
                             {"09:30", "09:30am"},
                             {"23:59", "11:59pm"},
                             {"9:30", ""},
                             {"", ""},
                             {"13:05:00", ""}})
        EXPECT_EQ(To12HourTime(t), spoken) << t;
}

}  // namespace
}  // namespace vox

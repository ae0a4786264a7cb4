// The current-conditions sentences from an observation record: the edge cases that decide a
// sentence, record in, sentence out.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "core/weather/observation.h"
#include "tests/core/weather/weather_rig.h"

namespace vox {
namespace {

Observation sampleRecord() {
    const ObservationRead read = readObservation(readFile(weatherSample("wxex/csv/data.csv")));
    EXPECT_TRUE(read.ok) << read.error;
    return read.record;
}

Observation with(std::vector<std::pair<int, std::string>> tokens) {
    Observation r = sampleRecord();
    for (auto& [n, value] : tokens) {
        if (n == 19)
            r.condition = std::stoi(value);
        r.tokens[static_cast<std::size_t>(n - 1)] = value;
    }
    return r;
}

bool has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(ConditionsText, RecordToSentence) {
    const struct {
        const char* what;
        std::vector<std::pair<int, std::string>> tokens;
        bool metric;
        std::string sentence;  // a line of wx.txt
        bool present = true;
    } cases[] = {
        {"calm whatever the gust", {{8, "0"}, {9, "15"}}, false, "Winds are calm."},
        {"0.0 is not calm",
         {{8, "0.0"}, {9, "-999"}, {10, "0"}},
         false,
         "Wind is North at 0.0 miles per hour."},
        {"gust equal to speed",
         {{8, "12"}, {9, "12"}},
         false,
         "Wind is West South West at 12 miles per hour."},
        {"gust 0 is none",
         {{8, "12"}, {9, "0"}},
         false,
         "Wind is West South West at 12 miles per hour."},
        {"metric gust",
         {},
         true,
         "Wind is West South West at 19.2 kilometers per hour with gusts to 33.6 kilometers per "
         "hour."},
        {"metric gust equal to speed",
         {{8, "10"}, {9, "10"}},
         true,
         "Wind is West South West at 16 kilometers per hour."},
        {"direction 11.5",
         {{8, "5"}, {9, "-999"}, {10, "11.5"}},
         false,
         "Wind is  at 5 miles per hour."},
        {"direction 400",
         {{8, "5"}, {9, "-999"}, {10, "400"}},
         false,
         "Wind is  at 5 miles per hour."},
        {"direction as text",
         {{8, "5"}, {9, "-999"}, {10, "NNE"}},
         false,
         "Wind is North at 5 miles per hour."},
        {"50 F: no heat index",
         {{14, "50"}, {31, "55"}, {29, "45"}},
         false,
         "The heat index is 55 degrees.",
         false},
        {"50 F: wind chill",
         {{14, "50"}, {31, "55"}, {29, "45"}},
         false,
         "The wind chill is 45 degrees."},
        {"51 F: heat index",
         {{14, "51"}, {31, "55"}, {29, "45"}},
         false,
         "The heat index is 55 degrees."},
        {"51 F: no wind chill",
         {{14, "51"}, {31, "55"}, {29, "45"}},
         false,
         "The wind chill is 45 degrees.",
         false},
        {"wind chill 0 is none",
         {{14, "40"}, {29, "0"}},
         false,
         "The wind chill is 0 degrees.",
         false},
        {"27 F metric", {{14, "27"}}, true, "The temperature Is minus 3 degrees."},
        {"below zero", {{14, "-5"}, {29, "-20"}}, false, "The temperature Is minus 5 degrees."},
        {"wind chill below zero, metric",
         {{14, "-5"}, {29, "-20"}},
         true,
         "The wind chill is minus 29 degrees."},
        {"metric decides by Fahrenheit",
         {{14, "50"}, {31, "55"}},
         true,
         "The heat index is 13 degrees.",
         false},
        {"condition 0", {{19, "0"}}, false, "Current conditions are ."},
        {"condition 1", {{19, "1"}}, false, "Current conditions are chance of storms."},
        {"condition 10", {{19, "10"}}, false, "Current conditions are chance of storms."},
        {"pressure as text", {{15, "N/A"}}, false, "The barometric pressure is  not available."},
        {"pressure as text, metric",
         {{15, "N/A"}},
         true,
         "The barometric pressure is  not available."},
        {"millibars", {{15, "29.92"}}, true, "The barometric pressure is 1013 milli bars."},
        {"midnight",
         {{5, "0"}, {6, "5"}},
         false,
         "<xml>These are the weather conditions at Boston Harbor, updated at 12:05 AM."},
        {"file text is not markup",
         {{12, "<spell>48</spell>"}},
         false,
         "Relative humidity is &lt;spell&gt;48&lt;/spell&gt; percent."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ConditionsText text =
            buildConditions(with(c.tokens), {"Boston Harbor", "W one A W", c.metric, false, ""});
        ASSERT_TRUE(text.ok) << text.error;
        EXPECT_EQ(has(text.lines, c.sentence), c.present) << joinLines(text.lines);
    }
}

TEST(ConditionsText, ForecastHintSpellsTheCodeOnlyWhenAsked) {
    const Observation r = sampleRecord();
    const ConditionsText on =
        buildConditions(r, {"Boston Harbor", "W one A W", false, true, "44*"});
    ASSERT_TRUE(on.ok);
    ASSERT_GE(on.lines.size(), 2u);
    EXPECT_EQ(on.lines[on.lines.size() - 2],
              "To hear a current weather forecast, press 4, 4, star,.");
    EXPECT_EQ(on.lines.back(), "This is W one A W.</xml>");
    const ConditionsText off =
        buildConditions(r, {"Boston Harbor", "W one A W", false, false, "44*"});
    EXPECT_EQ(off.lines.size() + 1, on.lines.size());
}

TEST(ConditionsText, ValuesThatMustBeNumbersFailTheText) {
    for (auto [n, value] : {std::pair<int, const char*>{14, "n/a"},
                            {32, "78\xb0"},
                            {31, "hot"},
                            {29, "--"},
                            {5, "25"},
                            {6, "xx"}}) {
        const ConditionsText text =
            buildConditions(with({{n, value}}), {"A", "B", false, false, ""});
        EXPECT_FALSE(text.ok) << n << " " << value;
        EXPECT_TRUE(text.lines.empty());
    }
}

// A sign is spoken as "minus" only once the value is known to be a number: a broken file whose
// temperature, dew point or wind chill is millions of minus signs fails at once, where spelling
// them out one by one held the station for hours.
TEST(ConditionsText, AValueOfMillionsOfMinusSignsFailsAtOnce) {
    const std::string signs(4 * 1024 * 1024, '-');
    for (const int n : {14, 32, 29}) {
        const ConditionsText text =
            buildConditions(with({{n, signs}}), {"A", "B", true, false, ""});
        EXPECT_FALSE(text.ok) << n;
        EXPECT_NE(text.error.find("is not a number"), std::string::npos) << text.error;
    }
}

}  // namespace
}  // namespace vox

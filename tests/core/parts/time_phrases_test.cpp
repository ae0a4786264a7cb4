#include <gtest/gtest.h>

#include "core/parts/time_phrases.h"

namespace vox {
namespace {

LocalTime at(int h, int m) {
    return LocalTime{2026, 12, 10, h, m, 0, 0};
}

TEST(TimePhrases, TwentyFourHourForm) {
    const struct {
        int h, m;
        const char* phrase;
    } cases[] = {
        {14, 5, "The time is 14:05"},
        {0, 7, "The time is zero hours and 07 minutes."},
        {0, 30, "The time is zero hours and 30 minutes."},
        {9, 0, "The time is 09 hundred hours"},
        {20, 0, "The time is 20 hundred hours"},
        {0, 0, "The time is zero hundred hours"},
        {12, 15, "The time is 12:15"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(timePhrase(at(c.h, c.m), 1), c.phrase) << c.h << ":" << c.m;
}

TEST(TimePhrases, TwelveHourForm) {
    const struct {
        int h, m;
        const char* phrase;
    } cases[] = {
        {14, 5, "The time is 2:05PM."},         {9, 30, "The time is 9:30AM."},
        {14, 0, "The time is 2 o'clock p m."},  {0, 0, "The time is 12 o'clock eh m."},
        {12, 0, "The time is 12 o'clock p m."}, {12, 15, "The time is 12:15PM."},
        {0, 30, "The time is 12:30AM."},        {20, 0, "The time is 8 o'clock p m."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(timePhrase(at(c.h, c.m), 0), c.phrase) << c.h << ":" << c.m;
}

TEST(TimePhrases, GreetingThresholdsAndPunctuation) {
    const struct {
        int h, m;
        const char* word;
    } cases[] = {{0, 0, "Morning"},    {4, 59, "Morning"},    {11, 59, "Morning"},
                 {12, 0, "Afternoon"}, {16, 59, "Afternoon"}, {17, 0, "Evening"},
                 {23, 59, "Evening"}};
    for (const auto& c : cases) {
        EXPECT_EQ(greetingFor(at(c.h, c.m), 1), std::string("Good ") + c.word + ".");
        EXPECT_EQ(greetingFor(at(c.h, c.m), 0), std::string("Good ") + c.word + "! ");
    }
}

TEST(TimePhrases, TimeFixExpandsTheFirstOfEachAbbreviation) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"10 AM EST, 11 AM EST", "10 AM Eastern Standard Time, 11 AM EST"},
        {"at 5 AKDT", "at 5 Alaska Daylight Time"},
        {"ChST and HST", "Guam Standard Time and Hawaii Standard Time"},
        {"est is lower case", "est is lower case"},
        {"GMT PDT MST", "Greenwich Mean Time Pacific Daylight Time Mountain Standard Time"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeFix(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace vox

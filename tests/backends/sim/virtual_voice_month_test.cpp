// A virtual voice that speaks for a month, as in a long dry run, keeps only its latest texts.
#include <gtest/gtest.h>

#include <string>

#include "backends/sim/virtual_voice.h"
#include "core/base/runtime.h"
#include "core/base/virtual_time.h"

namespace vox {
namespace {

TEST(VirtualVoiceMonth, TheSpokenLogKeepsTheLatestTextsInOrderAndNoMore) {
    VirtualClock clock(LocalTime{2026, 12, 1, 0, 0, 0, 0});
    VirtualEventLoop loop(clock);
    Runtime rt(clock, loop);
    VirtualVoice voice(rt);
    constexpr std::size_t kKept = VirtualVoice::kSpokenLogKept;
    // A month of a busy node hands the voice some thousands of texts a day.
    const std::size_t spoken = 30 * 1000 + 7;
    for (std::size_t i = 0; i < spoken; ++i) {
        voice.speak("text " + std::to_string(i), (i % 3 == 0) ? kSpeakPurge : kSpeakAsync);
        ASSERT_LE(voice.spokenLog().size(), 2 * kKept) << i;
    }
    const auto& log = voice.spokenLog();
    ASSERT_GE(log.size(), kKept);
    for (std::size_t k = 0; k < log.size(); ++k)
        EXPECT_EQ(log[k], "text " + std::to_string(spoken - log.size() + k)) << k;
}

}  // namespace
}  // namespace vox

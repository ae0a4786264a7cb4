#include "core/base/voice_choice.h"

#include <gtest/gtest.h>

namespace vox {
namespace {

const std::vector<EngineVoices> kInstalled = {
    {"espeak-ng", {"en-us", "en", "en-gb-x-rp"}},
    {"flite", {"slt", "rms", "awb", "kal16", "kal"}},
};

// What speaks for what voxclock.conf asks: the voice itself, its engine's default when the engine
// lacks it, the default voice when the engine is not there; a note for each fallback only.
TEST(VoiceChoice, ResolvesToAnInstalledVoiceWithOneNoteForAFallback) {
    const struct {
        VoiceChoice wanted;
        VoiceChoice used;
        std::string note;
    } cases[] = {
        {{"", ""}, {"espeak-ng", "en-us"}, ""},
        {{"espeak-ng", ""}, {"espeak-ng", "en-us"}, ""},
        {{"espeak-ng", "en-gb-x-rp"}, {"espeak-ng", "en-gb-x-rp"}, ""},
        {{"FLITE", "kal16"}, {"flite", "kal16"}, ""},
        {{"flite", "kal17"},
         {"flite", "slt"},
         "Voice: flite has no voice 'kal17', speaking with flite slt"},
        {{"espeak-ng", "slt"},
         {"espeak-ng", "en-us"},
         "Voice: espeak-ng has no voice 'slt', speaking with espeak-ng en-us"},
        {{"festival", "kal"},
         voiceOfNewInstall(),
         "Voice: no engine 'festival', speaking with " + voiceOfNewInstall().engine + " " +
             voiceOfNewInstall().name},
        {{"", "rms"},
         voiceOfNewInstall(),
         "Voice: no engine '', speaking with " + voiceOfNewInstall().engine + " " +
             voiceOfNewInstall().name},
    };
    for (const auto& c : cases) {
        const ResolvedVoice r = resolveVoice(c.wanted, kInstalled);
        EXPECT_EQ(r.choice, c.used) << c.wanted.engine << "/" << c.wanted.name;
        EXPECT_EQ(r.note, c.note) << c.wanted.engine << "/" << c.wanted.name;
    }
    // Without the new-install voice's engine, the first engine there is.
    const ResolvedVoice alone = resolveVoice({"festival", ""}, {kInstalled[0]});
    EXPECT_EQ(alone.choice, (VoiceChoice{"espeak-ng", "en-us"}));
    EXPECT_EQ(resolveVoice({"flite", "slt"}, {}).note,
              "Voice: no engine 'flite', speaking with none");
}

// The dialog's two lists: what a choice selects, and what the selection stands for.
TEST(VoiceChoice, TheDialogListsSelectTheChoiceAndGiveItBack) {
    const struct {
        VoiceChoice choice;
        VoiceListSelection at;
        VoiceChoice back;  // what the selection gives
    } cases[] = {
        {{"espeak-ng", "en-us"}, {0, 0}, {"espeak-ng", "en-us"}},
        {{"flite", "kal"}, {1, 4}, {"flite", "kal"}},
        {{"flite", "nobody"}, {1, 0}, {"flite", "slt"}},
        {{"festival", "x"}, {-1, -1}, {}},
        {{}, {-1, -1}, {}},
    };
    for (const auto& c : cases) {
        const VoiceListSelection at = selectVoice(kInstalled, c.choice);
        EXPECT_EQ(at, c.at) << c.choice.engine << "/" << c.choice.name;
        EXPECT_EQ(voiceAt(kInstalled, at.engine, at.voice), c.back)
            << c.choice.engine << "/" << c.choice.name;
    }
    EXPECT_EQ(voiceAt(kInstalled, 1, -1), (VoiceChoice{"flite", "slt"}));
    EXPECT_EQ(voiceAt(kInstalled, 2, 0), VoiceChoice{});
}

}  // namespace
}  // namespace vox

// The voice dialog's engine and voice lists and its "Test" button.
#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include "tests/ui/widget_helpers.h"
#include "ui/settings/voice_page.h"

namespace vox {
namespace {

QStringList items(QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

struct Seen {
    std::vector<VoiceChoice> chosen;
    std::vector<std::pair<VoiceChoice, int>> tested;
};

VoiceEngineHooks hooks(Seen& seen, VoiceChoice current) {
    return {{{"espeak-ng", {"en-us", "en-gb-x-rp"}}, {"flite", {"slt", "rms", "kal"}}},
            [current] { return current; },
            [&seen](const VoiceChoice& c) { seen.chosen.push_back(c); },
            [&seen](const VoiceChoice& c, int rate) { seen.tested.emplace_back(c, rate); }};
}

TEST(VoiceEngineLists, ShowTheChoiceAndHandBackWhatIsSelected) {
    const struct {
        VoiceChoice current;
        int engine, voice;
        QStringList voices;
    } cases[] = {
        {{"espeak-ng", "en-gb-x-rp"}, 0, 1, {"en-us", "en-gb-x-rp"}},
        {{"flite", "kal"}, 1, 2, {"slt", "rms", "kal"}},
        {{"flite", "gone"}, 1, 0, {"slt", "rms", "kal"}},
        {{"festival", ""}, -1, -1, {}},
    };
    for (const auto& c : cases) {
        Seen seen;
        VoicePage page(
            {}, [](const QString&) {}, nullptr, hooks(seen, c.current));
        page.load(Settings{});
        auto* engine = named<QComboBox>(&page, "cbEngine");
        auto* voice = named<QComboBox>(&page, "cbVoiceName");
        ASSERT_TRUE(engine && voice);
        EXPECT_EQ(items(engine), QStringList({"espeak-ng", "flite"}));
        EXPECT_EQ(engine->currentIndex(), c.engine) << c.current.engine;
        EXPECT_EQ(voice->currentIndex(), c.voice) << c.current.name;
        EXPECT_EQ(items(voice), c.voices) << c.current.engine;
    }
}

TEST(VoiceEngineLists, AnotherEngineListsItsVoicesAndOkAndTestUseTheSelection) {
    Seen seen;
    VoicePage page(
        {}, [](const QString&) {}, nullptr, hooks(seen, {"espeak-ng", "en-us"}));
    Settings settings;
    settings.SpeechRate = 1;
    page.load(settings);
    auto* engine = named<QComboBox>(&page, "cbEngine");
    auto* voice = named<QComboBox>(&page, "cbVoiceName");
    ASSERT_TRUE(engine && voice);
    engine->setCurrentIndex(1);
    emit engine->activated(1);
    EXPECT_EQ(items(voice), QStringList({"slt", "rms", "kal"}));
    EXPECT_EQ(voice->currentIndex(), 0);
    voice->setCurrentIndex(1);

    named<QPushButton>(&page, "cmdTest")->click();
    ASSERT_EQ(seen.tested.size(), 1u);
    EXPECT_EQ(seen.tested[0].first, (VoiceChoice{"flite", "rms"}));
    EXPECT_EQ(seen.tested[0].second, 1);  // the speed the list shows
    EXPECT_TRUE(seen.chosen.empty());     // a test changes nothing

    Settings out = settings;
    ASSERT_TRUE(page.save(out, nullptr));
    EXPECT_EQ(seen.chosen, std::vector<VoiceChoice>({{"flite", "rms"}}));
}

// Without engines (a dialog not wired to a voice), the page has no lists.
TEST(VoiceEngineLists, NoEnginesNoLists) {
    VoicePage page({}, [](const QString&) {});
    EXPECT_EQ(page.findChild<QComboBox*>(QStringLiteral("cbEngine")), nullptr);
    EXPECT_EQ(page.findChild<QPushButton*>(QStringLiteral("cmdTest")), nullptr);
}

}  // namespace
}  // namespace vox

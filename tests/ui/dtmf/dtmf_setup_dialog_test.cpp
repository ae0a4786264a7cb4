// The DTMF setup dialog, offscreen: the record under the captions the owner knows, codes stored
// trimmed and upper-cased, and OK reaching the station's settings file while Cancel does not.
#include "backends/svxlink/svxlink_codes.h"
#include "tests/ui/widget_helpers.h"
#include "ui/dtmf/dtmf_setup_page.h"
#include "ui/mnemonics.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include <gtest/gtest.h>

#include "core/settings/settings_file.h"
#include "tests/core/station/station_fixture.h"

namespace vox {
namespace {

struct CodeBox {
    const char* label;
    const char* box;
    std::string Settings::*code;
};
// In the order the owner reads them, top to bottom.
const CodeBox kCodeBoxes[] = {
    {"Xmit INFO File", "tbDTMFPlayFile", &Settings::DtmfPlayFile},
    {"Xmit Time", "tbDTMFPlayTime", &Settings::DtmfPlayTime},
    {"Xmit Node Status", "tbDTMFConList", &Settings::DtmfConnList},
    {"AutoConnect Toggle", "tbDTMFAutoToggle", &Settings::DtmfAutoToggle},
    {"Node BUSY Toggle", "tbDTMFBusyToggle", &Settings::DtmfBusyToggle},
    {"Xmit HELP file", "tbDTMFPlayHelp", &Settings::DtmfPlayHelp},
    {"Record START", "tbRecordStart", &Settings::DtmfRecordStart},
    {"Record STOP", "tbRecordStop", &Settings::DtmfRecordStop},
    {"Record PLAYBACK", "tbRecordPlayback", &Settings::DtmfRecordPlayback},
    {"Xmit WX Current", "tbWX", &Settings::DtmfWx},
    {"Xmit WX Forecast", "tbWxFc", &Settings::DtmfWxForecast},
    {"DTMF Lock Toggle", "tbDTMFLock", &Settings::DtmfLock},
    {"Xmit Speed Dial", "tbSpeedDial", &Settings::DtmfSpeedDial},
    {"Text MSG Toggle", "tbTextToggle", &Settings::DtmfTextToggle},
    {"Node Quiet Toggle", "tbNodeQuietToggle", &Settings::DtmfNodeQuietToggle},
    {"Xmit Local WX", "tbLocalWx", &Settings::DtmfLocalWx},
    {"Xmit Wx Warnings", "tbWxWarn", &Settings::DtmfWxWarn},
};

struct SwitchBox {
    const char* caption;
    const char* box;
    std::int16_t Settings::*flag;
};
const SwitchBox kSwitches[] = {
    {"Allow RSGB Bulletins *60* thru *69*", "cbRSGB", &Settings::AllowRsgb},
    {"Allow WWV Reports *99*", "cbWWV", &Settings::AllowWwv},
    {"Allow INFO files *70* thru *79*", "cbInfoOK", &Settings::AllowInfo},
};

// The dialog over a record of its own: every code distinct, so a box wired to the wrong setting
// shows.
class DtmfSetupDialogTest : public ::testing::Test {
protected:
    DtmfSetupDialogTest() {
        int i = 0;
        for (const CodeBox& row : kCodeBoxes)
            record.*row.code = "*" + std::to_string(i++) + "#";
        record.AllowRsgb = 1;
        record.AllowWwv = 0;
        record.AllowInfo = 1;
        record.TxDelaySeconds = 1.5;
        dialog.reset(createDtmfSetupDialog([this] { return record; },
                                           [this](const Settings& s) {
                                               record = s;
                                               ++applies;
                                               return ApplyResult{};
                                           }));
    }

    Settings record;
    int applies = 0;
    std::unique_ptr<SetupDialog> dialog;
};

TEST_F(DtmfSetupDialogTest, ShowsEachCodeUnderItsCaptionInOrderAndTheSwitches) {
    EXPECT_EQ(dialog->windowTitle().toStdString(), "Voxclock - DTMF Setup");
    EXPECT_EQ(dialog->objectName().toStdString(), "frmDTMFSetup");
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(named<QPushButton>(dialog.get(), "Command2")->text().toStdString(), "OK");
    EXPECT_EQ(named<QPushButton>(dialog.get(), "Command1")->text().toStdString(), "Cancel");
    dialog->open();

    std::map<QString, QLabel*> labels;
    for (QLabel* l : dialog->findChildren<QLabel*>())
        labels[shownCaption(l->text())] = l;
    int above = -1;
    for (const CodeBox& row : kCodeBoxes) {
        SCOPED_TRACE(row.box);
        auto* box = named<QLineEdit>(dialog.get(), row.box);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text().toStdString(), record.*row.code);
        const auto label = labels.find(QString::fromLatin1(row.label));
        ASSERT_NE(label, labels.end()) << row.label;
        EXPECT_EQ(label->second->buddy(), box);
        EXPECT_GT(box->geometry().top(), above);
        above = box->geometry().top();
    }
    for (const SwitchBox& row : kSwitches) {
        auto* box = named<QCheckBox>(dialog.get(), row.box);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(shownCaption(box->text()).toStdString(), row.caption);
        EXPECT_EQ(box->isChecked(), record.*row.flag == 1) << row.box;
    }
}

TEST_F(DtmfSetupDialogTest, OkStoresCodesTrimmedAndUpperCasedAndTheSwitchesAsZeroOrOne) {
    struct Typed {
        const char* box;
        const char* text;
        std::string Settings::*code;
        const char* stored;
    };
    const Typed cases[] = {
        {"tbDTMFPlayTime", " *2* ", &Settings::DtmfPlayTime, "*2*"},
        {"tbRecordStart", "*1a", &Settings::DtmfRecordStart, "*1A"},
        {"tbDTMFLock", "  abcd#", &Settings::DtmfLock, "ABCD#"},
        // Only the ends are trimmed; no other check.
        {"tbSpeedDial", " 1 2 ", &Settings::DtmfSpeedDial, "1 2"},
        {"tbWxWarn", "*1A", &Settings::DtmfWxWarn, "*1A"},
        // An emptied box switches its command off.
        {"tbWX", "   ", &Settings::DtmfWx, ""},
        {"tbWxFc", "", &Settings::DtmfWxForecast, ""},
    };
    dialog->open();
    for (const Typed& c : cases)
        named<QLineEdit>(dialog.get(), c.box)->setText(QString::fromLatin1(c.text));
    named<QCheckBox>(dialog.get(), "cbRSGB")->click();
    named<QCheckBox>(dialog.get(), "cbWWV")->click();
    const Settings before = record;

    named<QPushButton>(dialog.get(), "Command2")->click();
    EXPECT_EQ(applies, 1);
    EXPECT_FALSE(dialog->isVisible());
    Settings expected = before;
    for (const Typed& c : cases)
        expected.*c.code = c.stored;
    expected.AllowRsgb = 0;
    expected.AllowWwv = 1;
    for (const CodeBox& row : kCodeBoxes)
        EXPECT_EQ(record.*row.code, expected.*row.code) << row.box;
    for (const SwitchBox& row : kSwitches)
        EXPECT_EQ(record.*row.flag, expected.*row.flag) << row.box;
    EXPECT_TRUE(record == expected) << "nothing else changed";
}

// With the SvxLink backend a code that cannot arrive whole is refused, saying why; the others
// are stored as usual.
TEST(DtmfSetupOnSvxlink, ACodeSvxLinkCannotCarryIsRefusedWithTheReason) {
    DtmfSetupPage page(nullptr, svxlinkCodeRefusal);
    Settings record;
    applySvxlinkCodeDefaults(record);
    page.load(record);
    named<QLineEdit>(&page, "tbDTMFLock")->setText("badc");
    Settings copy = record;
    QString problem;
    EXPECT_FALSE(page.save(copy, &problem));
    EXPECT_EQ(problem.toStdString(),
              "DTMF Lock Toggle: 'BADC' cannot be used on SvxLink: SvxLink drops the keys A, B "
              "and C.");
    named<QLineEdit>(&page, "tbDTMFLock")->setText("*9*");
    EXPECT_TRUE(page.save(copy, &problem));
    EXPECT_EQ(copy.DtmfLock, "*9*");
}

// The dialog wired to a station as the desktop wires it.
TEST(DtmfSetupOnStation, OkWritesTheSettingsFileAndCancelLeavesRecordAndFileAlone) {
    StationRig rig;
    Station& st = *rig.station;
    ASSERT_EQ(st.start(), Station::StartOutcome::Running);
    const std::string path = rig.folderPath("voxclock.ini");
    std::unique_ptr<SetupDialog> dialog(
        createDtmfSetupDialog([&st] { return st.settings(); },
                              [&st](const Settings& changed) {
                                  const ApplyOutcome outcome = st.applySettings(changed);
                                  return ApplyResult{outcome.ok, outcome.message};
                              }));
    auto edit = [&] {
        named<QLineEdit>(dialog.get(), "tbDTMFPlayTime")->setText(" *2* ");
        named<QLineEdit>(dialog.get(), "tbRecordStart")->setText("*1a");
        named<QCheckBox>(dialog.get(), "cbInfoOK")->click();
    };

    const Settings before = st.settings();
    const std::string fileBefore = readFile(path);
    ASSERT_FALSE(fileBefore.empty());
    dialog->open();
    edit();
    named<QPushButton>(dialog.get(), "Command1")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(st.settings(), before);
    EXPECT_EQ(readFile(path), fileBefore);

    dialog->open();
    EXPECT_EQ(named<QLineEdit>(dialog.get(), "tbRecordStart")->text().toStdString(),
              before.DtmfRecordStart)
        << "reopened from the record, not from what was typed";
    edit();
    named<QPushButton>(dialog.get(), "Command2")->click();
    EXPECT_FALSE(dialog->isVisible());
    Settings fromFile;
    ASSERT_TRUE(SettingsFile(path).read(fromFile).ok);
    const Settings& live = st.settings();
    const Settings& saved = fromFile;
    for (const Settings* s : {&live, &saved}) {
        EXPECT_EQ(s->DtmfPlayTime, "*2*");
        EXPECT_EQ(s->DtmfRecordStart, "*1A");
        EXPECT_EQ(s->AllowInfo, before.AllowInfo == 1 ? 0 : 1);
        EXPECT_EQ(s->DtmfConnList, before.DtmfConnList);
    }
}

}  // namespace
}  // namespace vox

// The timing, voice, sound-device and info-file dialogs wired to a station as the desktop wires
// them: OK reaches the settings file, Cancel leaves it alone, and the few changes made at a
// click stay in the record whatever the dialog's end.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/core/station/station_fixture.h"
#include "tests/ui/widget_helpers.h"
#include "ui/mnemonics.h"
#include "ui/settings/info_file_dialog.h"
#include "ui/settings/sound_device_page.h"
#include "ui/settings/timing_page.h"
#include "ui/settings/voice_page.h"

namespace vox {
namespace {

// What the station asked of its voice.
struct VoiceSeen {
    int rate = -99;
    int output = -1;
};

// A voice with two sound devices and the air recorder.
class ThreeOutputVoice : public VirtualVoice {
public:
    ThreeOutputVoice(Runtime& rt, VoiceSeen& seen) : VirtualVoice(rt), seen_(seen) {}
    void setRate(int rate) override { seen_.rate = rate; }
    std::vector<std::string> audioOutputs() override {
        return {"Speakers", "Headset", "Air recorder (WAV files)"};
    }
    void setAudioOutput(int index) override {
        if (index < 0 || index > 2)
            throw VoiceError("no audio output");
        seen_.output = index;
    }

private:
    VoiceSeen& seen_;
};

class SetupDialogsOnStation : public ::testing::Test {
public:
    SetupDialogsOnStation() {
        rig.station =
            std::make_unique<Station>(StationPorts{rig.rt,
                                                   ProgramFolder(rig.folder.path),
                                                   rig.nodes,
                                                   rig.ui,
                                                   rig.air,
                                                   [this]() -> std::unique_ptr<Voice> {
                                                       voice = new ThreeOutputVoice(rig.rt, seen);
                                                       return std::unique_ptr<Voice>(voice);
                                                   },
                                                   {}});
        EXPECT_EQ(st().start(), Station::StartOutcome::Running);
        path = rig.folderPath("voxclock.ini");
    }

    Station& st() { return *rig.station; }
    SetupDialog::Current current() {
        return [this] { return st().settings(); };
    }
    SetupDialog::Apply apply() {
        return [this](const Settings& changed) {
            const ApplyOutcome outcome = st().applySettings(changed);
            return ApplyResult{outcome.ok, outcome.message};
        };
    }
    StoreNow storeNow() {
        return [this](const std::function<void(Settings&)>& change) { change(st().settings()); };
    }

    StationRig rig;
    VoiceSeen seen;
    ThreeOutputVoice* voice = nullptr;
    std::string path;
    std::vector<QString> shown;
};

struct DialogCase {
    const char* name;
    const char* caption;
    std::function<SetupDialog*(SetupDialogsOnStation&)> create;
    std::function<void(QWidget*)> edit;
    // What OK must leave in the record (and so in the file).
    std::function<void(const Settings&, const VoiceSeen&)> check;
};

TEST_F(SetupDialogsOnStation, OkWritesTheFileAndCancelLeavesRecordAndFileAlone) {
    const DialogCase cases[] = {
        {"frmTiming", "Voxclock - Timing and ID",
         [](SetupDialogsOnStation& t) {
             return createTimingDialog(t.current(), t.apply(), t.storeNow());
         },
         [](QWidget* d) {
             named<QLineEdit>(d, "tbTXdelay")->setText("0.75");
             named<QLineEdit>(d, "tbCWMinutes")->setText("70000");
             named<QCheckBox>(d, "cbBurst")->click();
         },
         [](const Settings& s, const VoiceSeen&) {
             EXPECT_EQ(s.TxDelaySeconds, 0.75);
             EXPECT_EQ(s.CwIdMinutes, 32767);
             EXPECT_EQ(s.ToneBurst, 1);
         }},
        {"frmVoiceSetup", "VOICE Setup",
         [](SetupDialogsOnStation& t) {
             return createVoiceDialog(t.current(), t.apply(), t.storeNow(), nullptr,
                                      [&t](const QString& text) { t.shown.push_back(text); });
         },
         [](QWidget* d) {
             named<QComboBox>(d, "SpeedBox")->setCurrentIndex(3);
             named<QLineEdit>(d, "tbQuietStart")->setText(" 22:00 ");
         },
         [](const Settings& s, const VoiceSeen& v) {
             EXPECT_EQ(s.SpeechRate, 1);
             EXPECT_EQ(v.rate, 1) << "the engine's rate follows at once";
             EXPECT_EQ(s.QuietStart, "22:00");
         }},
        {"frmSndCardSetup", "Voxclock - Select Sound Device",
         [](SetupDialogsOnStation& t) {
             return createSoundDeviceDialog(t.current(), t.apply(),
                                            [&t] { return t.voice->audioOutputs(); });
         },
         [](QWidget* d) { named<QComboBox>(d, "Combo1")->setCurrentIndex(2); },
         [](const Settings& s, const VoiceSeen& v) {
             EXPECT_EQ(s.SoundDevice, 2);
             EXPECT_EQ(v.output, 2) << "switched without a restart";
         }},
    };
    for (const DialogCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<SetupDialog> dialog(c.create(*this));
        EXPECT_EQ(dialog->objectName().toStdString(), c.name);
        EXPECT_EQ(dialog->windowTitle().toStdString(), c.caption);

        const Settings before = st().settings();
        const std::string fileBefore = readFile(path);
        dialog->open();
        c.edit(dialog.get());
        named<QPushButton>(dialog.get(), "Command1")->click();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(st().settings(), before);
        EXPECT_EQ(readFile(path), fileBefore);

        dialog->open();
        c.edit(dialog.get());
        named<QPushButton>(dialog.get(), "Command2")->click();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_NE(readFile(path), fileBefore);
        c.check(st().settings(), seen);
        Settings fromFile;
        ASSERT_TRUE(SettingsFile(path).read(fromFile).ok);
        EXPECT_EQ(fromFile, st().settings());
    }
}

TEST_F(SetupDialogsOnStation, ClicksThatStoreAtOnceSurviveCancel) {
    const std::string fileBefore = readFile(path);
    ASSERT_EQ(st().settings().VoiceTypeAtt, 0);
    std::unique_ptr<SetupDialog> voiceDialog(createVoiceDialog(
        current(), apply(), storeNow(), nullptr, [this](const QString& t) { shown.push_back(t); }));
    voiceDialog->open();
    auto* neo = named<QCheckBox>(voiceDialog.get(), "cbVoiceTypeNeo");
    auto* att = named<QCheckBox>(voiceDialog.get(), "cbVoiceTypeATT");
    EXPECT_TRUE(neo->isChecked());
    EXPECT_EQ(shownCaption(att->text()).toStdString(), "Optimize for AT&T Natural Voice");
    neo->click();
    EXPECT_TRUE(att->isChecked()) << "clearing one ticks the other";
    named<QPushButton>(voiceDialog.get(), "Command1")->click();
    EXPECT_EQ(st().settings().VoiceTypeAtt, 1);

    std::unique_ptr<SetupDialog> timing(createTimingDialog(current(), apply(), storeNow()));
    timing->open();
    named<QCheckBox>(timing.get(), "cbID")->click();
    named<QPushButton>(timing.get(), "Command1")->click();
    EXPECT_EQ(st().settings().CwIdAfterTime, 1);
    EXPECT_EQ(readFile(path), fileBefore) << "stored in the record, written at the next save";
}

TEST_F(SetupDialogsOnStation, RemoteConnectNoticesAreExplainedAtOk) {
    std::unique_ptr<SetupDialog> dialog(createVoiceDialog(
        current(), apply(), storeNow(), nullptr, [this](const QString& t) { shown.push_back(t); }));
    dialog->open();
    named<QCheckBox>(dialog.get(), "cbTTSRemote")->click();
    named<QPushButton>(dialog.get(), "Command2")->click();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].toStdString(),
              "              You have selected TTS for Remote Conn/Disc.\r\n"
              "  This option sends text messages thru the EchoLink chat window.\r\n"
              "If you are connecting to a net, you may want to disable this option.");
    EXPECT_EQ(st().settings().TtsRemoteConnDisc, 1);
}

TEST_F(SetupDialogsOnStation, SoundDeviceListShowsTheSavedOutputSelected) {
    st().settings().SoundDevice = 2;
    std::unique_ptr<SetupDialog> dialog(
        createSoundDeviceDialog(current(), apply(), [this] { return voice->audioOutputs(); }));
    dialog->open();
    auto* list = named<QComboBox>(dialog.get(), "Combo1");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(2).toStdString(), "Air recorder (WAV files)");
    EXPECT_EQ(list->currentIndex(), 2);
}

TEST_F(SetupDialogsOnStation, InfoFilePickerSelectsWritesAndRemembersTheFolder) {
    const std::string info = rig.folderPath("info");
    std::filesystem::create_directories(info);
    std::ofstream(info + "/net.txt") << "<xml>Net tonight</xml>";
    st().settings().InfoFolder = info;
    struct Case {
        const char* what;
        const char* pick;  // nullptr: no file chosen
        std::string path;
    };
    const Case cases[] = {
        {"a file", "net.txt", info + "/net.txt"},
        {"no file", nullptr, info + "/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InfoFileDialog dialog(current(), apply(), storeNow(), rig.folder.path);
        EXPECT_EQ(dialog.windowTitle().toStdString(), "Voxclock - Select INFO File");
        dialog.open();
        EXPECT_EQ(dialog.directory().absolutePath().toStdString(), info);
        if (c.pick)
            dialog.selectFile(QString::fromLatin1(c.pick));
        auto* select = named<QPushButton>(&dialog, "Command1");
        EXPECT_EQ(select->text().toStdString(), "Select");
        const std::string fileBefore = readFile(path);
        select->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(st().settings().InfoFilePath, c.path);
        EXPECT_NE(readFile(path), fileBefore);
        Settings fromFile;
        ASSERT_TRUE(SettingsFile(path).read(fromFile).ok);
        EXPECT_EQ(fromFile.InfoFilePath, c.path);
        EXPECT_EQ(fromFile.InfoFolder, info);
    }
}

TEST_F(SetupDialogsOnStation, InfoFilePickerCancelOnlyRemembersTheFolder) {
    const std::string other = rig.folderPath("wav");
    const Settings before = st().settings();
    const std::string fileBefore = readFile(path);
    InfoFileDialog dialog(current(), apply(), storeNow(), rig.folder.path);
    dialog.open();
    EXPECT_EQ(dialog.directory().absolutePath().toStdString(), rig.folder.path)
        << "no folder shown before: the program folder";
    dialog.setDirectory(QString::fromStdString(other));
    named<QPushButton>(&dialog, "Command2")->click();
    EXPECT_EQ(readFile(path), fileBefore);
    EXPECT_EQ(st().settings().InfoFilePath, before.InfoFilePath);
    EXPECT_EQ(st().settings().InfoFolder, other);
}

}  // namespace
}  // namespace vox

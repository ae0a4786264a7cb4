// No message box of the desktop holds the station: each one opens, its caller goes on, the
// runtime keeps ticking behind it, and a stop closes it.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "core/base/runtime.h"
#include "core/base/virtual_time.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/widget_helpers.h"
#include "ui/message_box_ui.h"
#include "ui/message_boxes.h"
#include "ui/mixer_launcher.h"
#include "ui/settings/info_file_dialog.h"
#include "ui/settings/timing_page.h"
#include "ui/settings/voice_page.h"
#include "ui/weather/wx_setup_page.h"

namespace vox {
namespace {

std::vector<QMessageBox*> openBoxes() {
    std::vector<QMessageBox*> boxes;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            boxes.push_back(box);
    return boxes;
}

class MessageBoxesHoldNothing : public ::testing::Test {
public:
    MessageBoxesHoldNothing()
        : clock(LocalTime{2026, 12, 10, 11, 59, 0, 0}), loop(clock), rt(clock, loop) {
        rt.addTimer("tMain", 1000, [this] { ++ticks; }).setEnabled(true);
    }
    ~MessageBoxesHoldNothing() override {
        closeOpenMessageBoxes();
        QApplication::processEvents();
    }
    Settings current() const { return settings; }
    SetupDialog::Apply applyOk() {
        return [this](const Settings& s) {
            settings = s;
            return ApplyResult{};
        };
    }

    // Runs what opens a box. A box that ran a loop of its own would hold this call: the guard
    // then closes it from inside that loop, and the box is found gone.
    void openThrough(const std::function<void()>& open) {
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] {
            for (QMessageBox* box : openBoxes())
                box->done(QMessageBox::Ok);
        });
        guard.start(0);
        open();
        guard.stop();
    }

    TempFolder dir;
    VirtualClock clock;
    VirtualEventLoop loop;
    Runtime rt;
    Settings settings;
    int ticks = 0;
};

struct BoxCase {
    const char* what;
    const char* title;
    std::function<void(MessageBoxesHoldNothing&, QWidget* owner)> open;
};

TEST_F(MessageBoxesHoldNothing, EveryBoxLetsTheRuntimeTickAndAStopClosesIt) {
    const std::string root = dir.path;
    const BoxCase cases[] = {
        {"TTS Voice OK with remote connect notices", "VOICE Setup",
         [](MessageBoxesHoldNothing& t, QWidget* owner) {
             SetupDialog* d =
                 createVoiceDialog([&t] { return t.current(); }, t.applyOk(), {}, owner);
             d->open();
             named<QCheckBox>(d, "cbTTSRemote")->setChecked(true);
             EXPECT_TRUE(d->applyPages());
         }},
        {"WX Setup OK without Weather Exchange", "Voxclock TTS",
         [root](MessageBoxesHoldNothing& t, QWidget* owner) {
             SetupDialog* d =
                 createWxSetupDialog([&t] { return t.current(); }, t.applyOk(), root, owner);
             d->open();
             named<QLineEdit>(d, "tbLocalWxFile")->setText("");
             EXPECT_TRUE(d->applyPages());
         }},
        {"WX Setup kept open by a folder it cannot check", "Voxclock TTS",
         [root](MessageBoxesHoldNothing& t, QWidget* owner) {
             std::filesystem::create_directories(root + "/wxex/csv");
             std::ofstream(root + "/wxex/csv/data.csv") << "1,2\r\n";
             SetupDialog* d =
                 createWxSetupDialog([&t] { return t.current(); }, t.applyOk(), root, owner);
             d->open();
             named<QLineEdit>(d, "tbWxURL")->setText("wxex");
             named<QLineEdit>(d, "tbLocalWxFile")->setText("e:\\weather");
             EXPECT_FALSE(d->applyPages());
         }},
        {"a setup dialog whose settings cannot be written", "Voxclock - Timing and ID",
         [](MessageBoxesHoldNothing& t, QWidget* owner) {
             SetupDialog* d =
                 createTimingDialog([&t] { return t.current(); },
                                    [](const Settings&) {
                                        return ApplyResult{false, "Error Writing .INI File"};
                                    },
                                    {}, owner);
             d->open();
             EXPECT_FALSE(d->applyPages());
         }},
        {"INFO File whose choice cannot be written", "File Error",
         [root](MessageBoxesHoldNothing& t, QWidget* owner) {
             std::ofstream(root + "/info1.txt") << "hello";
             auto* d = new InfoFileDialog([&t] { return t.current(); },
                                          [](const Settings&) {
                                              return ApplyResult{false, "Error Writing .INI File"};
                                          },
                                          {}, root, owner);
             d->open();
             d->selectFile(QString::fromStdString(root + "/info1.txt"));
             d->accept();
         }},
        {"the mixer that cannot be started", "Voxclock TTS",
         [](MessageBoxesHoldNothing&, QWidget* owner) {
             MixerLauncher mixer(owner, [](const QString&, const QStringList&) { return false; });
             mixer.open(false);
         }},
        {"a station message once the station runs", "Voxclock TTS",
         [](MessageBoxesHoldNothing&, QWidget* owner) {
             MessageBoxUserInterface messages(owner);
             messages.setStationRunning(true);
             messages.showMessage(MessageIcon::Information, "", "Error Writing .INI File");
         }},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.what);
        auto owner = std::make_unique<QWidget>();
        owner->show();
        openThrough([&] { c.open(*this, owner.get()); });

        const std::vector<QMessageBox*> boxes = openBoxes();
        ASSERT_EQ(boxes.size(), 1u) << "the box held its caller, or none opened";
        EXPECT_EQ(boxes.front()->windowTitle().toStdString(), c.title);

        const int before = ticks;
        rt.killTime(3);
        EXPECT_EQ(ticks - before, 3) << "the runtime stood still behind the box";
        EXPECT_EQ(openBoxes().size(), 1u);

        // What a stop signal does.
        MessageBoxUserInterface stop;
        stop.closeAll();
        EXPECT_TRUE(openBoxes().empty());
    }
}

// A start-up box still holds start-up until it is clicked, but in the runtime's own wait: the
// timers tick behind it, and a stop ends the wait with the box closed.
TEST_F(MessageBoxesHoldNothing, AStartUpBoxWaitsWhileTheRuntimeTicks) {
    MessageBoxUserInterface messages;
    messages.setWait([this](const std::function<bool()>& open) { rt.waitWhile(open, 1); });
    rt.callAfter(5, [&messages] { messages.closeAll(); });
    messages.showMessage(MessageIcon::Error, "Voxclock TTS", "New INI File Created");
    EXPECT_GE(ticks, 5);
    EXPECT_TRUE(openBoxes().empty());
}

}  // namespace
}  // namespace vox

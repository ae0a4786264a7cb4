// SIGTERM and SIGINT end the desktop program from any state, modal boxes included.
#include <csignal>

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include "adapters/stop_signals.h"
#include "src/program_host.h"
#include "tests/support/temp_folder.h"
#include "ui/message_box_ui.h"

namespace vox {
namespace {

// Raising the signal with no handler installed would kill the test program instead of failing.
bool stopHandlerInstalled() {
    struct sigaction current {};
    ::sigaction(SIGTERM, nullptr, &current);
    return current.sa_handler != SIG_DFL && current.sa_handler != SIG_IGN;
}

// Watches for message boxes: counts them and closes any that stays, so a fault fails the test
// instead of hanging it.
class BoxWatch {
public:
    explicit BoxWatch(MessageBoxUserInterface& ui, std::function<void()> onBox = {})
        : ui_(ui), onBox_(std::move(onBox)) {
        poll_.setInterval(20);
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            QMessageBox* box = ui_.openBox();
            if (!box || !box->isVisible())
                return;
            if (box != last_) {
                last_ = box;
                polls_ = 0;
                ++seen;
                if (onBox_) {
                    onBox_();
                    onBox_ = nullptr;
                    return;
                }
            } else if (++polls_ < 50) {
                return;  // the signal has a second to take it away
            }
            ++closedByHand;
            box->done(QMessageBox::Ok);
        });
        poll_.start();
    }
    int seen = 0;
    int closedByHand = 0;

private:
    MessageBoxUserInterface& ui_;
    std::function<void()> onBox_;
    QTimer poll_;
    QMessageBox* last_ = nullptr;
    int polls_ = 0;
};

TEST(StopSignal, ClosesTheOpenBoxAndNoLaterBoxWaits) {
    for (const int signal : {SIGTERM, SIGINT}) {
        MessageBoxUserInterface messages;
        StopSignals stop([&messages] { messages.closeAll(); });
        ASSERT_TRUE(stopHandlerInstalled());
        BoxWatch watch(messages, [signal] { std::raise(signal); });

        messages.showMessage(MessageIcon::Error, "Voxclock TTS",
                             "The file Voxclock.Ini is Missing or Corrupted");
        EXPECT_EQ(watch.seen, 1);
        EXPECT_TRUE(messages.closed()) << "the box went away by the signal, not by a click";
        EXPECT_EQ(watch.closedByHand, 0);

        // Start-up goes on to its next message: it must not wait for a click.
        messages.showMessage(MessageIcon::Information, "Voxclock TTS", "New INI File Created");
        EXPECT_EQ(watch.seen, 1);
        EXPECT_EQ(watch.closedByHand, 0);
    }
}

// The whole program around a fresh program folder, whose first start shows boxes.
class StopHost : public ::testing::Test {
protected:
    StopHost() : host(dir.path, &messages), watch(messages) {
        host.onStopRequested = [this] { messages.closeAll(); };
    }
    bool settingsWritten() const { return std::filesystem::exists(dir.file("voxclock.ini")); }

    TempFolder dir;
    MessageBoxUserInterface messages;
    ProgramHost host;
    BoxWatch watch;
};

TEST_F(StopHost, BeforeStartUpEndsCleanlyWithoutStarting) {
    std::string error;
    ASSERT_TRUE(host.prepare({}, &error)) << error;
    ASSERT_TRUE(stopHandlerInstalled()) << "a stop before start-up must not kill the program";
    std::raise(SIGTERM);
    for (int i = 0; i < 100 && !host.stopRequested(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_TRUE(host.stopRequested());

    EXPECT_EQ(host.exec(), 0);
    EXPECT_EQ(watch.seen, 0);
    EXPECT_FALSE(settingsWritten()) << "nothing started, nothing to write";
}

TEST_F(StopHost, DuringStartUpWaitsEndsWithShutdownAndNoBox) {
    WindowHooks hooks;
    // The splash goes up just before the first wait of start-up.
    hooks.showSplash = [] { std::raise(SIGTERM); };
    std::string error;
    ASSERT_TRUE(host.prepare(std::move(hooks), &error)) << error;

    EXPECT_EQ(host.exec(), 0);
    EXPECT_TRUE(host.stopRequested());
    EXPECT_EQ(watch.seen, 0) << "start-up showed a box after the stop";
    EXPECT_TRUE(settingsWritten()) << "shutdown writes the settings file";
    EXPECT_FALSE(host.station().pttHeld());
}

}  // namespace
}  // namespace vox

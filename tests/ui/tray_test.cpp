#include <climits>

#include <QCoreApplication>

#include <gtest/gtest.h>

#include "ui/main_window.h"
#include "ui/tray_icon.h"
#include "ui/twips.h"

namespace vox {
namespace {

// The window with the station's part of the placement: RestoreTop/RestoreLeft.
class TrayTest : public ::testing::Test {
protected:
    void make(bool trayAvailable) {
        MainWindowActions actions;
        actions.movedInNormalState = [this](int top, int left) { restore = {top, left}; };
        actions.restorePosition = [this] { return restore; };
        window = std::make_unique<MainWindow>(panel, actions, trayAvailable);
        tray = std::make_unique<TrayIcon>(*window);
    }
    std::pair<int, int> twipsOf(QPoint p) const {
        const double dpi = window->logicalDpiX();
        return {pixelsToTwips(p.y(), dpi), pixelsToTwips(p.x(), dpi)};
    }
    // Positions are the client area's corner (the offscreen platform draws a frame around it).
    QPoint corner() const { return window->geometry().topLeft(); }

    FrontPanel panel;
    std::pair<int, int> restore{0, 0};
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<TrayIcon> tray;
};

TEST_F(TrayTest, RightClickHidesLeftClickBringsItBackWhereItWas) {
    make(true);
    window->show();
    window->move(120, 90);
    const QPoint where = corner();
    EXPECT_EQ(restore, twipsOf(where));

    for (const auto show : {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick}) {
        tray->onActivated(QSystemTrayIcon::Context);
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(window->normalPosition()) << "a hidden window stores no position at exit";

        // A second right click while hidden keeps it hidden and keeps the place.
        tray->onActivated(QSystemTrayIcon::Context);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(restore, twipsOf(where));

        tray->onActivated(show);
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->isMinimized());
        EXPECT_EQ(corner(), where);
        EXPECT_EQ(window->pos(), QPoint(120, 90));
    }
    // A click on an already shown window leaves it shown.
    tray->onActivated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(window->isVisible());
    tray->onActivated(QSystemTrayIcon::MiddleClick);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(TrayTest, StartUpGoesToTheTrayOnlyWhenThereIsOne) {
    for (const bool available : {true, false}) {
        make(available);
        window->goToTray();
        EXPECT_EQ(window->isVisible(), !available);
        // Minimizing without a tray must not lose the window.
        window->sendToTray();
        EXPECT_EQ(window->isVisible(), !available);
    }
}

// A window marked minimized while hidden is mapped iconic by an X11 window manager when shown
// again, so the tray click seems to do nothing. Hidden in the tray is hidden only.
TEST_F(TrayTest, HiddenInTheTrayIsNeverMarkedMinimized) {
    make(true);
    window->goToTray();
    EXPECT_FALSE(window->windowState() & Qt::WindowMinimized) << "start-up";
    tray->onActivated(QSystemTrayIcon::Trigger);
    ASSERT_TRUE(window->isVisible());
    tray->onActivated(QSystemTrayIcon::Context);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->windowState() & Qt::WindowMinimized) << "right click";

    // The minimize button: the window manager minimizes, the window then hides itself. One
    // click brings it back in the normal state.
    tray->onActivated(QSystemTrayIcon::Trigger);
    window->setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
    tray->onActivated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowState() & Qt::WindowMinimized, 0);
}

// With nothing stored (a fresh program folder) the window keeps its own place, wherever the
// window manager put it, instead of going to the screen's corner.
TEST_F(TrayTest, FirstRestoreWithNothingStoredKeepsTheWindowsOwnPlace) {
    make(true);
    window->move(300, 200);  // the window's own place, before it was ever shown
    window->goToTray();
    tray->onActivated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->pos(), QPoint(300, 200));
    EXPECT_EQ(restore, twipsOf(corner())) << "and that place is kept from now on";
}

// Start-up places the window from the store, the tray brings it back there, exit stores where it
// is: over many starts the stored place does not move.
TEST_F(TrayTest, StoredPlaceStaysPutOverRestarts) {
    std::pair<int, int> stored{pixelsToTwips(180, 96), pixelsToTwips(250, 96)};
    for (int start = 0; start < 10; ++start) {
        make(true);
        window->placeAt(stored.first, stored.second);
        restore = stored;  // RestoreTop/RestoreLeft are read with the stored place
        window->goToTray();
        tray->onActivated(QSystemTrayIcon::Trigger);
        const auto atExit = window->normalPosition();
        ASSERT_TRUE(atExit) << start;
        EXPECT_EQ(*atExit, stored) << "start " << start;
        stored = *atExit;
    }
}

TEST_F(TrayTest, StoredPositionsRoundTripAndGarbageIsIgnored) {
    make(true);
    window->move(40, 30);
    window->show();
    const double dpi = window->logicalDpiX();
    // Placed in twips, read back in twips.
    const int top = pixelsToTwips(150, dpi), left = pixelsToTwips(210, dpi);
    window->placeAt(top, left);
    EXPECT_EQ(window->normalPosition(), std::make_pair(top, left));
    EXPECT_EQ(corner(), QPoint(210, 150));

    const std::pair<int, int> garbage[] = {
        {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, {INT_MAX, 0}, {0, INT_MIN}, {-2000000, 15}};
    for (const auto& [t, l] : garbage) {
        window->placeAt(t, l);
        EXPECT_EQ(corner(), QPoint(210, 150)) << t << "," << l;
    }
}

TEST(Twips, PixelsRoundTripAtCommonResolutions) {
    EXPECT_EQ(pixelsToTwips(1, 96), 15);
    EXPECT_EQ(twipsToPixels(1500, 96), 100);
    for (const double dpi : {72.0, 96.0, 120.0, 144.0, 192.0, 0.0})
        for (const int px : {-1200, -1, 0, 1, 7, 333, 2559, 7680})
            EXPECT_EQ(twipsToPixels(pixelsToTwips(px, dpi), dpi), px) << dpi << " " << px;
    // Garbage from the store stays a finite coordinate.
    EXPECT_GT(twipsToPixels(INT_MAX, 96), 0);
    EXPECT_LT(twipsToPixels(INT_MIN, 96), 0);
}

TEST(TrayTip, IsVoxclock) {
    EXPECT_EQ(TrayIcon::tip(), "Voxclock");
}

}  // namespace
}  // namespace vox

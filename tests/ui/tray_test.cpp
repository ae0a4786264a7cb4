#include <climits>

#include <gtest/gtest.h>

#include "main_window.h"
#include "tray_icon.h"
#include "twips.h"

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

    FrontPanel panel;
    std::pair<int, int> restore{0, 0};
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<TrayIcon> tray;
};

TEST_F(TrayTest, RightClickHidesLeftClickBringsItBackWhereItWas) {
    make(true);
    window->show();
    window->move(120, 90);
    EXPECT_EQ(restore, twipsOf({120, 90}));

    for (const auto show : {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick}) {
        tray->onActivated(QSystemTrayIcon::Context);
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(window->normalPosition()) << "a hidden window stores no position at exit";

        // A second right click while hidden keeps it hidden and keeps the place.
        tray->onActivated(QSystemTrayIcon::Context);
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(restore, twipsOf({120, 90}));

        tray->onActivated(show);
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->isMinimized());
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

TEST_F(TrayTest, StoredPositionsRoundTripAndGarbageIsIgnored) {
    make(true);
    window->move(40, 30);
    window->show();
    const double dpi = window->logicalDpiX();
    // Placed in twips, read back in twips.
    const int top = pixelsToTwips(150, dpi), left = pixelsToTwips(210, dpi);
    window->placeAt(top, left);
    EXPECT_EQ(window->normalPosition(), std::make_pair(top, left));

    const std::pair<int, int> garbage[] = {
        {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, {INT_MAX, 0}, {0, INT_MIN}, {-2000000, 15}};
    for (const auto& [t, l] : garbage) {
        window->placeAt(t, l);
        EXPECT_EQ(window->pos(), QPoint(210, 150)) << t << "," << l;
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

#include "ui/tray_icon.h"

#include "ui/main_window.h"

namespace vox {

TrayIcon::TrayIcon(MainWindow& window) : window_(window) {
    connect(&icon_, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
}

void TrayIcon::add() {
    icon_.setIcon(window_.windowIcon());
    icon_.setToolTip(tip());
    // A failed add leaves the program running without an icon; nothing to check.
    icon_.show();
}

void TrayIcon::remove() {
    icon_.hide();
}

void TrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
        case QSystemTrayIcon::DoubleClick:
            window_.restoreFromTray();
            break;
        case QSystemTrayIcon::Context:
            window_.sendToTray();
            break;
        default:
            break;
    }
}

}  // namespace vox

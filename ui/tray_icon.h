#pragma once

#include <QObject>
#include <QSystemTrayIcon>

namespace vox {

class MainWindow;

// The tray icon that brings the main window back (left click, double click) and sends it away
// (right click).
class TrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TrayIcon(MainWindow& window);

    static QString tip() { return QStringLiteral("Voxclock"); }

    void add();
    void remove();
    bool present() const { return icon_.isVisible(); }

public slots:
    void onActivated(QSystemTrayIcon::ActivationReason reason);

private:
    MainWindow& window_;
    QSystemTrayIcon icon_;
};

}  // namespace vox

#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include <QMainWindow>

#include "core/parts/front_panel.h"
#include "ui/status_bar_view.h"

class QAbstractButton;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;

namespace vox {

// What the main window asks of the program. The window only shows the front panel and passes
// the owner's clicks on; empty functions do nothing.
struct MainWindowActions {
    // A control's click handler ("CMDTime", "cmdRemoteNode3", "lblTwo", "cbHour"). A check box
    // is set on the front panel first, as the owner left it.
    std::function<void(const std::string& control)> press;
    std::function<void()> saveSettings;  // File -> Save INI File
    std::function<void()> exitProgram;   // File -> Exit, and closing the window
    // The window moved or was resized in the normal state (twips): RestoreTop/RestoreLeft.
    std::function<void(int top, int left)> movedInNormalState;
    // Where the tray icon puts the window back (twips).
    std::function<std::pair<int, int>()> restorePosition;
    std::function<void()> viewLog;
    std::function<void()> deleteLog;
    std::function<void()> openHelp;
    std::function<void()> showAbout;
    std::function<void(bool recording)> openMixer;
    // The Help menu's entries into the owner's manual: the section's anchor ("files").
    std::function<void(const QString& section)> openManualSection;
    // The setup dialogs, the DTMF pad and the lookup window, by their menu item
    // ("mnuSetupRemoteNodes", "mnuDTMF", "mnuSearch"); an item with none does nothing.
    std::map<std::string, std::function<void()>> dialogs;
    // Set when the node backend is the simulator: adds the "Simulator" menu entry.
    std::function<void()> showSimulator;
    // Controls the node cannot drive ("cbRecordStart"), with why: greyed, the reason as tooltip.
    std::map<std::string, QString> lacking;
};

// frmmain: the station's front panel as a window, with the menu bar and StatusBar1. Every
// control carries its name as objectName ("cbHour", "CMDTime", "Dummy", "mnuLogView", ...).
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(FrontPanel& panel, MainWindowActions actions, bool trayAvailable,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    QWidget* control(const std::string& name) const;
    QAction* menuAction(const std::string& name) const;
    QWidget* dummy() const { return dummy_; }
    StatusBarView& statusView() { return *status_; }
    bool trayAvailable() const { return trayAvailable_; }

    // Focus rule: the focus goes to Dummy so no button keeps it.
    void focusDummy();

    // Start-up placement from the per-user store (twips). A place off every screen is ignored.
    void placeAt(int top, int left);
    // Top and left (twips) when the window is shown in the normal state.
    std::optional<std::pair<int, int>> normalPosition() const;
    // Start-up: minimized and hidden in the tray; without a tray the window stays shown.
    void goToTray();
    // Tray left click: normal state, shown and raised, at RestoreTop/RestoreLeft once the window
    // has had a place of its own.
    void restoreFromTray();
    // Tray right click: remember where the window is, then minimize (and hide) it.
    void sendToTray();
    // Shutdown closes the window for good; any other close asks the program to exit.
    void closeForShutdown();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    QAction* addMenuItem(QMenu* menu, const QString& caption, const char* name,
                         std::function<void()> fn);
    QAbstractButton* addButton(const char* name, const QString& caption);
    QCheckBox* addCheckBox(const char* name, const QString& caption);
    void onPanelChanged(const FrontPanel::Change& change);
    void refreshControl(const std::string& name);
    void showPtt();
    void reportPosition();
    void alignBesideColumn();
    QLayout* beside_ = nullptr;  // the column beside the Xmit frames
    bool besideAligned_ = false;
    int dpi() const;

    FrontPanel& panel_;
    MainWindowActions actions_;
    bool trayAvailable_;
    int listener_ = 0;
    std::map<std::string, QWidget*> controls_;
    std::map<std::string, QAction*> menuActions_;
    QWidget* dummy_ = nullptr;
    QGroupBox* fan_ = nullptr;
    QLabel* ptt_ = nullptr;
    QLineEdit* fileName_ = nullptr;
    bool closing_ = false;
    // Set once the window has a place: stored at start-up, or shown in the normal state.
    bool placed_ = false;
    std::unique_ptr<StatusBarView> status_;
};

}  // namespace vox

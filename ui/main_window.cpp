#include "ui/main_window.h"

#include <vector>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include "ui/clickable_label.h"
#include "ui/client_position.h"
#include "ui/mnemonics.h"
#include "ui/pictures.h"
#include "ui/twips.h"
#include "ui/version_text.h"

namespace vox {
namespace {

constexpr int kRemoteNodes = 8;

// One item of the menu bar, in order: an item of the menu titled `menu` (Alt plus the underlined
// letter opens it), or, without a title, an item on the bar itself. A click calls `action`, else
// opens the manual at `section`, else opens the dialog of the same name from the actions.
struct MenuEntry {
    const char* menu = nullptr;
    const char* caption = nullptr;
    const char* name = nullptr;
    std::function<void()> MainWindowActions::*action = nullptr;
    const char* section = nullptr;
    bool separatorBefore = false;
    bool onlyWhenSet = false;  // left out when the action is empty
    int shortcut = 0;
};

// The menu bar, in order.
const MenuEntry kMenuEntries[] = {
    {.menu = "&File",
     .caption = "Save INI File",
     .name = "mnuFileSave",
     .action = &MainWindowActions::saveSettings},
    {.menu = "&File",
     .caption = "Exit",
     .name = "mnuFileExit",
     .action = &MainWindowActions::exitProgram,
     .separatorBefore = true},
    {.menu = "&Setup", .caption = "DTMF Cmds", .name = "mnuSetupDTMF"},
    {.menu = "&Setup", .caption = "INFO File", .name = "mnuSetupWavFile", .separatorBefore = true},
    {.menu = "&Setup",
     .caption = "Remote Nodes",
     .name = "mnuSetupRemoteNodes",
     .separatorBefore = true},
    {.menu = "&Setup",
     .caption = "Sound Device",
     .name = "mnuSetupSoundDevice",
     .separatorBefore = true},
    {.menu = "&Setup", .caption = "TTS Voice", .name = "mnuVoice", .separatorBefore = true},
    {.menu = "&Setup", .caption = "Timing and ID", .name = "mnuTiming", .separatorBefore = true},
    {.menu = "&Setup", .caption = "WX Setup", .name = "mnuSetupWx", .separatorBefore = true},
    {.caption = "Sea&rch", .name = "mnuSearch"},
    {.caption = "DTMF &Pad", .name = "mnuDTMF"},
    {.menu = "&Log File",
     .caption = "View",
     .name = "mnuLogView",
     .action = &MainWindowActions::viewLog},
    {.menu = "&Log File",
     .caption = "Delete",
     .name = "mnuLogDelete",
     .action = &MainWindowActions::deleteLog,
     .separatorBefore = true},
    {.caption = "Si&mulator",
     .name = "mnuSimulator",
     .action = &MainWindowActions::showSimulator,
     .onlyWhenSet = true},
    {.menu = "&Help",
     .caption = "Contents",
     .name = "mnuHelpShow",
     .action = &MainWindowActions::openHelp,
     .shortcut = Qt::Key_F1},
    // The entries into the owner's manual stand in for a web site or mailing list, which the
    // program does not have.
    {.menu = "&Help",
     .caption = "Starting and Stopping",
     .name = "mnuHelpSection1",
     .section = "starting",
     .separatorBefore = true},
    {.menu = "&Help", .caption = "The Tray Icon", .name = "mnuHelpSection2", .section = "tray"},
    {.menu = "&Help",
     .caption = "The Main Window",
     .name = "mnuHelpSection3",
     .section = "main-window"},
    {.menu = "&Help",
     .caption = "The Node Simulator",
     .name = "mnuHelpSection4",
     .section = "simulator"},
    {.menu = "&Help", .caption = "Files", .name = "mnuHelpSection5", .section = "files"},
    {.menu = "&Help",
     .caption = "About Voxclock TTS",
     .name = "mnuAbout",
     .action = &MainWindowActions::showAbout,
     .separatorBefore = true}};

}  // namespace

MainWindow::MainWindow(FrontPanel& panel, MainWindowActions actions, bool trayAvailable,
                       QWidget* parent)
    : QMainWindow(parent),
      panel_(panel),
      actions_(std::move(actions)),
      trayAvailable_(trayAvailable) {
    setObjectName(QStringLiteral("frmmain"));
    setWindowTitle(windowCaption());
    setWindowIcon(appIcon());
    buildControls();
    buildMenus();
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    status_ = std::make_unique<StatusBarView>(statusBar(), panel_);
    for (const auto& [name, widget] : controls_)
        refreshControl(name);
    showPtt();
    // The controls sit in a fixed arrangement: the window takes the size it needs and no other
    // (a window manager offers no maximize for it), growing only when a caption needs room.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
    listener_ = panel_.subscribe([this](const FrontPanel::Change& c) { onPanelChanged(c); });
}

MainWindow::~MainWindow() {
    panel_.unsubscribe(listener_);
}

QWidget* MainWindow::control(const std::string& name) const {
    auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

QAction* MainWindow::menuAction(const std::string& name) const {
    auto it = menuActions_.find(name);
    return it == menuActions_.end() ? nullptr : it->second;
}

QAbstractButton* MainWindow::addButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    // A button never takes the focus, so a stray key press cannot trigger it.
    button->setFocusPolicy(Qt::NoFocus);
    const std::string control = name;
    connect(button, &QPushButton::clicked, this, [this, control] {
        if (actions_.press)
            actions_.press(control);
        focusDummy();
    });
    controls_[control] = button;
    return button;
}

QCheckBox* MainWindow::addCheckBox(const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(QString::fromLatin1(name));
    box->setFocusPolicy(Qt::NoFocus);
    const std::string control = name;
    // clicked() is the owner's doing only; changes from the model come back with signals blocked.
    connect(box, &QCheckBox::clicked, this, [this, control](bool on) {
        panel_.setChecked(control, on);
        if (actions_.press)
            actions_.press(control);
        focusDummy();
    });
    controls_[control] = box;
    return box;
}

void MainWindow::buildControls() {
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);

    auto* xmitTime = new QGroupBox(QStringLiteral("Xmit Time"));
    auto* timeLayout = new QVBoxLayout(xmitTime);
    timeLayout->addWidget(addCheckBox("cbHour", QStringLiteral("Hour")));
    timeLayout->addWidget(addCheckBox("cbHalfHour", QStringLiteral("Half Hour")));
    timeLayout->addWidget(addCheckBox("cbQuarterHour", QStringLiteral("Quarter Hour")));
    // Room where Xmit File shows its file name, so the two frames' rows line up.
    auto* gap = new QWidget;
    gap->setFixedHeight(QLineEdit().sizeHint().height());
    timeLayout->addWidget(gap);
    timeLayout->addWidget(addButton("CMDTime", QStringLiteral("Xmit Time")));
    grid->addWidget(xmitTime, 0, 0);

    auto* xmitFile = new QGroupBox(QStringLiteral("Xmit File"));
    auto* fileLayout = new QVBoxLayout(xmitFile);
    fileLayout->addWidget(addCheckBox("cbFileHour", QStringLiteral("Hour")));
    fileLayout->addWidget(addCheckBox("cbFileHalfHour", QStringLiteral("Half Hour")));
    fileLayout->addWidget(addCheckBox("cbFileQuarterHour", QStringLiteral("Quarter Hour")));
    // The info file is chosen in Setup -> INFO File; here it is only shown. Read-only and out of
    // the focus chain, so stray key presses go nowhere.
    fileName_ = new QLineEdit;
    fileName_->setObjectName(QStringLiteral("tbFileName"));
    fileName_->setReadOnly(true);
    fileName_->setFocusPolicy(Qt::NoFocus);
    controls_["tbFileName"] = fileName_;
    fileLayout->addWidget(fileName_);
    fileLayout->addWidget(addButton("CMDFile", QStringLiteral("Xmit File")));
    grid->addWidget(xmitFile, 0, 1);

    auto* misc = new QVBoxLayout;
    beside_ = misc;
    misc->addWidget(addCheckBox("cbAutoOverride", QStringLiteral("No Auto Connects")));
    misc->addWidget(addCheckBox("cbNoText", QStringLiteral("No TTS Text Msg")));
    misc->addWidget(addButton("Command1", QStringLiteral("CW ID")));
    misc->addWidget(addButton("Command2", QStringLiteral("Get WX")));
    misc->addStretch();
    grid->addLayout(misc, 0, 2);

    auto* recording = new QGroupBox(QStringLiteral("Recording"));
    auto* recLayout = new QHBoxLayout(recording);
    recLayout->addWidget(addButton("cbRecordStart", QStringLiteral("Start")));
    recLayout->addWidget(addButton("cbRecordStop", QStringLiteral("Stop")));
    recLayout->addWidget(addButton("cbRecordPlayback", QStringLiteral("Play")));
    grid->addWidget(recording, 1, 0, 1, 2);

    fan_ = new QGroupBox(QStringLiteral("Fan"));
    fan_->setObjectName(QStringLiteral("frFan"));
    controls_["frFan"] = fan_;
    auto* fanLayout = new QHBoxLayout(fan_);
    fanLayout->addWidget(addCheckBox("FanDTR", QStringLiteral("DTR")));
    fanLayout->addWidget(addCheckBox("FanRTS", QStringLiteral("RTS")));
    grid->addWidget(fan_, 1, 2);

    auto* remote = new QGroupBox(QStringLiteral("Remote Nodes"));
    auto* remoteLayout = new QGridLayout(remote);
    for (int i = 0; i < kRemoteNodes; ++i) {
        const std::string name = "cmdRemoteNode" + std::to_string(i);
        QAbstractButton* b = addButton(name.c_str(), QString());
        b->setMinimumWidth(90);
        remoteLayout->addWidget(b, i / 4, i % 4);
    }
    grid->addWidget(remote, 2, 0, 1, 3);

    auto* bottom = new QHBoxLayout;
    auto* lblTwo = new ClickableLabel(QStringLiteral("PTT: "));
    lblTwo->setObjectName(QStringLiteral("lblTwo"));
    lblTwo->setToolTip(QStringLiteral("Click to silence the speech"));
    controls_["lblTwo"] = lblTwo;
    connect(lblTwo, &ClickableLabel::clicked, this, [this] {
        if (actions_.press)
            actions_.press("lblTwo");
        focusDummy();
    });
    ptt_ = new ClickableLabel;
    ptt_->setObjectName(QStringLiteral("lblPTT"));
    ptt_->setMinimumWidth(30);
    controls_["lblPTT"] = ptt_;
    connect(static_cast<ClickableLabel*>(ptt_), &ClickableLabel::clicked, this,
            [this] { focusDummy(); });
    bottom->addWidget(lblTwo);
    bottom->addWidget(ptt_);
    bottom->addStretch();

    auto* picture1 = new ClickableLabel;
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setPixmap(speakerPixmap(24));
    picture1->setToolTip(QStringLiteral("Playback volume"));
    controls_["Picture1"] = picture1;
    connect(picture1, &ClickableLabel::clicked, this, [this] {
        if (actions_.openMixer)
            actions_.openMixer(false);
        focusDummy();
    });
    auto* pictureMic = new ClickableLabel;
    pictureMic->setObjectName(QStringLiteral("PictureMic"));
    pictureMic->setPixmap(microphonePixmap(24));
    pictureMic->setToolTip(QStringLiteral("Recording volume"));
    controls_["PictureMic"] = pictureMic;
    connect(pictureMic, &ClickableLabel::clicked, this, [this] {
        if (actions_.openMixer)
            actions_.openMixer(true);
        focusDummy();
    });
    bottom->addWidget(picture1);
    bottom->addWidget(pictureMic);

    // Dummy holds the keyboard focus: a one-pixel widget that ignores keys.
    dummy_ = new QWidget;
    dummy_->setObjectName(QStringLiteral("Dummy"));
    dummy_->setFixedSize(1, 1);
    dummy_->setFocusPolicy(Qt::StrongFocus);
    controls_["Dummy"] = dummy_;
    bottom->addWidget(dummy_);
    grid->addLayout(bottom, 3, 0, 1, 3);

    setCentralWidget(central);
}

QAction* MainWindow::addMenuItem(QMenu* menu, const QString& caption, const char* name,
                                 std::function<void()> fn) {
    QAction* action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [fn = std::move(fn)] {
        if (fn)
            fn();
    });
    menuActions_[name] = action;
    return action;
}

void MainWindow::buildMenus() {
    std::vector<QMenu*> menus;
    for (const MenuEntry& entry : kMenuEntries) {
        std::function<void()> fn;
        if (entry.action) {
            fn = actions_.*entry.action;
            if (entry.onlyWhenSet && !fn)
                continue;
        } else if (entry.section) {
            fn = [this, section = QString::fromLatin1(entry.section)] {
                if (actions_.openManualSection)
                    actions_.openManualSection(section);
            };
        } else if (const auto dialog = actions_.dialogs.find(entry.name);
                   dialog != actions_.dialogs.end()) {
            fn = dialog->second;
        }
        QMenu* menu = nullptr;
        if (entry.menu) {
            const QString title = QString::fromLatin1(entry.menu);
            if (menus.empty() || menus.back()->title() != title)
                menus.push_back(menuBar()->addMenu(title));
            menu = menus.back();
            if (entry.separatorBefore)
                menu->addSeparator();
        }
        QAction* action = addMenuItem(menu, QString::fromLatin1(entry.caption), entry.name, fn);
        if (entry.section)
            action->setData(QString::fromLatin1(entry.section));
        if (entry.shortcut)
            action->setShortcut(QKeySequence(entry.shortcut));
    }
    for (QMenu* menu : menus)
        assignMnemonics(menu);
}

void MainWindow::onPanelChanged(const FrontPanel::Change& change) {
    if (change.kind == FrontPanel::Change::Kind::Panel) {
        status_->refresh(change.panel);
        return;
    }
    refreshControl(change.control);
}

void MainWindow::refreshControl(const std::string& name) {
    // Pictures and the focus dummy are the window's own; the panel holds no state for them.
    QWidget* w = control(name);
    if (!w || !Control::known(name))
        return;
    const bool remoteNode = name.rfind("cmdRemoteNode", 0) == 0;
    const QString caption = QString::fromStdString(panel_.caption(name));
    // A slot with no call has nothing to connect to: one stray click must not key the
    // transmitter to say so.
    const bool emptySlot = remoteNode && caption.trimmed().isEmpty();
    const auto lacking = actions_.lacking.find(name);
    if (lacking != actions_.lacking.end()) {
        w->setEnabled(false);
        w->setToolTip(lacking->second);
    } else {
        w->setEnabled(panel_.enabled(name) && !emptySlot);
    }
    if (auto* box = qobject_cast<QCheckBox*>(w)) {
        const QSignalBlocker block(box);
        box->setChecked(panel_.checked(name));
    } else if (name == "lblPTT") {
        showPtt();
    } else if (name == "frFan") {
        fan_->setTitle(QString::fromStdString(panel_.caption(name)));
    } else if (name == "tbFileName") {
        const QString text = QString::fromStdString(panel_.caption(name));
        if (fileName_->text() != text)
            fileName_->setText(text);
    } else if (remoteNode) {
        static_cast<QAbstractButton*>(w)->setText(caption);
        w->setToolTip(emptySlot ? QStringLiteral("No call set for this button: set one in Setup > "
                                                 "Remote Nodes")
                                : QString());
    }
}

void MainWindow::showPtt() {
    const bool on = panel_.pttShownOn();
    ptt_->setText(QString::fromStdString(panel_.caption("lblPTT")));
    QFont font = ptt_->font();
    font.setBold(on);
    ptt_->setFont(font);
    QPalette pal = ptt_->palette();
    pal.setColor(QPalette::WindowText,
                 on ? QColor(255, 0, 0) : QApplication::palette().color(QPalette::ButtonText));
    ptt_->setPalette(pal);
}

void MainWindow::focusDummy() {
    if (dummy_->isVisibleTo(this))
        dummy_->setFocus(Qt::OtherFocusReason);
}

int MainWindow::dpi() const {
    return logicalDpiY();
}

void MainWindow::placeAt(int top, int left) {
    const QPoint where(twipsToPixels(left, logicalDpiX()), twipsToPixels(top, dpi()));
    // A place on a screen that is gone would leave the window out of reach.
    if (!QGuiApplication::screenAt(where))
        return;
    moveClientTo(this, where);
    placed_ = true;
}

std::optional<std::pair<int, int>> MainWindow::normalPosition() const {
    if (!isVisible() ||
        (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return std::nullopt;
    const QPoint p = geometry().topLeft();
    return std::make_pair(pixelsToTwips(p.y(), dpi()), pixelsToTwips(p.x(), logicalDpiX()));
}

void MainWindow::reportPosition() {
    const auto p = normalPosition();
    if (!p)
        return;
    placed_ = true;
    if (actions_.movedInNormalState)
        actions_.movedInNormalState(p->first, p->second);
}

void MainWindow::goToTray() {
    if (!trayAvailable_) {
        // Nowhere to come back from: the window stays in view.
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
        return;
    }
    // Only hidden, never marked minimized: a window marked so while hidden is mapped iconic by
    // the window manager later, and the tray click that should show it seems to do nothing.
    hide();
}

void MainWindow::restoreFromTray() {
    if (windowState() & Qt::WindowMinimized)
        setWindowState(windowState() & ~Qt::WindowMinimized);
    // Placed before it is shown, so it maps there. Until the window has had a place of its own
    // (stored, or shown in the normal state) the window manager's choice stands.
    if (placed_ && actions_.restorePosition) {
        const auto [top, left] = actions_.restorePosition();
        moveClientTo(this, {twipsToPixels(left, logicalDpiX()), twipsToPixels(top, dpi())});
    }
    show();
    raise();
    activateWindow();
    // Shown in the normal state: that is now the place to come back to.
    reportPosition();
}

void MainWindow::sendToTray() {
    // Only a shown, normal window has a place worth going back to; a hidden one keeps the last.
    reportPosition();
    if (trayAvailable_)
        hide();
    else
        showMinimized();
}

void MainWindow::closeForShutdown() {
    closing_ = true;
    close();
}

void MainWindow::alignBesideColumn() {
    // The column beside the two frames has no frame title above it: its rows start level with
    // the frames' first rows. Known once the style has laid the frames out, at the first show.
    const int drop = control("cbHour")->mapTo(this, QPoint()).y() -
                     control("cbAutoOverride")->mapTo(this, QPoint()).y();
    if (drop > 0) {
        beside_->setContentsMargins(0, drop, 0, 0);
        layout()->activate();
    }
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::Show && !besideAligned_) {
        besideAligned_ = true;
        layout()->activate();
        alignBesideColumn();
    }
    const bool result = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate)
        focusDummy();
    return result;
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    // The minimize button sends the window to the tray, when there is one.
    if (isMinimized() && trayAvailable_ && isVisible())
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isMinimized())
                    hide();
            },
            Qt::QueuedConnection);
    else
        reportPosition();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    reportPosition();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    reportPosition();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closing_ && actions_.exitProgram) {
        // Closing the window is Exit: the program runs its shutdown, which closes it for good.
        event->ignore();
        actions_.exitProgram();
        return;
    }
    QMainWindow::closeEvent(event);
}

}  // namespace vox

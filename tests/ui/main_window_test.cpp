#include "ui/main_window.h"
#include "ui/mnemonics.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRegularExpression>
#include "tests/ui/click.h"

#include <gtest/gtest.h>

#include "ui/help_document.h"
#include "ui/splash_window.h"
#include "ui/version_text.h"

namespace vox {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        actions.press = [this](const std::string& c) { pressed.push_back(c); };
        actions.exitProgram = [this] { pressed.push_back("exit"); };
        actions.saveSettings = [this] { pressed.push_back("save"); };
        actions.viewLog = [this] { pressed.push_back("view"); };
        actions.deleteLog = [this] { pressed.push_back("delete"); };
        actions.openHelp = [this] { pressed.push_back("help"); };
        actions.showAbout = [this] { pressed.push_back("about"); };
        for (const char* dialog : {"mnuSetupWx", "mnuSearch", "mnuDTMF"})
            actions.dialogs[dialog] = [this, dialog] { pressed.push_back(dialog); };
        actions.openMixer = [this](bool rec) { pressed.push_back(rec ? "mixer rec" : "mixer"); };
        actions.showSimulator = [this] { pressed.push_back("simulator"); };
    }
    MainWindow& window() {
        if (!window_)
            window_ = std::make_unique<MainWindow>(panel, actions, true);
        return *window_;
    }
    template <class W>
    W* get(const std::string& name) {
        auto* w = qobject_cast<W*>(window().control(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    // Every remote-node slot holds a call, so every button can be used.
    void callsInEverySlot() {
        for (int i = 0; i < 8; ++i)
            panel.setCaption("cmdRemoteNode" + std::to_string(i), "K1AB" + std::to_string(i));
    }

    FrontPanel panel;
    MainWindowActions actions;
    std::vector<std::string> pressed;
    std::unique_ptr<MainWindow> window_;
};

std::vector<std::string> clickables() {
    std::vector<std::string> all = FrontPanel::buttons();
    for (const auto& c : FrontPanel::checkBoxes())
        all.push_back(c);
    return all;
}

TEST_F(MainWindowTest, BusyChannelDisablesTheButtonsAndShowsTheRedLight) {
    callsInEverySlot();
    MainWindow& w = window();
    for (const auto& b : FrontPanel::buttons())
        ASSERT_TRUE(w.control(b)->isEnabled()) << b;

    // What the main timer does while the node reports activity, and after.
    for (const bool busy : {true, false}) {
        for (const auto& b : FrontPanel::buttons())
            panel.setEnabled(b, !busy);
        panel.setPanel(1, busy ? FrontPanel::kRedLed : FrontPanel::kGreenLed);
        for (const auto& b : FrontPanel::buttons())
            EXPECT_EQ(w.control(b)->isEnabled(), !busy) << b;
        EXPECT_EQ(w.statusView().showsRedLight(), busy);
        EXPECT_EQ(w.statusView().showsGreenLight(), !busy);
        EXPECT_FALSE(w.statusView().label(1)->pixmap().isNull());
    }
}

// A blank remote-node button has nothing to connect to: it stays off, and says where to set a
// call, until its slot has one.
TEST_F(MainWindowTest, EmptyRemoteNodeButtonsAreOffAndSayWhereToSetACall) {
    MainWindow& w = window();
    for (int i = 0; i < 8; ++i) {
        QWidget* b = w.control("cmdRemoteNode" + std::to_string(i));
        EXPECT_FALSE(b->isEnabled()) << i;
        EXPECT_TRUE(b->toolTip().contains("Setup > Remote Nodes")) << i;
    }
    panel.setCaption("cmdRemoteNode2", "W1AW-L");
    EXPECT_TRUE(w.control("cmdRemoteNode2")->isEnabled());
    EXPECT_TRUE(w.control("cmdRemoteNode2")->toolTip().isEmpty());
    // A busy channel still wins over a call.
    panel.setEnabled("cmdRemoteNode2", false);
    EXPECT_FALSE(w.control("cmdRemoteNode2")->isEnabled());
    panel.setEnabled("cmdRemoteNode2", true);
    panel.setCaption("cmdRemoteNode2", "  ");
    EXPECT_FALSE(w.control("cmdRemoteNode2")->isEnabled()) << "blanks are no call";
}

TEST_F(MainWindowTest, ControlsTheNodeCannotDriveStayGreyedAndSayWhy) {
    actions.lacking["cbRecordStart"] = QStringLiteral("SvxLink cannot record from outside");
    MainWindow& w = window();
    QWidget* start = w.control("cbRecordStart");
    EXPECT_FALSE(start->isEnabled());
    EXPECT_EQ(start->toolTip(), QStringLiteral("SvxLink cannot record from outside"));
    // The panel enabling it (the channel clears) does not bring it back.
    panel.setEnabled("cbRecordStart", false);
    panel.setEnabled("cbRecordStart", true);
    EXPECT_FALSE(start->isEnabled());
    EXPECT_TRUE(w.control("cbRecordStop")->isEnabled()) << "only the lacking control";
}

TEST_F(MainWindowTest, MirrorsCaptionsChecksAndPanelsWithoutPressingAnything) {
    MainWindow& w = window();
    panel.setChecked("cbQuarterHour", true);
    panel.setChecked("FanRTS", true);
    panel.setCaption("cmdRemoteNode5", "K1ABC-R");
    panel.setCaption("frFan", "Fan 3 min");
    panel.setCaption("tbFileName", "info1.txt");
    panel.setPanel(2, "DTMF: None");
    panel.setPanel(4, "TTS is Speaking");
    panel.setPanel(5, "Time: 12:00:01");

    EXPECT_TRUE(get<QCheckBox>("cbQuarterHour")->isChecked());
    EXPECT_TRUE(get<QCheckBox>("FanRTS")->isChecked());
    EXPECT_FALSE(get<QCheckBox>("cbHour")->isChecked());
    EXPECT_EQ(get<QAbstractButton>("cmdRemoteNode5")->text(), "K1ABC-R");
    EXPECT_EQ(w.findChild<QWidget*>("frFan")->property("title").toString(), "Fan 3 min");
    EXPECT_EQ(get<QLineEdit>("tbFileName")->text(), "info1.txt");
    EXPECT_EQ(w.statusView().label(2)->text(), "DTMF: None");
    EXPECT_EQ(w.statusView().label(4)->text(), "TTS is Speaking");
    EXPECT_EQ(w.statusView().label(5)->text(), "Time: 12:00:01");
    // A change from the model is not the owner's click.
    EXPECT_TRUE(pressed.empty());
}

TEST_F(MainWindowTest, PttLabelIsBoldRedOnlyWhileKeyed) {
    auto* ptt = get<QLabel>("lblPTT");
    for (const bool on : {true, false, true}) {
        panel.setCaption("lblPTT", on ? "ON" : "OFF");
        EXPECT_EQ(ptt->text(), on ? "ON" : "OFF");
        EXPECT_EQ(ptt->font().bold(), on);
        EXPECT_EQ(ptt->palette().color(QPalette::WindowText) == QColor(255, 0, 0), on);
    }
}

TEST_F(MainWindowTest, EveryControlPressesItsOwnHandler) {
    callsInEverySlot();
    for (const auto& name : clickables()) {
        pressed.clear();
        auto* b = get<QAbstractButton>(name);
        const bool was = panel.checked(name);
        b->click();
        EXPECT_EQ(pressed, std::vector<std::string>{name});
        // A check box is on the model, as the owner left it, before its handler runs.
        if (qobject_cast<QCheckBox*>(b)) {
            EXPECT_EQ(panel.checked(name), !was) << name;
        }
    }
    pressed.clear();
    leftClick(get<QLabel>("lblTwo"));
    leftClick(get<QLabel>("Picture1"));
    leftClick(get<QLabel>("PictureMic"));
    EXPECT_EQ(pressed, (std::vector<std::string>{"lblTwo", "mixer", "mixer rec"}));
}

TEST_F(MainWindowTest, NoButtonKeepsTheFocus) {
    callsInEverySlot();
    MainWindow& w = window();
    w.show();
    auto* text = get<QLineEdit>("tbFileName");
    std::vector<std::string> all = clickables();
    for (const char* label : {"lblTwo", "lblPTT", "Picture1", "PictureMic"})
        all.push_back(label);
    for (const auto& name : all) {
        text->setFocus();
        ASSERT_EQ(w.focusWidget(), text);
        QWidget* c = w.control(name);
        if (auto* b = qobject_cast<QAbstractButton*>(c)) {
            EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << name;
            b->click();
        } else {
            leftClick(c);
        }
        EXPECT_EQ(w.focusWidget(), w.dummy()) << name;
    }
    // Coming back to the window: the focus goes to Dummy as well.
    text->setFocus();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activate);
    EXPECT_EQ(w.focusWidget(), w.dummy());
}

// A caption as shown: the mnemonic's "&" is not drawn.
QString shown(const QString& text) {
    return QString(text).replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
}

// Menus and items in order; "-" is a separator.
TEST_F(MainWindowTest, MenuBarFollowsTheMenuTable) {
    const std::vector<std::pair<QString, QStringList>> expected = {
        {"File", {"Save INI File", "-", "Exit"}},
        {"Setup",
         {"DTMF Cmds", "-", "INFO File", "-", "Remote Nodes", "-", "Sound Device", "-", "TTS Voice",
          "-", "Timing and ID", "-", "WX Setup"}},
        {"Search", {}},
        {"DTMF Pad", {}},
        {"Log File", {"View", "-", "Delete"}},
        {"Simulator", {}},
        {"Help",
         {"Contents", "-", "Starting and Stopping", "The Tray Icon", "The Main Window",
          "The Node Simulator", "Files", "-", "About Voxclock TTS"}}};
    const auto top = window().menuBar()->actions();
    ASSERT_EQ(top.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QAction* a = top[static_cast<qsizetype>(i)];
        EXPECT_EQ(shown(a->text()), expected[i].first);
        QStringList items;
        if (a->menu())
            for (QAction* item : a->menu()->actions())
                items << (item->isSeparator() ? QStringLiteral("-") : shownCaption(item->text()));
        EXPECT_EQ(items, expected[i].second) << expected[i].first.toStdString();
    }
    EXPECT_EQ(window().menuAction("mnuHelpShow")->shortcut(), QKeySequence(Qt::Key_F1));
}

// Alt plus a letter opens each menu of the menu bar, no two alike.
TEST_F(MainWindowTest, EveryMenuTitleHasItsOwnMnemonic) {
    QList<QKeySequence> seen;
    for (QAction* a : window().menuBar()->actions()) {
        const QKeySequence key = QKeySequence::mnemonic(a->text());
        EXPECT_FALSE(key.isEmpty()) << shown(a->text()).toStdString();
        EXPECT_FALSE(seen.contains(key)) << key.toString().toStdString();
        seen << key;
    }
    EXPECT_EQ(seen.front(), QKeySequence(Qt::ALT | Qt::Key_F));
}

// Each Help entry opens a section that the shipped manual has.
TEST_F(MainWindowTest, HelpEntriesOpenSectionsOfTheManual) {
    const QString manualPath = findManual(manualCandidates());
    ASSERT_FALSE(manualPath.isEmpty());
    QFile file(manualPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString manual = QString::fromUtf8(file.readAll());

    std::vector<QString> opened;
    actions.openManualSection = [&opened](const QString& s) { opened.push_back(s); };
    int entries = 0;
    for (QAction* a :
         qobject_cast<QWidget*>(window().menuAction("mnuHelpShow")->parent())->actions()) {
        const QString section = a->data().toString();
        if (a->isSeparator() || section.isEmpty())
            continue;
        ++entries;
        EXPECT_TRUE(manual.contains(QStringLiteral("id=\"%1\"").arg(section)))
            << "no section \"" << section.toStdString() << "\" for " << a->text().toStdString();
        opened.clear();
        a->trigger();
        EXPECT_EQ(opened, std::vector<QString>{section});
    }
    EXPECT_GT(entries, 0);
}

TEST_F(MainWindowTest, MenuItemsReachTheirCommands) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"mnuFileSave", "save"},      {"mnuFileExit", "exit"},    {"mnuLogView", "view"},
        {"mnuLogDelete", "delete"},   {"mnuHelpShow", "help"},    {"mnuAbout", "about"},
        {"mnuSetupWx", "mnuSetupWx"}, {"mnuSearch", "mnuSearch"}, {"mnuDTMF", "mnuDTMF"},
        {"mnuSimulator", "simulator"}};
    for (const auto& [item, command] : cases) {
        pressed.clear();
        QAction* a = window().menuAction(item);
        ASSERT_NE(a, nullptr) << item;
        a->trigger();
        EXPECT_EQ(pressed, std::vector<std::string>{command}) << item;
    }
}

TEST_F(MainWindowTest, NoSimulatorEntryWithoutTheSimulator) {
    actions.showSimulator = nullptr;
    EXPECT_EQ(window().menuAction("mnuSimulator"), nullptr);
}

// tbFileName shows the info file; typing into it would do nothing, so it takes no keys at all.
TEST_F(MainWindowTest, FileNameIsShownNotEdited) {
    MainWindow& w = window();
    w.show();
    panel.setCaption("tbFileName", "info1.txt");
    auto* box = get<QLineEdit>("tbFileName");
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_EQ(box->focusPolicy(), Qt::NoFocus);

    box->setFocus();
    for (const auto key : {Qt::Key_X, Qt::Key_Backspace, Qt::Key_Delete}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_X ? "x" : "");
        QApplication::sendEvent(box, &press);
    }
    EXPECT_EQ(box->text(), "info1.txt");
    EXPECT_EQ(panel.caption("tbFileName"), "info1.txt");
}

// The layout is fixed: the window cannot be resized or maximized into a stretched one, yet it
// still grows to show a long remote-node caption whole.
TEST_F(MainWindowTest, WindowHasAFixedSizeThatFitsItsCaptions) {
    MainWindow& w = window();
    w.show();
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    const QSize fixed = w.size();
    w.resize(fixed * 2);
    QApplication::processEvents();
    EXPECT_EQ(w.size(), fixed);

    panel.setCaption("cmdRemoteNode0", "*VERY-LONG-CONFERENCE-NAME*");
    // The new size goes up the nested layouts one posted event at a time.
    for (int round = 0; round < 5; ++round)
        QApplication::processEvents();
    auto* button = get<QAbstractButton>("cmdRemoteNode0");
    EXPECT_GE(button->width(), button->sizeHint().width());
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
}

TEST_F(MainWindowTest, ClosingTheWindowIsExitAndOnlyShutdownClosesIt) {
    MainWindow& w = window();
    w.show();
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(pressed, std::vector<std::string>{"exit"});
    w.closeForShutdown();
    EXPECT_FALSE(w.isVisible());
}

TEST(WindowTexts, NameTheProductEngineAndVersion) {
    const QString version = QStringLiteral("%1.%2.%3")
                                .arg(VOXCLOCK_VERSION_MAJOR)
                                .arg(VOXCLOCK_VERSION_MINOR)
                                .arg(VOXCLOCK_VERSION_PATCH);
    EXPECT_EQ(windowCaption(), "Voxclock TTS " + version);
    EXPECT_EQ(versionLine(), "Version " + version);
    SplashWindow splash(QStringLiteral("espeak-ng"));
    EXPECT_EQ(splash.engineLine(), "Using the espeak-ng Text To Speech Engine");
    EXPECT_EQ(splash.findChild<QLabel*>("lblversion")->text(), "Version " + version);
}

}  // namespace
}  // namespace vox

// The DTMF pad, offscreen: the keys build the sequence, Send hands it on exactly as typed and
// starts again, and the menu keeps one pad at the main window's top-left.
#include "ui/dtmf/dtmf_pad.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "tests/core/station/station_fixture.h"
#include "ui/main_window.h"
#include "ui/mnemonics.h"

namespace vox {
namespace {

constexpr int kClear = -1;
constexpr int kSend = -2;

QPushButton* button(QWidget* pad, const QString& name) {
    auto* b = pad->findChild<QPushButton*>(name);
    EXPECT_NE(b, nullptr) << name.toStdString();
    return b;
}

QPushButton* key(QWidget* pad, int index) {
    return button(pad, QStringLiteral("cmdDTMF") + QString::number(index));
}

// Clicks keys by index, Clear or Send.
void press(QWidget* pad, const std::vector<int>& presses) {
    for (int p : presses) {
        if (p == kClear)
            button(pad, QStringLiteral("cmdClear"))->click();
        else if (p == kSend)
            button(pad, QStringLiteral("Command1"))->click();
        else
            key(pad, p)->click();
    }
}

std::string shown(QWidget* pad) {
    return pad->findChild<QLineEdit*>(QStringLiteral("Text1"))->text().toStdString();
}

// A window's top-left as "x,y", readable when it differs.
std::string at(const QPoint& p) {
    return std::to_string(p.x()) + "," + std::to_string(p.y());
}

TEST(DtmfPad, LooksLikeAKeypadWithItsNamedButtons) {
    DtmfPad pad({});
    pad.show();
    EXPECT_EQ(pad.windowTitle().toStdString(), "DTMF Pad ");
    EXPECT_EQ(pad.findChildren<QPushButton*>(QRegularExpression("^cmdDTMF\\d+$")).size(), 16);
    const char* captions = "0123456789*#ABCD";
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(key(&pad, i)->text().toStdString(), std::string(1, captions[i])) << i;
    EXPECT_EQ(button(&pad, "cmdClear")->text().toStdString(), "Clear");
    EXPECT_EQ(button(&pad, "Command1")->text().toStdString(), "Send");
    EXPECT_EQ(button(&pad, "cmdClose")->text().toStdString(), "Done");
    EXPECT_TRUE(pad.findChild<QLineEdit*>(QStringLiteral("Text1"))->isReadOnly());

    // Rows of a telephone pad with the letters down the right: 1 2 3 A / 4 5 6 B / 7 8 9 C /
    // * 0 # D.
    const int rows[4][4] = {{1, 2, 3, 12}, {4, 5, 6, 13}, {7, 8, 9, 14}, {10, 0, 11, 15}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            const QRect here = key(&pad, rows[r][c])->geometry();
            if (c > 0) {
                const QRect left = key(&pad, rows[r][c - 1])->geometry();
                EXPECT_EQ(here.top(), left.top()) << rows[r][c];
                EXPECT_GT(here.left(), left.left()) << rows[r][c];
            }
            if (r > 0) {
                EXPECT_GT(here.top(), key(&pad, rows[r - 1][c])->geometry().top()) << rows[r][c];
            }
        }
}

TEST(DtmfPad, SendHandsOnTheSequenceAsTypedAndStartsAgain) {
    struct Case {
        const char* what;
        std::vector<int> presses;  // before Send
        const char* shownBeforeSend;
    };
    const Case cases[] = {
        {"a recording start", {1, 1, 10}, "11*"},
        {"nothing typed", {}, ""},
        {"a lone A, not an abort", {12}, "A"},
        {"every key in order",
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
         "0123456789*#ABCD"},
        {"Clear starts again", {4, 2, kClear, 9, 11}, "9#"},
        {"Clear on an empty pad", {kClear}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> sent;
        DtmfPad pad([&sent](const std::string& digits) { sent.push_back(digits); });
        press(&pad, c.presses);
        EXPECT_EQ(shown(&pad), c.shownBeforeSend);
        EXPECT_TRUE(sent.empty()) << "nothing leaves before Send";
        press(&pad, {kSend});
        EXPECT_EQ(sent, std::vector<std::string>{c.shownBeforeSend});
        EXPECT_EQ(shown(&pad), "");
        EXPECT_TRUE(pad.digits().isEmpty());
        // The next sequence does not carry the last one.
        press(&pad, {5, kSend});
        EXPECT_EQ(sent.back(), "5");
    }
}

TEST(DtmfPad, TheMenuKeepsOnePadThatOpensAtTheMainWindowsTopLeft) {
    QWidget owner;
    owner.move(130, 90);
    owner.show();
    QPointer<DtmfPad> pad;
    std::vector<std::string> sent;
    auto send = [&sent](const std::string& digits) { sent.push_back(digits); };

    DtmfPad* first = showDtmfPad(pad, &owner, send);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(pad, first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->isWindow());
    EXPECT_EQ(first->parentWidget(), &owner);
    EXPECT_EQ(at(first->pos()), at(owner.pos()));
    press(first, {7});

    // A second click raises the same pad as the owner left it.
    owner.move(300, 200);
    EXPECT_EQ(showDtmfPad(pad, &owner, send), first);
    EXPECT_EQ(shown(first), "7");
    EXPECT_EQ(at(first->pos()), "130,90");

    // Done closes it for good; the next one is new, empty and at the window's new place.
    button(first, "cmdClose")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(pad.isNull());
    DtmfPad* second = showDtmfPad(pad, &owner, send);
    EXPECT_EQ(shown(second), "");
    EXPECT_EQ(at(second->pos()), "300,200");
    EXPECT_TRUE(sent.empty());
    second->close();
}

// The pad wired to a station as the desktop wires it: its sequence is a command waiting for the
// dispatcher, never the speech abort a lone "A" from the node is.
TEST(DtmfPadOnStation, SendSetsThePendingCommandAndOverwritesOneFromTheNode) {
    struct Case {
        const char* what;
        const char* fromNode;  // nullptr: nothing heard
        std::vector<int> presses;
        const char* pending;
    };
    const Case cases[] = {
        {"a recording start", nullptr, {1, 1, 10}, "11*"},
        {"a lone A is a command", nullptr, {12}, "A"},
        {"the pad wins over a waiting string", "00*", {2, 10}, "2*"},
        {"an empty pad leaves nothing to dispatch", "00*", {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StationRig rig;
        Station& st = *rig.station;
        DtmfPad pad([&st](const std::string& digits) { st.dtmf().injectFromPad(digits); });
        if (c.fromNode)
            st.dtmf().ELo_DTMFString(c.fromNode);
        press(&pad, c.presses);
        press(&pad, {kSend});
        EXPECT_EQ(st.dtmf().pending(), c.pending);
        EXPECT_EQ(st.state().DtmfAbortRequest, "");
    }
}

TEST(DtmfPadMenu, TheMenuItemsOpenTheSetupDialogAndThePad) {
    FrontPanel panel;
    MainWindowActions actions;
    std::vector<std::string> opened;
    actions.dialogs["mnuSetupDTMF"] = [&] { opened.push_back("frmDTMFSetup"); };
    actions.dialogs["mnuDTMF"] = [&] { opened.push_back("frmDTMF"); };
    MainWindow window(panel, actions, true);
    EXPECT_EQ(shownCaption(window.menuAction("mnuSetupDTMF")->text()).toStdString(), "DTMF Cmds");
    EXPECT_EQ(window.menuAction("mnuDTMF")->text().toStdString(), "DTMF &Pad");
    window.menuAction("mnuSetupDTMF")->trigger();
    window.menuAction("mnuDTMF")->trigger();
    EXPECT_EQ(opened, (std::vector<std::string>{"frmDTMFSetup", "frmDTMF"}));
}

}  // namespace
}  // namespace vox

// The remote-node setup page, offscreen: it shows the entries, runs the day rule on the owner's
// clicks and stores what OK stores.
#include "ui/echolink/node_skeds_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <memory>

#include "ui/main_window.h"

#include <gtest/gtest.h>

namespace vox {
namespace {

class NodeSkedsPageTest : public ::testing::Test {
protected:
    NodeSkedsPageTest() {
        RemoteNode& a = station.RemoteNodes[0];
        a.Node = "W1AW-L";
        a.Auto = 1;
        a.Slot1Start = "22:00";
        a.Slot1Stop = "06:00";
        a.Delay = 30;
        a.Tue = 1;
        a.Thu = 1;
        a.Dtmf = "1#";
        RemoteNode& b = station.RemoteNodes[7];
        b.Node = "K1ABC";
        b.Daily = 1;
        b.Delay = 12;
        station.TxDelaySeconds = 1.5;
        dialog.reset(createNodeSkedsDialog([this] { return station; },
                                           [this](const Settings& s) {
                                               station = s;
                                               ++applies;
                                               return ApplyResult{};
                                           }));
        page = static_cast<NodeSkedsPage*>(dialog->pages().at(0));
    }
    template <class W>
    W* get(const char* name, int row) {
        auto* w = page->findChild<W*>(QString::fromLatin1(name) + QString::number(row));
        EXPECT_NE(w, nullptr) << name << row;
        return w;
    }

    Settings station;
    int applies = 0;
    std::unique_ptr<SetupDialog> dialog;
    NodeSkedsPage* page = nullptr;
};

TEST_F(NodeSkedsPageTest, ShowsEveryRowWithItsNamedControlsAndLabels) {
    EXPECT_EQ(dialog->windowTitle(), "Voxclock - Remote Node Setup");
    EXPECT_FALSE(dialog->isModal());
    dialog->open();
    for (int i = 0; i < 8; ++i)
        for (const char* name : {"tbRemoteNode", "tbSlot1Start", "tbSlot1Stop", "tbSlot2Start",
                                 "tbSlot2Stop", "tbSlot3Start", "tbSlot3Stop", "tbDelay", "tbDTMF"})
            get<QLineEdit>(name, i);
    for (int i = 0; i < 8; ++i)
        for (const char* name : {"cbAuto", "cbAllWeek", "cbMonday", "cbTuesday", "cbWednesday",
                                 "cbThursday", "cbFriday", "cbSaturday", "cbSunday"})
            get<QCheckBox>(name, i);
    QStringList labels;
    for (const QLabel* l : page->findChildren<QLabel*>())
        labels << l->text();
    for (const char* text :
         {"Node Call", "Auto", "Start 1", "Stop 3", "Delay", "Daily", "Mon", "Sun", "DTMF"})
        EXPECT_TRUE(labels.contains(QString::fromLatin1(text))) << text;

    EXPECT_EQ(get<QLineEdit>("tbRemoteNode", 0)->text(), "W1AW-L");
    EXPECT_TRUE(get<QCheckBox>("cbAuto", 0)->isChecked());
    EXPECT_EQ(get<QLineEdit>("tbSlot1Stop", 0)->text(), "06:00");
    EXPECT_EQ(get<QLineEdit>("tbDelay", 0)->text(), "30");
    EXPECT_FALSE(get<QCheckBox>("cbAllWeek", 0)->isChecked());
    EXPECT_TRUE(get<QCheckBox>("cbTuesday", 0)->isChecked());
    EXPECT_TRUE(get<QCheckBox>("cbThursday", 0)->isChecked());
    EXPECT_EQ(get<QLineEdit>("tbDTMF", 0)->text(), "1#");
    // An entry with no day at all shows Daily.
    EXPECT_TRUE(get<QCheckBox>("cbAllWeek", 3)->isChecked());
}

TEST_F(NodeSkedsPageTest, ClicksFollowTheDayRule) {
    dialog->open();
    get<QCheckBox>("cbAllWeek", 0)->click();
    EXPECT_TRUE(get<QCheckBox>("cbAllWeek", 0)->isChecked());
    EXPECT_FALSE(get<QCheckBox>("cbTuesday", 0)->isChecked());
    EXPECT_FALSE(get<QCheckBox>("cbThursday", 0)->isChecked());

    get<QCheckBox>("cbSunday", 0)->click();
    EXPECT_FALSE(get<QCheckBox>("cbAllWeek", 0)->isChecked());
    EXPECT_TRUE(get<QCheckBox>("cbSunday", 0)->isChecked());

    get<QCheckBox>("cbSunday", 0)->click();
    EXPECT_TRUE(get<QCheckBox>("cbAllWeek", 0)->isChecked()) << "no day left";

    // Another row is not touched.
    EXPECT_TRUE(get<QCheckBox>("cbAllWeek", 7)->isChecked());
    get<QCheckBox>("cbMonday", 7)->click();
    EXPECT_FALSE(get<QCheckBox>("cbAllWeek", 7)->isChecked());
    EXPECT_TRUE(get<QCheckBox>("cbAllWeek", 0)->isChecked());
}

TEST_F(NodeSkedsPageTest, OkStoresTheRowsByTheRulesAndCancelStoresNothing) {
    dialog->open();
    get<QLineEdit>("tbRemoteNode", 2)->setText("n2xyz-r ");
    get<QCheckBox>("cbAuto", 2)->click();
    get<QLineEdit>("tbSlot2Start", 2)->setText("7pm");
    get<QLineEdit>("tbDelay", 2)->setText("3");
    get<QCheckBox>("cbFriday", 2)->click();
    get<QLineEdit>("tbDTMF", 2)->setText(" 42# ");
    get<QLineEdit>("tbDelay", 7)->setText("12.6 s");

    dialog->reject();
    EXPECT_EQ(applies, 0);
    EXPECT_TRUE(station.RemoteNodes[2].Node.empty());

    dialog->open();
    EXPECT_EQ(get<QLineEdit>("tbRemoteNode", 2)->text(), "") << "reopened from the record";
    get<QLineEdit>("tbRemoteNode", 2)->setText("n2xyz-r ");
    get<QCheckBox>("cbAuto", 2)->click();
    get<QLineEdit>("tbSlot2Start", 2)->setText("7pm");
    get<QLineEdit>("tbDelay", 2)->setText("3");
    get<QCheckBox>("cbFriday", 2)->click();
    get<QLineEdit>("tbDTMF", 2)->setText(" 42# ");
    get<QLineEdit>("tbDelay", 7)->setText("12.6 s");
    const Settings before = station;
    ASSERT_TRUE(dialog->applyPages());
    EXPECT_EQ(applies, 1);

    const RemoteNode& n = station.RemoteNodes[2];
    EXPECT_EQ(n.Node, "N2XYZ-R ");
    EXPECT_EQ(n.Auto, 1);
    EXPECT_EQ(n.Slot2Start, "7pm");
    EXPECT_EQ(n.Delay, 10);
    EXPECT_EQ(n.Daily, 0);
    EXPECT_EQ(n.Fri, 1);
    EXPECT_EQ(n.Dtmf, "42#");
    EXPECT_EQ(station.RemoteNodes[7].Delay, 13);
    // Rows left alone come back as they were, apart from Delay's floor of 10.
    EXPECT_EQ(station.RemoteNodes[0], before.RemoteNodes[0]);
    RemoteNode untouched = before.RemoteNodes[4];
    untouched.Delay = 10;
    untouched.Daily = 1;
    EXPECT_EQ(station.RemoteNodes[4], untouched);
    EXPECT_EQ(station.TxDelaySeconds, 1.5) << "other settings kept";
}

TEST(NodeSkedsMenu, TheRemoteNodesItemOpensItsDialog) {
    FrontPanel panel;
    MainWindowActions actions;
    std::vector<QString> opened;
    actions.dialogs["mnuSetupRemoteNodes"] = [&] { opened.push_back("frmNodeSkeds"); };
    MainWindow window(panel, actions, true);
    window.menuAction("mnuSetupRemoteNodes")->trigger();
    EXPECT_EQ(opened, (std::vector<QString>{"frmNodeSkeds"}));
}

}  // namespace
}  // namespace vox

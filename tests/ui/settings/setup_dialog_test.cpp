#include "ui/settings/setup_dialog.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include "ui/settings/setup_page.h"

namespace vox {
namespace {

// A page over one text setting; it refuses an empty call.
class CallPage : public SetupPage {
public:
    CallPage() : edit(new QLineEdit(this)) {}
    QString title() const override { return QStringLiteral("Call"); }
    void load(const Settings& s) override { edit->setText(QString::fromStdString(s.WxNodeCall)); }
    bool save(Settings& s, QString* problem) const override {
        if (edit->text().isEmpty()) {
            *problem = QStringLiteral("The call is empty");
            return false;
        }
        s.WxNodeCall = edit->text().toStdString();
        return true;
    }
    QLineEdit* edit;
};

class SetupDialogTest : public ::testing::Test {
protected:
    SetupDialogTest()
        : dialog(
              QStringLiteral("Test"), [this] { return station; },
              [this](const Settings& s) {
                  ++applies;
                  if (refuseApply)
                      return ApplyResult{false, "cannot write"};
                  station = s;
                  return ApplyResult{};
              }) {
        station.WxNodeCall = "N0CALL";
        station.TxDelaySeconds = 1.5;
        page = new CallPage;
        dialog.addPage(page);
    }

    Settings station;
    int applies = 0;
    bool refuseApply = false;
    SetupDialog dialog;
    CallPage* page;
};

TEST_F(SetupDialogTest, OkAppliesACopyWithThePagesChangesAndLeavesTheRestAlone) {
    dialog.open();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(page->edit->text(), "N0CALL");
    page->edit->setText("W1AW");
    // Something else changes the record while the dialog is open: OK must not undo it.
    station.TxDelaySeconds = 2.0;
    EXPECT_TRUE(dialog.applyPages());
    EXPECT_EQ(applies, 1);
    EXPECT_EQ(station.WxNodeCall, "W1AW");
    EXPECT_EQ(station.TxDelaySeconds, 2.0);
}

TEST_F(SetupDialogTest, CancelChangesNothingAndReopeningShowsTheRecord) {
    dialog.open();
    page->edit->setText("W1AW");
    dialog.reject();
    EXPECT_EQ(applies, 0);
    EXPECT_EQ(station.WxNodeCall, "N0CALL");

    // Reopening shows the record again, not what was typed before Cancel.
    dialog.open();
    EXPECT_EQ(page->edit->text(), "N0CALL");
}

}  // namespace
}  // namespace vox

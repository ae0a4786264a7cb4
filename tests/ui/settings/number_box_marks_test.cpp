// A number box that does not hold a number says so while the owner types, and OK notes in the
// event log what was stored instead; the stored value follows the usual rule.
#include <QLineEdit>
#include <memory>

#include <gtest/gtest.h>

#include "tests/ui/widget_helpers.h"
#include "ui/settings/timing_page.h"
#include "ui/weather/wx_setup_page.h"

namespace vox {
namespace {

TEST(NumberBoxMarks, MarkWhileTypingAndLogOneLinePerSlipOnOk) {
    Settings stored;
    std::vector<std::string> logged;
    std::unique_ptr<SetupDialog> dialog(createTimingDialog([&stored] { return stored; },
                                                           [&stored](const Settings& s) {
                                                               stored = s;
                                                               return ApplyResult{};
                                                           },
                                                           {}));
    dialog->setLog([&logged](const std::string& line) { logged.push_back(line); });
    dialog->open();
    auto* minutes = named<QLineEdit>(dialog.get(), "tbCWMinutes");

    struct Case {
        const char* typed;
        bool marked;
        const char* tip;
    };
    const Case cases[] = {
        {"10", false, ""},
        {"abc", true, "Not a number: OK stores 0"},
        {"12 min", true, "Not a number: OK stores 12"},
        {"", true, "Not a number: OK stores 0"},
        {" 7 ", false, ""},
    };
    for (const Case& c : cases) {
        minutes->setText(QString::fromLatin1(c.typed));
        EXPECT_EQ(minutes->property("notANumber").toBool(), c.marked) << c.typed;
        EXPECT_EQ(minutes->toolTip().toStdString(), c.tip) << c.typed;
    }

    minutes->setText("abc");
    named<QLineEdit>(dialog.get(), "tbFan")->setText("3");
    ASSERT_TRUE(dialog->applyPages());
    EXPECT_EQ(stored.CwIdMinutes, 0) << "the stored value is the rule's, as before";
    EXPECT_EQ(logged, std::vector<std::string>{"CW ID minutes: \"abc\" is not a number, 0 stored"});

    // Nothing to say about numbers.
    logged.clear();
    minutes->setText("10");
    ASSERT_TRUE(dialog->applyPages());
    EXPECT_TRUE(logged.empty());
}

}  // namespace
}  // namespace vox

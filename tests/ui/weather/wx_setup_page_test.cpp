// The weather setup page, offscreen: it shows the settings, and OK stores what the owner changed
// by the core's rules, with the warnings shown and nothing stored on Cancel.
#include "ui/weather/wx_setup_page.h"
#include "tests/support/temp_folder.h"
#include "ui/mnemonics.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <filesystem>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

namespace vox {
namespace {

class WxSetupPageTest : public ::testing::Test {
protected:
    WxSetupPageTest() : folder{dir.path} {
        std::filesystem::create_directories(folder.path + "/wxex/csv");
        std::ofstream(folder.path + "/wxex/csv/data.csv") << "1,2\r\n";
        std::filesystem::create_directories(folder.path + "/vws");
        std::ofstream(folder.path + "/vws/daily.txt") << "15:45 250\r\n";
        station.WxArea = "Boston Harbor";
        station.WxIsMetric = 1;
        station.WxStationType = 2;
        station.LocalWxFile = folder.path + "/vws/";
        dialog.reset(createWxSetupDialog(
            [this] { return station; },
            [this](const Settings& s) {
                station = s;
                ++applies;
                return ApplyResult{};
            },
            folder.path, nullptr, [this](const WxSetupMessage& m) { shown.push_back(m.text); }));
        page = static_cast<WxSetupPage*>(dialog->pages().at(0));
    }
    template <class W>
    W* get(const char* name) {
        auto* w = page->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    TempFolder dir;
    struct {
        std::string path;
    } folder;
    Settings station;
    int applies = 0;
    std::vector<std::string> shown;
    std::unique_ptr<SetupDialog> dialog;
    WxSetupPage* page = nullptr;
};

TEST_F(WxSetupPageTest, LoadsTheSettingsIntoItsNamedControls) {
    EXPECT_EQ(dialog->windowTitle(), "WX Setup");
    EXPECT_EQ(dialog->objectName(), "frmWxSetup");
    dialog->open();
    EXPECT_EQ(get<QLineEdit>("tbWxURL")->text(), "c:\\program files\\wxex\\");
    EXPECT_EQ(get<QLineEdit>("tbWxArea")->text(), "Boston Harbor");
    EXPECT_EQ(get<QLineEdit>("tbWxNodeCall")->text(), "Your Call Phonetically For Weather");
    EXPECT_TRUE(get<QCheckBox>("cbWxIsMetric")->isChecked());
    EXPECT_TRUE(get<QCheckBox>("cbWxDTMF")->isChecked());
    EXPECT_FALSE(get<QCheckBox>("cbWxWarn")->isChecked());
    EXPECT_EQ(get<QLineEdit>("tbWarnMinutes")->text(), "20");
    EXPECT_TRUE(get<QRadioButton>("Option2")->isChecked());
    EXPECT_EQ(shownCaption(get<QRadioButton>("Option1")->text()), "WM-918 and FreeWX");
    EXPECT_EQ(get<QLineEdit>("tbLocalWxFile")->text().toStdString(), folder.path + "/vws/");
    QStringList labels;
    for (const QLabel* l : page->findChildren<QLabel*>())
        labels << shownCaption(l->text());
    EXPECT_TRUE(labels.contains("TTS Area Name:"));
    EXPECT_TRUE(labels.contains("minutes."));
}

TEST_F(WxSetupPageTest, OkStoresTheChangesWithItsWarningsAndCancelStoresNothing) {
    dialog->open();
    get<QLineEdit>("tbWxArea")->setText("Cape Cod");
    dialog->reject();
    EXPECT_EQ(applies, 0);
    EXPECT_EQ(station.WxArea, "Boston Harbor");

    dialog->open();
    EXPECT_EQ(get<QLineEdit>("tbWxArea")->text(), "Boston Harbor") << "reloaded";
    get<QLineEdit>("tbWxURL")->setText(" wxex ");
    get<QLineEdit>("tbWxArea")->setText(" Cape Cod ");
    get<QCheckBox>("cbWxIsMetric")->click();
    get<QCheckBox>("cbWxWarn")->click();
    get<QLineEdit>("tbWarnMinutes")->setText("15.5");
    get<QRadioButton>("Option1")->click();
    EXPECT_FALSE(get<QRadioButton>("Option2")->isChecked());
    ASSERT_TRUE(dialog->applyPages());
    EXPECT_EQ(applies, 1);
    EXPECT_EQ(station.WxUrl, "wxex/");
    EXPECT_EQ(station.WxArea, "Cape Cod");
    EXPECT_EQ(station.WxIsMetric, 0);
    EXPECT_EQ(station.WxWarnEnabled, 1);
    EXPECT_EQ(station.WxWarnMinutes, 16);
    EXPECT_EQ(station.WxStationType, 1);
    EXPECT_EQ(shown, std::vector<std::string>{kFreeWxLogMissing});

    // A station folder on a drive cannot be checked: the page refuses, with the message.
    dialog->open();
    get<QLineEdit>("tbLocalWxFile")->setText("e:\\weather");
    Settings copy = station;
    QString problem;
    EXPECT_FALSE(page->save(copy, &problem));
    EXPECT_EQ(problem.toStdString(), kStationFolderUnusable);
}

}  // namespace
}  // namespace vox

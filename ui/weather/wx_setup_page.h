#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/weather/wx_setup_rules.h"
#include "ui/settings/number_box_marks.h"
#include "ui/settings/setup_dialog.h"
#include "ui/settings/setup_page.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace vox {

// frmWxSetup: where Weather Exchange and the home weather station keep their files, the names
// spoken in weather reports, units, the forecast hint and the alert period. The OK rules and the
// folder checks are the core's (wx_setup_rules); the page moves values in and out and shows the
// warnings. Controls carry the names of the fields ("tbWxURL", "cbWxWarn", "Option2", ...).
class WxSetupPage : public SetupPage {
public:
    // Shows one OK warning; the default is a message box over the page.
    using ShowMessage = std::function<void(const WxSetupMessage&)>;

    // programRoot: the program folder, where a folder typed without a leading separator lies.
    explicit WxSetupPage(std::string programRoot, QWidget* parent = nullptr,
                         ShowMessage showMessage = {});

    QString title() const override;
    void load(const Settings& settings) override;
    // Warnings are shown and the values saved; a station folder that cannot be checked at all
    // keeps the dialog open (its message is the problem).
    bool save(Settings& settings, QString* problem) const override;

    std::vector<std::string> slipLines() const override { return marks_.slipLines(); }

    WxSetupValues values() const;

private:
    std::string programRoot_;
    ShowMessage showMessage_;
    NumberBoxMarks marks_;
    QLineEdit* wxUrl_ = nullptr;
    QLineEdit* area_ = nullptr;
    QLineEdit* nodeCall_ = nullptr;
    QCheckBox* metric_ = nullptr;
    QCheckBox* forecastHint_ = nullptr;
    QCheckBox* warn_ = nullptr;
    QLineEdit* warnMinutes_ = nullptr;
    std::array<QRadioButton*, 4> stationTypes_{};
    QLineEdit* localWxFile_ = nullptr;
};

inline constexpr const char* kWxSetupCaption = "WX Setup";

// The dialog with its one page; OK hands the changed record to `apply`.
SetupDialog* createWxSetupDialog(SetupDialog::Current current, SetupDialog::Apply apply,
                                 std::string programRoot, QWidget* parent = nullptr,
                                 WxSetupPage::ShowMessage showMessage = {});

}  // namespace vox

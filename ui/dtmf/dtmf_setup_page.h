#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/settings/setup_dialog.h"
#include "ui/settings/setup_page.h"

class QCheckBox;
class QLineEdit;

namespace vox {

// frmDTMFSetup: the seventeen command codes and the three permission switches. The boxes carry
// the names of their fields ("tbDTMFPlayTime", "cbRSGB", ...); the save rule (trim, upper case)
// is the core's, so the page only moves text in and out.
// Why a code cannot reach us through the node (SvxLink); empty when it can.
using DtmfCodeRefusal = std::function<std::string(const std::string& code)>;

class DtmfSetupPage : public SetupPage {
public:
    explicit DtmfSetupPage(QWidget* parent = nullptr, DtmfCodeRefusal refuse = {});

    QString title() const override;
    void load(const Settings& settings) override;
    bool save(Settings& settings, QString* problem) const override;

private:
    std::vector<QLineEdit*> codes_;     // in the order of dtmfCodeFields()
    std::vector<QCheckBox*> switches_;  // in the order of dtmfSwitchFields()
    DtmfCodeRefusal refuse_;
};

inline constexpr const char* kDtmfSetupCaption = "Voxclock - DTMF Setup";

// The dialog with its one page; OK hands the changed record to `apply`.
SetupDialog* createDtmfSetupDialog(SetupDialog::Current current, SetupDialog::Apply apply,
                                   QWidget* parent = nullptr, DtmfCodeRefusal refuse = {});

}  // namespace vox

#pragma once

#include "ui/settings/number_box_marks.h"
#include "ui/settings/setup_dialog.h"
#include "ui/settings/setup_page.h"
#include "ui/settings/store_now.h"

class QCheckBox;
class QLineEdit;

namespace vox {

// frmTiming: transmit delay, identification, fan, reminders and the recording limit. The number
// rules are the core's; a click on cbID stores at once.
class TimingPage : public SetupPage {
public:
    explicit TimingPage(StoreNow storeNow, QWidget* parent = nullptr);

    QString title() const override;
    void load(const Settings& settings) override;
    bool save(Settings& settings, QString* problem) const override;
    std::vector<std::string> slipLines() const override { return marks_.slipLines(); }

private:
    StoreNow storeNow_;
    NumberBoxMarks marks_;
    QLineEdit *tbTXdelay_, *tbCWMinutes_, *tbFan_, *tbActiveMinutes_, *tbBusyMinutes_,
        *tbRecordMax_;
    QCheckBox *cbCWID_, *cbID_, *cbVoiceID_, *cbIDisPassive_, *cbBurst_, *cbActive_, *cbBusy_,
        *cbTimeAfterConn_;
};

SetupDialog* createTimingDialog(SetupDialog::Current current, SetupDialog::Apply apply,
                                StoreNow storeNow, QWidget* parent = nullptr);

}  // namespace vox

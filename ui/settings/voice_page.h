#pragma once

#include <functional>

#include "ui/settings/setup_dialog.h"
#include "ui/settings/setup_page.h"
#include "ui/settings/store_now.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace vox {

// frmVoiceSetup: announcements, the voice type, the speed and quiet time. The voice-type boxes
// store at the click; OK tells the owner what the remote connect notices do.
class VoicePage : public SetupPage {
public:
    // Shows the information message; the default is a message box over the page.
    using ShowMessage = std::function<void(const QString& text)>;

    VoicePage(StoreNow storeNow, ShowMessage showMessage = {}, QWidget* parent = nullptr);

    QString title() const override;
    void load(const Settings& settings) override;
    bool save(Settings& settings, QString* problem) const override;

private:
    void voiceTypeClicked(bool att, bool nowTicked);

    StoreNow storeNow_;
    ShowMessage showMessage_;
    QCheckBox *cbGoodBeforeTTS_, *cbTTSConn_, *cbSkipIfBusy_, *cbTTSRemote_, *cbTTSText_,
        *cbTTSFullText_, *cbTTSTime24_, *cbVoiceTypeATT_, *cbVoiceTypeNeo_, *cbNodeOffIfQuiet_;
    QComboBox* SpeedBox_;
    QLineEdit *tbQuietStart_, *tbQuietStop_;
};

SetupDialog* createVoiceDialog(SetupDialog::Current current, SetupDialog::Apply apply,
                               StoreNow storeNow, QWidget* parent = nullptr,
                               VoicePage::ShowMessage showMessage = {});

}  // namespace vox

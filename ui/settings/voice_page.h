#pragma once

#include <functional>
#include <vector>

#include "core/base/voice_choice.h"

#include "ui/settings/setup_dialog.h"
#include "ui/settings/setup_page.h"
#include "ui/settings/store_now.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace vox {

// The speech engine and voice, which live in voxclock.conf rather than the settings: the lists,
// what OK does with the choice, and the "Test" button (a sample on the chosen output, with the
// transmitter left alone). No engines: the lists are not shown.
struct VoiceEngineHooks {
    std::vector<EngineVoices> engines;
    std::function<VoiceChoice()> current;
    std::function<void(const VoiceChoice&)> choose;
    std::function<void(const VoiceChoice&, int rate)> test;
};

// frmVoiceSetup: announcements, the voice type, the speed and quiet time, and the engine and
// voice. The voice-type boxes store at the click; OK tells the owner what the remote connect
// notices do.
class VoicePage : public SetupPage {
public:
    // Shows the information message; the default is a message box over the page.
    using ShowMessage = std::function<void(const QString& text)>;

    VoicePage(StoreNow storeNow, ShowMessage showMessage = {}, QWidget* parent = nullptr,
              VoiceEngineHooks engines = {});

    QString title() const override;
    void load(const Settings& settings) override;
    bool save(Settings& settings, QString* problem) const override;

private:
    void voiceTypeClicked(bool att, bool nowTicked);
    void fillVoices(int engine, int voice);
    VoiceChoice selectedVoice() const;

    StoreNow storeNow_;
    ShowMessage showMessage_;
    QCheckBox *cbGoodBeforeTTS_, *cbTTSConn_, *cbSkipIfBusy_, *cbTTSRemote_, *cbTTSText_,
        *cbTTSFullText_, *cbTTSTime24_, *cbVoiceTypeATT_, *cbVoiceTypeNeo_, *cbNodeOffIfQuiet_;
    QComboBox* SpeedBox_;
    VoiceEngineHooks engines_;
    QComboBox *cbEngine_ = nullptr, *cbVoiceName_ = nullptr;
    QPushButton* cmdTest_ = nullptr;
    QLineEdit *tbQuietStart_, *tbQuietStop_;
};

SetupDialog* createVoiceDialog(SetupDialog::Current current, SetupDialog::Apply apply,
                               StoreNow storeNow, QWidget* parent = nullptr,
                               VoicePage::ShowMessage showMessage = {},
                               VoiceEngineHooks engines = {});

}  // namespace vox

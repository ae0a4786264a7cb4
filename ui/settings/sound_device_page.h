#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/settings/setup_dialog.h"
#include "ui/settings/setup_page.h"

class QComboBox;
class QLabel;

namespace vox {

// frmSndCardSetup: the voice's outputs in the voice's order; OK switches to the chosen one.
class SoundDevicePage : public SetupPage {
public:
    // The voice's outputs; may throw, which leaves the list empty.
    using Outputs = std::function<std::vector<std::string>()>;

    explicit SoundDevicePage(Outputs outputs, QWidget* parent = nullptr);

    QString title() const override;
    void load(const Settings& settings) override;
    bool save(Settings& settings, QString* problem) const override;

private:
    Outputs outputs_;
    QComboBox* Combo1_;
    QLabel* note_;
};

SetupDialog* createSoundDeviceDialog(SetupDialog::Current current, SetupDialog::Apply apply,
                                     SoundDevicePage::Outputs outputs, QWidget* parent = nullptr);

}  // namespace vox

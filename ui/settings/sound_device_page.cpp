#include "ui/settings/sound_device_page.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

#include "core/settings/sound_device_setup.h"

namespace vox {

SoundDevicePage::SoundDevicePage(Outputs outputs, QWidget* parent)
    : SetupPage(parent), outputs_(std::move(outputs)) {
    Combo1_ = new QComboBox(this);
    Combo1_->setObjectName(QStringLiteral("Combo1"));
    Combo1_->setMinimumWidth(280);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("lblDeviceGone"));
    note_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Combo1_);
    layout->addWidget(note_);
}

QString SoundDevicePage::title() const {
    return QStringLiteral("Sound Device");
}

void SoundDevicePage::load(const Settings& settings) {
    std::vector<std::string> outputs;
    try {
        if (outputs_)
            outputs = outputs_();
    } catch (...) {
        // An engine that cannot list its outputs leaves the list empty.
    }
    const SoundDeviceList list = loadSoundDevice(outputs, settings);
    Combo1_->clear();
    for (const std::string& entry : list.entries)
        Combo1_->addItem(QString::fromStdString(entry));
    Combo1_->setCurrentIndex(list.selected);
    note_->setText(QString::fromStdString(list.note));
    note_->setVisible(!list.note.empty());
}

bool SoundDevicePage::save(Settings& settings, QString*) const {
    saveSoundDevice(Combo1_->currentIndex(), settings);
    return true;
}

SetupDialog* createSoundDeviceDialog(SetupDialog::Current current, SetupDialog::Apply apply,
                                     SoundDevicePage::Outputs outputs, QWidget* parent) {
    auto* dialog = new SetupDialog(QString::fromLatin1(kSoundDeviceCaption), std::move(current),
                                   std::move(apply), parent);
    dialog->setObjectName(QStringLiteral("frmSndCardSetup"));
    dialog->addPage(new SoundDevicePage(std::move(outputs), dialog));
    return dialog;
}

}  // namespace vox

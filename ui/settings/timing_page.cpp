#include "ui/settings/timing_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "core/settings/timing_setup.h"

namespace vox {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QLineEdit* numberBox(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(60);
    return edit;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

}  // namespace

TimingPage::TimingPage(StoreNow storeNow, QWidget* parent)
    : SetupPage(parent), storeNow_(std::move(storeNow)) {
    tbTXdelay_ = numberBox(this, "tbTXdelay");
    tbCWMinutes_ = numberBox(this, "tbCWMinutes");
    tbFan_ = numberBox(this, "tbFan");
    tbActiveMinutes_ = numberBox(this, "tbActiveMinutes");
    tbBusyMinutes_ = numberBox(this, "tbBusyMinutes");
    tbRecordMax_ = numberBox(this, "tbRecordMax");
    cbCWID_ = checkBox(this, "cbCWID", "CW ID every ");
    cbID_ = checkBox(this, "cbID", "CW ID After Time");
    cbVoiceID_ = checkBox(this, "cbVoiceID", "Voice ID After Time");
    cbIDisPassive_ = checkBox(this, "cbIDisPassive", "CW ID is Passive");
    cbBurst_ = checkBox(this, "cbBurst", "Send Tone Burst");
    cbActive_ = checkBox(this, "cbActive", "Activity reminder ");
    cbBusy_ = checkBox(this, "cbBusy", "Busy reminder ");
    cbTimeAfterConn_ = checkBox(this, "cbTimeAfterConn", "Time After CONN/DISC");

    auto* grid = new QGridLayout(this);
    int row = 0;
    auto line = [&](QWidget* first, QLineEdit* box, const char* after) {
        grid->addWidget(first, row, 0);
        grid->addWidget(box, row, 1);
        if (after)
            grid->addWidget(new QLabel(QString::fromLatin1(after), this), row, 2);
        ++row;
    };
    auto label = [this](const char* text, QLineEdit* buddy) {
        auto* l = new QLabel(QString::fromLatin1(text), this);
        l->setBuddy(buddy);
        return l;
    };
    auto alone = [&](QCheckBox* box) { grid->addWidget(box, row++, 0, 1, 3); };
    line(label("TX on for ", tbTXdelay_), tbTXdelay_, "seconds before voice.");
    line(cbCWID_, tbCWMinutes_, "minutes.");
    alone(cbID_);
    alone(cbVoiceID_);
    alone(cbIDisPassive_);
    alone(cbBurst_);
    line(label("Fan for ", tbFan_), tbFan_, "minutes after TX.");
    line(cbActive_, tbActiveMinutes_, "minutes.");
    line(cbBusy_, tbBusyMinutes_, "minutes.");
    alone(cbTimeAfterConn_);
    line(label("Record MAX (min)", tbRecordMax_), tbRecordMax_, nullptr);

    marks_.watch(tbTXdelay_, NumberBoxKind::Real, "TX delay seconds");
    marks_.watch(tbCWMinutes_, NumberBoxKind::Whole, "CW ID minutes");
    marks_.watch(tbFan_, NumberBoxKind::Whole, "Fan minutes");
    marks_.watch(tbActiveMinutes_, NumberBoxKind::Whole, "Activity reminder minutes");
    marks_.watch(tbBusyMinutes_, NumberBoxKind::Whole, "Busy reminder minutes");
    marks_.watch(tbRecordMax_, NumberBoxKind::Whole, "Record MAX minutes");

    // The one change that Cancel does not undo.
    QObject::connect(cbID_, &QCheckBox::clicked, this, [this](bool on) {
        if (storeNow_)
            storeNow_([on](Settings& s) { s.CwIdAfterTime = on ? 1 : 0; });
    });
}

QString TimingPage::title() const {
    return QStringLiteral("Timing and ID");
}

void TimingPage::load(const Settings& settings) {
    const TimingSetupValues v = loadTimingSetup(settings);
    tbTXdelay_->setText(q(v.txDelay));
    cbCWID_->setChecked(v.cwId);
    tbCWMinutes_->setText(q(v.cwMinutes));
    cbID_->setChecked(v.idAfterTime);
    cbVoiceID_->setChecked(v.voiceIdAfterTime);
    cbIDisPassive_->setChecked(v.idPassive);
    cbBurst_->setChecked(v.toneBurst);
    tbFan_->setText(q(v.fanMinutes));
    cbActive_->setChecked(v.activeReminder);
    tbActiveMinutes_->setText(q(v.activeMinutes));
    cbBusy_->setChecked(v.busyReminder);
    tbBusyMinutes_->setText(q(v.busyMinutes));
    cbTimeAfterConn_->setChecked(v.timeAfterConnDisc);
    tbRecordMax_->setText(q(v.recordMax));
}

bool TimingPage::save(Settings& settings, QString*) const {
    TimingSetupValues v;
    v.txDelay = tbTXdelay_->text().toStdString();
    v.cwId = cbCWID_->isChecked();
    v.cwMinutes = tbCWMinutes_->text().toStdString();
    v.idAfterTime = cbID_->isChecked();
    v.voiceIdAfterTime = cbVoiceID_->isChecked();
    v.idPassive = cbIDisPassive_->isChecked();
    v.toneBurst = cbBurst_->isChecked();
    v.fanMinutes = tbFan_->text().toStdString();
    v.activeReminder = cbActive_->isChecked();
    v.activeMinutes = tbActiveMinutes_->text().toStdString();
    v.busyReminder = cbBusy_->isChecked();
    v.busyMinutes = tbBusyMinutes_->text().toStdString();
    v.timeAfterConnDisc = cbTimeAfterConn_->isChecked();
    v.recordMax = tbRecordMax_->text().toStdString();
    saveTimingSetup(v, settings);
    return true;
}

SetupDialog* createTimingDialog(SetupDialog::Current current, SetupDialog::Apply apply,
                                StoreNow storeNow, QWidget* parent) {
    auto* dialog = new SetupDialog(QString::fromLatin1(kTimingCaption), std::move(current),
                                   std::move(apply), parent);
    dialog->setObjectName(QStringLiteral("frmTiming"));
    dialog->addPage(new TimingPage(std::move(storeNow), dialog));
    return dialog;
}

}  // namespace vox

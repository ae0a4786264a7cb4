#include "dtmf/dtmf_setup_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "dtmf/dtmf_codes.h"

namespace vox {

DtmfSetupPage::DtmfSetupPage(QWidget* parent) : SetupPage(parent) {
    auto* grid = new QGridLayout(this);
    int line = 0;
    for (const DtmfCodeField& field : dtmfCodeFields()) {
        auto* label = new QLabel(QString::fromLatin1(field.label), this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(field.box));
        edit->setFixedWidth(80);
        label->setBuddy(edit);
        grid->addWidget(label, line, 0);
        grid->addWidget(edit, line, 1);
        codes_.push_back(edit);
        ++line;
    }
    for (const DtmfSwitchField& field : dtmfSwitchFields()) {
        auto* box = new QCheckBox(QString::fromLatin1(field.caption), this);
        box->setObjectName(QString::fromLatin1(field.box));
        grid->addWidget(box, line++, 0, 1, 2);
        switches_.push_back(box);
    }
}

QString DtmfSetupPage::title() const {
    return QStringLiteral("DTMF Cmds");
}

void DtmfSetupPage::load(const Settings& settings) {
    const DtmfSetupValues values = loadDtmfSetup(settings);
    for (std::size_t i = 0; i < codes_.size() && i < values.codes.size(); ++i)
        codes_[i]->setText(QString::fromStdString(values.codes[i]));
    for (std::size_t i = 0; i < switches_.size() && i < values.switches.size(); ++i)
        switches_[i]->setChecked(values.switches[i]);
}

bool DtmfSetupPage::save(Settings& settings, QString*) const {
    // No code is refused: an empty box switches its command off, and a shared code is settled by
    // the dispatch order.
    DtmfSetupValues values;
    for (const QLineEdit* edit : codes_)
        values.codes.push_back(edit->text().toStdString());
    for (const QCheckBox* box : switches_)
        values.switches.push_back(box->isChecked());
    saveDtmfSetup(values, settings);
    return true;
}

SetupDialog* createDtmfSetupDialog(SetupDialog::Current current, SetupDialog::Apply apply,
                                   QWidget* parent) {
    auto* dialog = new SetupDialog(QString::fromLatin1(kDtmfSetupCaption), std::move(current),
                                   std::move(apply), parent);
    dialog->setObjectName(QStringLiteral("frmDTMFSetup"));
    dialog->addPage(new DtmfSetupPage(dialog));
    return dialog;
}

}  // namespace vox

#include "ui/dtmf/dtmf_setup_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "core/dtmf/dtmf_codes.h"

namespace vox {

DtmfSetupPage::DtmfSetupPage(QWidget* parent, DtmfCodeRefusal refuse)
    : SetupPage(parent), refuse_(std::move(refuse)) {
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

bool DtmfSetupPage::save(Settings& settings, QString* problem) const {
    // An empty box switches its command off, and a shared code is settled by the dispatch order;
    // only a code the node cannot carry to us whole is refused.
    DtmfSetupValues values;
    const auto& fields = dtmfCodeFields();
    for (std::size_t i = 0; i < codes_.size(); ++i) {
        const std::string code = normalizeDtmfCode(codes_[i]->text().toStdString());
        if (refuse_ && !code.empty()) {
            if (const std::string why = refuse_(code); !why.empty()) {
                if (problem)
                    *problem = QString::fromStdString(std::string(fields[i].label) + ": '" + code +
                                                      "' cannot be used on SvxLink: " + why + ".");
                codes_[i]->setFocus();
                return false;
            }
        }
        values.codes.push_back(codes_[i]->text().toStdString());
    }
    for (const QCheckBox* box : switches_)
        values.switches.push_back(box->isChecked());
    saveDtmfSetup(values, settings);
    return true;
}

SetupDialog* createDtmfSetupDialog(SetupDialog::Current current, SetupDialog::Apply apply,
                                   QWidget* parent, DtmfCodeRefusal refuse) {
    auto* dialog = new SetupDialog(QString::fromLatin1(kDtmfSetupCaption), std::move(current),
                                   std::move(apply), parent);
    dialog->setObjectName(QStringLiteral("frmDTMFSetup"));
    dialog->addPage(new DtmfSetupPage(dialog, std::move(refuse)));
    return dialog;
}

}  // namespace vox

#include "ui/weather/wx_setup_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/message_boxes.h"

namespace vox {

namespace {

const char* const kStationCaptions[] = {
    "Davis Monitor II and VWS",
    "WM-918 and FreeWX",
    "Davis Vantage Pro and VWS Internet Edition",
    "Lacrosse 2310 and VWS",
};

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QLineEdit* labelledEdit(QWidget* parent, QVBoxLayout* layout, const char* label, const char* name) {
    auto* text = new QLabel(QString::fromLatin1(label), parent);
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    text->setBuddy(edit);
    layout->addWidget(text);
    layout->addWidget(edit);
    return edit;
}

QCheckBox* checkBox(QWidget* parent, const char* caption, const char* name) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

}  // namespace

WxSetupPage::WxSetupPage(std::string programRoot, QWidget* parent, ShowMessage showMessage)
    : SetupPage(parent),
      programRoot_(std::move(programRoot)),
      showMessage_(std::move(showMessage)) {
    if (!showMessage_)
        showMessage_ = [this](const WxSetupMessage& m) {
            openMessageBox(window(),
                           m.informationIcon ? QMessageBox::Information : QMessageBox::NoIcon,
                           QStringLiteral("Voxclock TTS"), q(m.text));
        };
    auto* layout = new QVBoxLayout(this);

    auto* frame1 = new QGroupBox(QStringLiteral("Weather Setup"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* f1 = new QVBoxLayout(frame1);
    wxUrl_ = labelledEdit(
        frame1, f1, "Folder for Weather Exchange Files (c:\\program files\\wxex\\):", "tbWxURL");
    area_ = labelledEdit(frame1, f1, "TTS Area Name:", "tbWxArea");
    nodeCall_ = labelledEdit(frame1, f1, "TTS Node Call:", "tbWxNodeCall");
    metric_ = checkBox(frame1, "Metric: Use Celsius - Kilometers - Millibars for weather.",
                       "cbWxIsMetric");
    f1->addWidget(metric_);
    forecastHint_ =
        checkBox(frame1, "Use the WX Forecast DTMF code in current WX conditions.", "cbWxDTMF");
    f1->addWidget(forecastHint_);
    auto* warnRow = new QHBoxLayout;
    warn_ = checkBox(frame1, "Enable WX Warning Announcements every ", "cbWxWarn");
    warnMinutes_ = new QLineEdit(frame1);
    warnMinutes_->setObjectName(QStringLiteral("tbWarnMinutes"));
    warnMinutes_->setFixedWidth(50);
    marks_.watch(warnMinutes_, NumberBoxKind::Whole, "WX warning minutes");
    warnRow->addWidget(warn_);
    warnRow->addWidget(warnMinutes_);
    warnRow->addWidget(new QLabel(QStringLiteral("minutes."), frame1));
    warnRow->addStretch();
    f1->addLayout(warnRow);
    layout->addWidget(frame1);

    auto* frame2 = new QGroupBox(QStringLiteral("Home Weather Station Type/Software"), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto* f2 = new QVBoxLayout(frame2);
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(kStationCaptions[i]), frame2);
        option->setObjectName(QStringLiteral("Option%1").arg(i));
        group->addButton(option, i);
        f2->addWidget(option);
        stationTypes_[static_cast<std::size_t>(i)] = option;
    }
    localWxFile_ = labelledEdit(
        frame2, f2, "Folder for Weather Station Files (c:\\program files\\myweatherprogram\\):",
        "tbLocalWxFile");
    layout->addWidget(frame2);
}

QString WxSetupPage::title() const {
    return QString::fromLatin1(kWxSetupCaption);
}

void WxSetupPage::load(const Settings& settings) {
    const WxSetupValues v = loadWxSetup(settings);
    wxUrl_->setText(q(v.wxUrl));
    area_->setText(q(v.wxArea));
    nodeCall_->setText(q(v.wxNodeCall));
    metric_->setChecked(v.metric);
    forecastHint_->setChecked(v.forecastHint);
    warn_->setChecked(v.warnEnabled);
    warnMinutes_->setText(q(v.warnMinutes));
    localWxFile_->setText(q(v.localWxFile));
    // A type without an option button shows none chosen.
    QButtonGroup* group = stationTypes_[0]->group();
    group->setExclusive(false);
    for (std::size_t i = 0; i < stationTypes_.size(); ++i)
        stationTypes_[i]->setChecked(static_cast<int>(i) == v.stationType);
    group->setExclusive(true);
}

WxSetupValues WxSetupPage::values() const {
    WxSetupValues v;
    v.wxUrl = wxUrl_->text().toStdString();
    v.wxArea = area_->text().toStdString();
    v.wxNodeCall = nodeCall_->text().toStdString();
    v.metric = metric_->isChecked();
    v.forecastHint = forecastHint_->isChecked();
    v.warnEnabled = warn_->isChecked();
    v.warnMinutes = warnMinutes_->text().toStdString();
    v.localWxFile = localWxFile_->text().toStdString();
    for (std::size_t i = 0; i < stationTypes_.size(); ++i)
        if (stationTypes_[i]->isChecked())
            v.stationType = static_cast<int>(i);
    return v;
}

bool WxSetupPage::save(Settings& settings, QString* problem) const {
    const WxSetupOutcome out = saveWxSetup(values(), settings, programRoot_);
    for (std::size_t i = 0; i < out.messages.size(); ++i) {
        // The message that keeps the dialog open is shown by the dialog itself.
        if (out.keepOpen && i + 1 == out.messages.size()) {
            if (problem)
                *problem = q(out.messages[i].text);
            return false;
        }
        showMessage_(out.messages[i]);
    }
    return !out.keepOpen;
}

SetupDialog* createWxSetupDialog(SetupDialog::Current current, SetupDialog::Apply apply,
                                 std::string programRoot, QWidget* parent,
                                 WxSetupPage::ShowMessage showMessage) {
    auto* dialog = new SetupDialog(QString::fromLatin1(kWxSetupCaption), std::move(current),
                                   std::move(apply), parent);
    dialog->setObjectName(QStringLiteral("frmWxSetup"));
    dialog->addPage(new WxSetupPage(std::move(programRoot), dialog, std::move(showMessage)));
    return dialog;
}

}  // namespace vox

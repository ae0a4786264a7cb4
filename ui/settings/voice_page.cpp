#include "ui/settings/voice_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/settings/voice_setup.h"
#include "ui/message_boxes.h"

namespace vox {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

}  // namespace

VoicePage::VoicePage(StoreNow storeNow, ShowMessage showMessage, QWidget* parent,
                     VoiceEngineHooks engines)
    : SetupPage(parent),
      storeNow_(std::move(storeNow)),
      showMessage_(std::move(showMessage)),
      engines_(std::move(engines)) {
    if (!showMessage_)
        showMessage_ = [this](const QString& text) {
            openMessageBox(window(), QMessageBox::Information, QString::fromLatin1(kVoiceCaption),
                           text);
        };
    cbGoodBeforeTTS_ = checkBox(this, "cbGoodBeforeTTS", "Use Preamble For TTS");
    cbTTSConn_ = checkBox(this, "cbTTSConn", "TTS for Local Conn/Disc");
    cbSkipIfBusy_ = checkBox(this, "cbSkipIfBusy", "Skip if Busy");
    cbTTSRemote_ = checkBox(this, "cbTTSRemote", "TTS for Remote Conn/Disc");
    cbTTSText_ = checkBox(this, "cbTTSText", "TTS Announce Chat Msg");
    cbTTSFullText_ = checkBox(this, "cbTTSFullText", "TTS Announce Full Chat Text");
    cbTTSTime24_ = checkBox(this, "cbTTSTime24", "TTS Time 24 Hour Format");
    // "&&" shows as one ampersand.
    cbVoiceTypeATT_ = checkBox(this, "cbVoiceTypeATT", "Optimize for AT&&T Natural Voice");
    cbVoiceTypeNeo_ = checkBox(this, "cbVoiceTypeNeo", "Optimize for NeoSpeech Voice");
    cbNodeOffIfQuiet_ = checkBox(this, "cbNodeOffIfQuiet", "Node OFF during Quiet Hours");
    SpeedBox_ = new QComboBox(this);
    SpeedBox_->setObjectName(QStringLiteral("SpeedBox"));
    for (const std::string& entry : speedEntries())
        SpeedBox_->addItem(q(entry));
    tbQuietStart_ = new QLineEdit(this);
    tbQuietStart_->setObjectName(QStringLiteral("tbQuietStart"));
    tbQuietStop_ = new QLineEdit(this);
    tbQuietStop_->setObjectName(QStringLiteral("tbQuietStop"));
    for (QLineEdit* e : {tbQuietStart_, tbQuietStop_}) {
        e->setFixedWidth(60);
        e->setPlaceholderText(QStringLiteral("hh:mm"));
    }

    auto* grid = new QGridLayout(this);
    int row = 0;
    for (QCheckBox* box : {cbGoodBeforeTTS_, cbTTSConn_, cbSkipIfBusy_, cbTTSRemote_, cbTTSText_,
                           cbTTSFullText_, cbTTSTime24_, cbVoiceTypeATT_, cbVoiceTypeNeo_})
        grid->addWidget(box, row++, 0, 1, 4);
    auto* speedLabel = new QLabel(QStringLiteral("TTS Voice Speed"), this);
    speedLabel->setBuddy(SpeedBox_);
    grid->addWidget(speedLabel, row, 0);
    grid->addWidget(SpeedBox_, row++, 1);
    auto* quietLabel = new QLabel(QStringLiteral("Quiet from"), this);
    quietLabel->setBuddy(tbQuietStart_);
    grid->addWidget(quietLabel, row, 0);
    grid->addWidget(tbQuietStart_, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("to"), this), row, 2);
    grid->addWidget(tbQuietStop_, row++, 3);
    grid->addWidget(cbNodeOffIfQuiet_, row++, 0, 1, 4);
    if (!engines_.engines.empty()) {
        cbEngine_ = new QComboBox(this);
        cbEngine_->setObjectName(QStringLiteral("cbEngine"));
        for (const EngineVoices& e : engines_.engines)
            cbEngine_->addItem(q(e.engine));
        cbVoiceName_ = new QComboBox(this);
        cbVoiceName_->setObjectName(QStringLiteral("cbVoiceName"));
        cmdTest_ = new QPushButton(QStringLiteral("Test"), this);
        cmdTest_->setObjectName(QStringLiteral("cmdTest"));
        auto* engineLabel = new QLabel(QStringLiteral("TTS Engine"), this);
        engineLabel->setBuddy(cbEngine_);
        grid->addWidget(engineLabel, row, 0);
        grid->addWidget(cbEngine_, row++, 1, 1, 3);
        auto* voiceLabel = new QLabel(QStringLiteral("TTS Voice"), this);
        voiceLabel->setBuddy(cbVoiceName_);
        grid->addWidget(voiceLabel, row, 0);
        grid->addWidget(cbVoiceName_, row, 1, 1, 2);
        grid->addWidget(cmdTest_, row++, 3);
        QObject::connect(cbEngine_, &QComboBox::activated, this,
                         [this](int engine) { fillVoices(engine, 0); });
        QObject::connect(cmdTest_, &QPushButton::clicked, this, [this] {
            if (engines_.test)
                engines_.test(selectedVoice(), SpeedBox_->currentIndex() - 2);
        });
    }

    QObject::connect(cbVoiceTypeATT_, &QCheckBox::clicked, this,
                     [this](bool on) { voiceTypeClicked(true, on); });
    QObject::connect(cbVoiceTypeNeo_, &QCheckBox::clicked, this,
                     [this](bool on) { voiceTypeClicked(false, on); });
}

void VoicePage::voiceTypeClicked(bool att, bool nowTicked) {
    const VoiceTypeBoxes boxes =
        afterVoiceTypeClick(att ? VoiceTypeBox::Att : VoiceTypeBox::Neo, nowTicked);
    cbVoiceTypeATT_->setChecked(boxes.att);
    cbVoiceTypeNeo_->setChecked(boxes.neo);
    const std::int16_t value = voiceTypeAttOf(boxes);
    // Stored at the click, so Cancel keeps it.
    if (storeNow_)
        storeNow_([value](Settings& s) { s.VoiceTypeAtt = value; });
}

void VoicePage::fillVoices(int engine, int voice) {
    cbVoiceName_->clear();
    if (engine >= 0 && engine < static_cast<int>(engines_.engines.size()))
        for (const std::string& name : engines_.engines[static_cast<std::size_t>(engine)].voices)
            cbVoiceName_->addItem(q(name));
    cbVoiceName_->setCurrentIndex(voice);
}

VoiceChoice VoicePage::selectedVoice() const {
    return voiceAt(engines_.engines, cbEngine_->currentIndex(), cbVoiceName_->currentIndex());
}

QString VoicePage::title() const {
    return QStringLiteral("Voice");
}

void VoicePage::load(const Settings& settings) {
    const VoiceSetupValues v = loadVoiceSetup(settings);
    cbGoodBeforeTTS_->setChecked(v.preamble);
    cbTTSConn_->setChecked(v.localConnDisc);
    cbSkipIfBusy_->setChecked(v.skipIfBusy);
    cbTTSRemote_->setChecked(v.remoteConnDisc);
    cbTTSText_->setChecked(v.chatMsg);
    cbTTSFullText_->setChecked(v.fullChatText);
    cbTTSTime24_->setChecked(v.time24);
    cbVoiceTypeATT_->setChecked(v.attVoice);
    cbVoiceTypeNeo_->setChecked(v.neoVoice);
    SpeedBox_->setCurrentIndex(v.speed);
    tbQuietStart_->setText(q(v.quietStart));
    tbQuietStop_->setText(q(v.quietStop));
    cbNodeOffIfQuiet_->setChecked(v.nodeOffIfQuiet);
    if (cbEngine_) {
        const VoiceListSelection at =
            selectVoice(engines_.engines, engines_.current ? engines_.current() : VoiceChoice{});
        cbEngine_->setCurrentIndex(at.engine);
        fillVoices(at.engine, at.voice);
    }
}

bool VoicePage::save(Settings& settings, QString*) const {
    VoiceSetupValues v;
    v.preamble = cbGoodBeforeTTS_->isChecked();
    v.localConnDisc = cbTTSConn_->isChecked();
    v.skipIfBusy = cbSkipIfBusy_->isChecked();
    v.remoteConnDisc = cbTTSRemote_->isChecked();
    v.chatMsg = cbTTSText_->isChecked();
    v.fullChatText = cbTTSFullText_->isChecked();
    v.time24 = cbTTSTime24_->isChecked();
    v.attVoice = cbVoiceTypeATT_->isChecked();
    v.neoVoice = cbVoiceTypeNeo_->isChecked();
    v.speed = SpeedBox_->currentIndex();
    v.quietStart = tbQuietStart_->text().toStdString();
    v.quietStop = tbQuietStop_->text().toStdString();
    v.nodeOffIfQuiet = cbNodeOffIfQuiet_->isChecked();
    if (saveVoiceSetup(v, settings))
        showMessage_(QString::fromLatin1(kRemoteConnDiscNotice));
    if (cbEngine_ && cbEngine_->currentIndex() >= 0 && engines_.choose)
        engines_.choose(selectedVoice());
    return true;
}

SetupDialog* createVoiceDialog(SetupDialog::Current current, SetupDialog::Apply apply,
                               StoreNow storeNow, QWidget* parent,
                               VoicePage::ShowMessage showMessage, VoiceEngineHooks engines) {
    auto* dialog = new SetupDialog(QString::fromLatin1(kVoiceCaption), std::move(current),
                                   std::move(apply), parent);
    dialog->setObjectName(QStringLiteral("frmVoiceSetup"));
    dialog->addPage(
        new VoicePage(std::move(storeNow), std::move(showMessage), dialog, std::move(engines)));
    return dialog;
}

}  // namespace vox

#include "ui/sim/simulator_window.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/mnemonics.h"
#include "ui/pictures.h"

namespace vox {
namespace {

QPushButton* button(const QString& caption, const char* name) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QString onOff(bool on) {
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

}  // namespace

SimulatorWindow::SimulatorWindow(SimulatorDesk desk, QWidget* parent)
    : QWidget(parent, Qt::Window), desk_(std::move(desk)) {
    setObjectName(QStringLiteral("frmSimulator"));
    setWindowTitle(QStringLiteral("Voxclock TTS - Node Simulator"));
    setWindowIcon(appIcon());

    auto* stations = new QGroupBox(QStringLiteral("Stations"));
    auto* stationLayout = new QGridLayout(stations);
    call_ = new QLineEdit(QStringLiteral("W1AW-R"));
    call_->setObjectName(QStringLiteral("simCall"));
    auto* connect = button(QStringLiteral("Connect"), "simConnect");
    auto* disconnect = button(QStringLiteral("Disconnect"), "simDisconnect");
    chat_ = new QLineEdit;
    chat_->setObjectName(QStringLiteral("simChatText"));
    chat_->setPlaceholderText(QStringLiteral("message"));
    auto* sendChat = button(QStringLiteral("Send Chat"), "simSendChat");
    stationLayout->addWidget(new QLabel(QStringLiteral("Call sign:")), 0, 0);
    stationLayout->addWidget(call_, 0, 1);
    stationLayout->addWidget(connect, 0, 2);
    stationLayout->addWidget(disconnect, 0, 3);
    stationLayout->addWidget(new QLabel(QStringLiteral("Chat:")), 1, 0);
    stationLayout->addWidget(chat_, 1, 1, 1, 2);
    stationLayout->addWidget(sendChat, 1, 3);

    auto* radio = new QGroupBox(QStringLiteral("Radio and Node"));
    auto* radioLayout = new QGridLayout(radio);
    receiving_ = new QCheckBox(QStringLiteral("Receiver busy"));
    receiving_->setObjectName(QStringLiteral("simReceiving"));
    remote_ = new QCheckBox(QStringLiteral("Remote station talking"));
    remote_->setObjectName(QStringLiteral("simRemote"));
    busy_ = new QCheckBox(QStringLiteral("Node busy"));
    busy_->setObjectName(QStringLiteral("simBusy"));
    dtmf_ = new QLineEdit;
    dtmf_->setObjectName(QStringLiteral("simDtmf"));
    dtmf_->setPlaceholderText(QStringLiteral("0-9 A-D * #"));
    auto* sendDtmf = button(QStringLiteral("Send DTMF"), "simSendDtmf");
    auto* stationList = button(QStringLiteral("Station List Received"), "simStationList");
    radioLayout->addWidget(receiving_, 0, 0);
    radioLayout->addWidget(remote_, 0, 1);
    radioLayout->addWidget(busy_, 0, 2);
    radioLayout->addWidget(new QLabel(QStringLiteral("DTMF:")), 1, 0);
    radioLayout->addWidget(dtmf_, 1, 1);
    radioLayout->addWidget(sendDtmf, 1, 2);
    radioLayout->addWidget(stationList, 2, 0, 1, 3);

    auto* shown = new QGroupBox(QStringLiteral("The Node"));
    auto* shownLayout = new QVBoxLayout(shown);
    ptt_ = new QLabel;
    ptt_->setObjectName(QStringLiteral("simPtt"));
    node_ = new QLabel;
    node_->setObjectName(QStringLiteral("simNodeState"));
    connected_ = new QListWidget;
    connected_->setObjectName(QStringLiteral("simConnected"));
    connected_->setMaximumHeight(110);
    shownLayout->addWidget(ptt_);
    shownLayout->addWidget(node_);
    shownLayout->addWidget(new QLabel(QStringLiteral("Connected stations:")));
    shownLayout->addWidget(connected_);

    reply_ = new QLabel;
    reply_->setObjectName(QStringLiteral("simReply"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stations);
    layout->addWidget(radio);
    layout->addWidget(shown);
    layout->addWidget(reply_);

    QObject::connect(connect, &QPushButton::clicked, this,
                     [this] { send("connect " + call().toStdString()); });
    QObject::connect(disconnect, &QPushButton::clicked, this,
                     [this] { send("disconnect " + call().toStdString()); });
    QObject::connect(sendChat, &QPushButton::clicked, this, [this] {
        // Chat lines arrive as the sender's call sign, ">", the message.
        send("chat " + call().toStdString() + ">" + chat_->text().toStdString());
    });
    QObject::connect(sendDtmf, &QPushButton::clicked, this,
                     [this] { send("dtmf " + dtmf_->text().trimmed().toStdString()); });
    QObject::connect(stationList, &QPushButton::clicked, this, [this] { send("stationlist"); });
    QObject::connect(receiving_, &QCheckBox::clicked, this,
                     [this](bool on) { send("rx " + onOff(on).toStdString()); });
    QObject::connect(remote_, &QCheckBox::clicked, this,
                     [this](bool on) { send("remote " + onOff(on).toStdString()); });
    QObject::connect(busy_, &QCheckBox::clicked, this,
                     [this](bool on) { send("busy " + onOff(on).toStdString()); });
    assignMnemonics(this);
    refresh();
}

QString SimulatorWindow::call() const {
    return call_->text().trimmed();
}

std::string SimulatorWindow::send(const std::string& line) {
    const std::string reply = desk_.handleLine(line);
    reply_->setText(reply == "ok" ? QString() : QString::fromStdString(reply));
    // A refused command leaves the boxes as the node has them.
    refresh();
    return reply;
}

void SimulatorWindow::refresh() {
    const SimulatorView s = desk_.view();
    ptt_->setText(s.ptt ? QStringLiteral("PTT: ON (transmitting)") : QStringLiteral("PTT: OFF"));
    QFont font = ptt_->font();
    font.setBold(s.ptt);
    ptt_->setFont(font);
    QPalette pal = ptt_->palette();
    pal.setColor(QPalette::WindowText, s.ptt ? QColor(255, 0, 0) : palette().color(QPalette::Text));
    ptt_->setPalette(pal);
    node_->setText(QStringLiteral("Node %1 - RTS %2, DTR %3%4")
                       .arg(s.nodeEnabled ? QStringLiteral("enabled") : QStringLiteral("disabled"))
                       .arg(onOff(s.rts), onOff(s.dtr))
                       .arg(s.recording ? QStringLiteral(" - recording") : QString()));
    for (auto [box, on] : {std::pair{receiving_, s.receiving}, std::pair{remote_, s.remoteAudio},
                           std::pair{busy_, s.busy}}) {
        const QSignalBlocker block(box);
        box->setChecked(on);
    }
    QStringList calls;
    for (const auto& c : s.connected)
        calls << QString::fromStdString(c);
    QStringList shownCalls;
    for (int i = 0; i < connected_->count(); ++i)
        shownCalls << connected_->item(i)->text();
    if (calls != shownCalls) {
        connected_->clear();
        connected_->addItems(calls);
    }
}

}  // namespace vox

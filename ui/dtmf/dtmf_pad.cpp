#include "ui/dtmf/dtmf_pad.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>

#include "ui/client_position.h"

namespace vox {
namespace {

constexpr char kKeys[] = "0123456789*#ABCD";

// The keypad as it sits on a telephone-style DTMF pad: the letters down the right.
constexpr int kLayout[4][4] = {{1, 2, 3, 12}, {4, 5, 6, 13}, {7, 8, 9, 14}, {10, 0, 11, 15}};

}  // namespace

char dtmfPadKey(int index) {
    return index >= 0 && index < 16 ? kKeys[index] : '\0';
}

DtmfPad::DtmfPad(Send onSend, QWidget* owner)
    : QWidget(owner, Qt::Window), send_(std::move(onSend)) {
    setObjectName(QStringLiteral("frmDTMF"));
    setWindowTitle(QString::fromLatin1(kDtmfPadCaption));
    auto* layout = new QVBoxLayout(this);

    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("Text1"));
    text_->setReadOnly(true);
    text_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(text_);

    auto* keys = new QGridLayout;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) {
            const int index = kLayout[row][column];
            auto* key = new QPushButton(QString(QLatin1Char(dtmfPadKey(index))), this);
            key->setObjectName(QStringLiteral("cmdDTMF") + QString::number(index));
            key->setFocusPolicy(Qt::NoFocus);
            key->setFixedSize(40, 32);
            connect(key, &QPushButton::clicked, this, [this, index] { append(dtmfPadKey(index)); });
            keys->addWidget(key, row, column);
        }
    layout->addLayout(keys);

    auto* bottom = new QHBoxLayout;
    auto button = [&](const char* name, const char* caption, const std::function<void()>& fn) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, fn);
        bottom->addWidget(b);
    };
    button("cmdClear", "Clear", [this] { clear(); });
    button("Command1", "Send", [this] { send(); });
    button("cmdClose", "Done", [this] { close(); });
    layout->addLayout(bottom);

    dummy_ = new QWidget(this);
    dummy_->setObjectName(QStringLiteral("Dummy"));
    dummy_->setFixedSize(1, 1);
    dummy_->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(dummy_);

    layout->setSizeConstraint(QLayout::SetFixedSize);
    // The owner's client corner, taken as the pad's own: both frames then line up.
    if (owner)
        moveClientTo(this, owner->geometry().topLeft());
}

void DtmfPad::append(char key) {
    digits_ += QLatin1Char(key);
    text_->setText(digits_);
    focusDummy();
}

void DtmfPad::clear() {
    digits_.clear();
    text_->clear();
    focusDummy();
}

void DtmfPad::send() {
    // The sequence goes as typed, a lone "A" included: from the pad it is a command, not an abort.
    const std::string digits = digits_.toStdString();
    digits_.clear();
    text_->clear();
    focusDummy();
    if (send_)
        send_(digits);
}

void DtmfPad::keyPressEvent(QKeyEvent* event) {
    // The pad takes the keyboard as its buttons: the keys, Backspace, Enter = Send, Esc = Done.
    const QString text = event->text().toUpper();
    const char key = text.size() == 1 ? text.front().toLatin1() : '\0';
    if (key != '\0' && std::strchr(kKeys, key)) {
        append(key);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Backspace:
            digits_.chop(1);
            text_->setText(digits_);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            send();
            return;
        case Qt::Key_Escape:
            close();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

bool DtmfPad::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        focusDummy();
    return QWidget::event(event);
}

void DtmfPad::focusDummy() {
    if (dummy_->isVisible())
        dummy_->setFocus();
}

DtmfPad* showDtmfPad(QPointer<DtmfPad>& pad, QWidget* owner, DtmfPad::Send send) {
    if (!pad) {
        pad = new DtmfPad(std::move(send), owner);
        pad->setAttribute(Qt::WA_DeleteOnClose);
    }
    pad->show();
    pad->raise();
    pad->activateWindow();
    return pad;
}

}  // namespace vox

#include "ui/lookup/node_lookup_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/lookup/lookup_request.h"
#include "ui/mnemonics.h"

namespace vox {

NodeLookupWindow::NodeLookupWindow(Find find, QWidget* parent)
    : QWidget(parent, Qt::Window), find_(std::move(find)) {
    setObjectName(QStringLiteral("frmSearch"));
    setWindowTitle(QStringLiteral("Voxclock Node Lookup"));

    auto* frame = new QGroupBox;
    frame->setObjectName(QStringLiteral("Frame1"));
    callBox_ = new QLineEdit;
    callBox_->setObjectName(QStringLiteral("CallBox"));
    outBox_ = new QPlainTextEdit;
    outBox_->setObjectName(QStringLiteral("OutBox"));
    outBox_->setReadOnly(true);
    outBox_->setPlainText(QStringLiteral(" \n"));
    outBox_->setMinimumSize(320, 200);
    findButton_ = new QPushButton(QStringLiteral("Find It"));
    findButton_->setObjectName(QStringLiteral("Command1"));
    findButton_->setDefault(true);
    auto* done = new QPushButton(QStringLiteral("Done"));
    done->setObjectName(QStringLiteral("Command2"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(findButton_);
    buttons->addStretch();
    buttons->addWidget(done);
    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(callBox_);
    inner->addWidget(outBox_);
    inner->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(frame);

    connect(findButton_, &QPushButton::clicked, this, [this] { findIt(); });
    connect(callBox_, &QLineEdit::returnPressed, this, [this] {
        if (findButton_->isEnabled())
            findIt();
    });
    connect(done, &QPushButton::clicked, this, &QWidget::close);
    assignMnemonics(this);
}

void NodeLookupWindow::findIt() {
    if (busy_ || !find_)
        return;
    const std::string text = callBox_->text().toStdString();
    busy_ = true;
    findButton_->setEnabled(false);
    outBox_->setPlainText(
        QStringLiteral("Looking up %1 ...").arg(QString::fromStdString(lookupCall(text))));
    // The wait runs other events, the window's own among them; it must still be here after.
    QPointer<NodeLookupWindow> self(this);
    const LookupResult result = find_(text);
    if (!self)
        return;
    busy_ = false;
    findButton_->setEnabled(true);
    if (closed_) {
        deleteLater();
        return;
    }
    outBox_->setPlainText(QString::fromStdString(result.text));
    if (callBox_->isVisible())
        callBox_->setFocus();
}

void NodeLookupWindow::lookUp(const QString& call) {
    callBox_->setText(call);
    findButton_->click();
}

void NodeLookupWindow::keyPressEvent(QKeyEvent* event) {
    // Escape is Done, as in a dialog.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void NodeLookupWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    closed_ = true;
    if (!busy_)
        deleteLater();
}

}  // namespace vox

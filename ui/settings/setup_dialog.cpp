#include "ui/settings/setup_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/client_position.h"
#include "ui/message_boxes.h"
#include "ui/mnemonics.h"
#include "ui/reading_order.h"
#include "ui/settings/setup_page.h"

namespace vox {

SetupDialog::SetupDialog(const QString& caption, Current current, Apply apply, QWidget* parent)
    : QDialog(parent), current_(std::move(current)), apply_(std::move(apply)) {
    setWindowTitle(caption);
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("setupPages"));
    layout->addWidget(tabs_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // Every setup dialog names its buttons alike, with captions that do not follow the locale.
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("Command2"));
    ok->setText(QStringLiteral("OK"));
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("Command1"));
    cancel->setText(QStringLiteral("Cancel"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (applyPages())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void SetupDialog::addPage(SetupPage* page) {
    pages_.push_back(page);
    tabs_->addTab(page, page->title());
    // One page needs no tabs.
    tabs_->tabBar()->setVisible(pages_.size() > 1);
    setTabsInReadingOrder(this);
    assignMnemonics(this);
}

void SetupDialog::open() {
    const Settings settings = current_();
    for (SetupPage* page : pages_)
        page->load(settings);
    // Opened again, it comes back where it was, not a title bar higher or lower each time.
    if (place_ && !isVisible())
        moveClientTo(this, *place_);
    show();
    raise();
    activateWindow();
}

void SetupDialog::hideEvent(QHideEvent* event) {
    place_ = geometry().topLeft();
    QDialog::hideEvent(event);
}

bool SetupDialog::applyPages() {
    Settings copy = current_();
    for (SetupPage* page : pages_) {
        QString problem;
        if (!page->save(copy, &problem)) {
            tabs_->setCurrentWidget(page);
            // The box that keeps the dialog open carries the program's title, like every
            // other box of the pages.
            openMessageBox(this, QMessageBox::Information, QStringLiteral("Voxclock TTS"), problem);
            return false;
        }
    }
    const ApplyResult result = apply_(copy);
    if (!result.ok) {
        openMessageBox(this, QMessageBox::Information, windowTitle(),
                       QString::fromStdString(result.message));
        return false;
    }
    if (log_)
        for (SetupPage* page : pages_)
            for (const std::string& line : page->slipLines())
                log_(line);
    return true;
}

}  // namespace vox

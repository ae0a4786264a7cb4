#include "settings/setup_dialog.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "settings/setup_page.h"

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
}

void SetupDialog::open() {
    const Settings settings = current_();
    for (SetupPage* page : pages_)
        page->load(settings);
    show();
    raise();
    activateWindow();
}

bool SetupDialog::applyPages() {
    Settings copy = current_();
    for (SetupPage* page : pages_) {
        QString problem;
        if (!page->save(copy, &problem)) {
            tabs_->setCurrentWidget(page);
            QMessageBox::information(this, windowTitle(), problem);
            return false;
        }
    }
    const ApplyResult result = apply_(copy);
    if (!result.ok) {
        QMessageBox::information(this, windowTitle(), QString::fromStdString(result.message));
        return false;
    }
    return true;
}

}  // namespace vox

#include "ui/settings/info_file_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>

#include "core/settings/info_file_setup.h"
#include "ui/message_boxes.h"

namespace vox {

InfoFileDialog::InfoFileDialog(SetupDialog::Current current, SetupDialog::Apply apply,
                               StoreNow storeNow, std::string programRoot, QWidget* parent)
    : QFileDialog(parent),
      current_(std::move(current)),
      apply_(std::move(apply)),
      storeNow_(std::move(storeNow)),
      programRoot_(std::move(programRoot)) {
    setObjectName(QStringLiteral("frmSelect"));
    setWindowTitle(QString::fromLatin1(kInfoFileCaption));
    setOption(QFileDialog::DontUseNativeDialog, true);
    // Any file mode keeps Select usable with no file chosen; accept() takes only files that exist.
    setFileMode(QFileDialog::AnyFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setNameFilter(QStringLiteral("INFO files (%1)").arg(QString::fromLatin1(kInfoFilePattern)));
    setLabelText(QFileDialog::Accept, QStringLiteral("Select"));
    setLabelText(QFileDialog::Reject, QStringLiteral("Cancel"));
    if (auto* buttons = findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Open)) {
            ok->setObjectName(QStringLiteral("Command1"));
            // The file dialog greys its button while no file is named; Select with no file
            // chosen is one of the picker's own uses, so it stays usable.
            selectButton_ = ok;
            ok->installEventFilter(this);
            ok->setEnabled(true);
        }
        if (QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel))
            cancel->setObjectName(QStringLiteral("Command2"));
    }
    setModal(false);
    // The detail view, wide enough that no column is cut off: the name takes what is left.
    setViewMode(QFileDialog::Detail);
    if (auto* tree = findChild<QTreeView*>(QStringLiteral("treeView"))) {
        tree->header()->setStretchLastSection(false);
        tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    resize(760, 440);
}

void InfoFileDialog::open() {
    const std::string start = infoPickerStartFolder(current_(), programRoot_);
    const QString folder = QString::fromStdString(start);
    setDirectory(QDir(folder).exists() ? folder : QString::fromStdString(programRoot_));
    selectFile(QString());
    show();
    raise();
    activateWindow();
}

bool InfoFileDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == selectButton_ && event->type() == QEvent::EnabledChange &&
        !selectButton_->isEnabled())
        selectButton_->setEnabled(true);
    return QFileDialog::eventFilter(watched, event);
}

void InfoFileDialog::accept() {
    const QString shown = directory().absolutePath();
    const QStringList chosen = selectedFiles();
    for (const QString& path : chosen) {
        const QFileInfo info(path);
        if (info.isFile()) {
            select(info.absolutePath().toStdString(), info.fileName().toStdString());
            return;
        }
    }
    if (chosen.size() == 1 && QFileInfo(chosen.front()).isDir()) {
        if (QDir(chosen.front()) == QDir(shown)) {
            select(shown.toStdString(), {});
        } else {
            // A folder picked in the list is opened, as the file dialog does.
            setDirectory(chosen.front());
        }
    }
    // A typed name of no file: nothing to select.
}

void InfoFileDialog::select(const std::string& folder, const std::string& fileName) {
    Settings changed = current_();
    infoPickerSelect(folder, fileName, changed);
    const ApplyResult result = apply_(changed);
    if (!result.ok)
        openMessageBox(parentWidget(), QMessageBox::Information, QStringLiteral("File Error"),
                       QString::fromStdString(result.message));
    done(QDialog::Accepted);
}

void InfoFileDialog::done(int result) {
    const std::string folder = directory().absolutePath().toStdString();
    if (storeNow_)
        storeNow_([&folder](Settings& s) { infoPickerClosed(folder, s); });
    QFileDialog::done(result);
}

}  // namespace vox

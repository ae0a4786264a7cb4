#include "ui/document_window.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace vox {

DocumentWindow::DocumentWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDocument"));
    setModal(false);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("Browser"));
    browser_->setOpenExternalLinks(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("&Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(buttons);
    resize(720, 560);
}

bool DocumentWindow::showDocument(const QUrl& url) {
    const QString path = url.toLocalFile();
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    setWindowTitle(info.fileName() + QStringLiteral(" - Voxclock TTS"));
    if (info.suffix().compare(QStringLiteral("html"), Qt::CaseInsensitive) == 0) {
        // Our own manual: its links and sections work inside the window.
        browser_->clearHistory();
        browser_->setSource(url, QTextDocument::HtmlResource);
    } else {
        // Written from what strangers sent: shown as text, whatever it holds.
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        browser_->setPlainText(QString::fromLocal8Bit(file.readAll()));
        browser_->moveCursor(QTextCursor::End);
    }
    show();
    raise();
    activateWindow();
    return true;
}

UrlOpener documentOpener(UrlOpener desktop, QPointer<DocumentWindow>& window, QWidget* parent) {
    return [desktop = std::move(desktop), &window, parent](const QUrl& url) {
        if (desktop && desktop(url))
            return true;
        if (!window)
            window = new DocumentWindow(parent);
        return window->showDocument(url);
    };
}

}  // namespace vox

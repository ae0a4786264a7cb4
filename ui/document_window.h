#pragma once

#include <QDialog>
#include <QPointer>
#include <QUrl>

#include "ui/log_menu.h"

class QTextBrowser;

namespace vox {

// A document in a window of our own, for when no desktop opener shows it: the owner's manual
// (HTML, at a section when the link names one) or the event log (plain text, never markup).
class DocumentWindow : public QDialog {
    Q_OBJECT
public:
    explicit DocumentWindow(QWidget* parent = nullptr);
    // Loads the file afresh (a log grows) and shows the window. False when it cannot be read.
    bool showDocument(const QUrl& url);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

// The desktop's opener, and when it fails (no xdg-open, no handler), the document in the window
// kept in `window`, made on first use.
UrlOpener documentOpener(UrlOpener desktop, QPointer<DocumentWindow>& window, QWidget* parent);

}  // namespace vox

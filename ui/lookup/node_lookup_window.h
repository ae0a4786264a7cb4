#pragma once

#include <functional>
#include <string>

#include <QWidget>

#include "core/lookup/lookup_reply.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vox {

// frmSearch: the owner types a call and gets the station's EchoLink details. The lookup waits on
// the event loop, so the window repaints and the station runs on meanwhile; Find It is off until
// the lookup has ended.
class NodeLookupWindow : public QWidget {
    Q_OBJECT
public:
    using Find = std::function<LookupResult(const std::string& callBoxText)>;
    NodeLookupWindow(Find find, QWidget* parent = nullptr);

    bool busy() const { return busy_; }
    // As if the owner typed the call and pressed Find It (documentation pictures).
    void lookUp(const QString& call);

protected:
    // Closing deletes the window; during a lookup only once the lookup has returned to it.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void findIt();

    Find find_;
    QLineEdit* callBox_;
    QPlainTextEdit* outBox_;
    QPushButton* findButton_;
    bool busy_ = false;
    bool closed_ = false;
};

}  // namespace vox

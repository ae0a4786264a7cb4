#pragma once

#include <QMessageBox>
#include <QPointer>

#include "base/user_interface.h"

class QWidget;

namespace vox {

// The start-up checks' message boxes as real, modal QMessageBoxes.
class MessageBoxUserInterface : public UserInterface {
public:
    explicit MessageBoxUserInterface(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void showMessage(MessageIcon icon, const std::string& title, const std::string& text) override;

    // The program is ending (a stop signal): the open box goes away, and every later message only
    // goes to standard error, so nothing waits for a click that will never come.
    void closeAll();
    bool closed() const { return closed_; }
    // The box on screen, if any.
    QMessageBox* openBox() const { return open_; }

private:
    QWidget* parent_;
    QPointer<QMessageBox> open_;
    bool closed_ = false;
};

}  // namespace vox

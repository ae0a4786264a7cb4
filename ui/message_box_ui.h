#pragma once

#include "base/user_interface.h"

class QWidget;

namespace vox {

// The start-up checks' message boxes as real, modal QMessageBoxes.
class MessageBoxUserInterface : public UserInterface {
public:
    explicit MessageBoxUserInterface(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void showMessage(MessageIcon icon, const std::string& title, const std::string& text) override;

private:
    QWidget* parent_;
};

}  // namespace vox

#pragma once

#include <functional>

#include <QMessageBox>
#include <QPointer>

#include "core/base/user_interface.h"

class QWidget;

namespace vox {

// The station's message boxes. During start-up the station goes on only once its box is clicked
// away, so each box waits; the wait is the station's own (the runtime keeps ticking behind it),
// never a nested dialog loop. Once the station runs, a box opens and the station goes on at once.
class MessageBoxUserInterface : public UserInterface {
public:
    // Processes events while the condition holds (the runtime's waitWhile).
    using WaitWhile = std::function<void(const std::function<bool()>& condition)>;

    explicit MessageBoxUserInterface(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    // Without one, a start-up box waits in a plain Qt loop (no station there to keep going).
    void setWait(WaitWhile wait) { wait_ = std::move(wait); }
    // The station runs: boxes no longer hold the caller.
    void setStationRunning(bool running) { running_ = running; }
    void showMessage(MessageIcon icon, const std::string& title, const std::string& text) override;

    // The program is ending (a stop signal): every open box goes away, and every later message
    // only goes to standard error, so nothing waits for a click that will never come.
    void closeAll();
    bool closed() const { return closed_; }
    // The box on screen, if any.
    QMessageBox* openBox() const { return open_; }

private:
    QWidget* parent_;
    WaitWhile wait_;
    bool running_ = false;
    QPointer<QMessageBox> open_;
    bool closed_ = false;
};

}  // namespace vox

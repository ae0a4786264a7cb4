#pragma once

#include <ostream>

#include "core/base/user_interface.h"
#include "core/parts/event_log.h"

namespace vox {

// Message boxes of a program without windows: a line on the error stream and in the event log.
class ConsoleMessageBoxes : public UserInterface {
public:
    explicit ConsoleMessageBoxes(std::ostream& out) : out_(out) {}
    void setEventLog(EventLog* log) { log_ = log; }
    void showMessage(MessageIcon icon, const std::string& title, const std::string& text) override;

private:
    std::ostream& out_;
    EventLog* log_ = nullptr;
};

}  // namespace vox

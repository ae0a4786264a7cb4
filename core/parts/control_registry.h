#pragma once

#include <functional>
#include <map>
#include <string>

namespace vox {

// Which part answers which of the main window's controls. A press runs the handler to completion
// before the presser goes on, as a click on the window would.
class ControlRegistry {
public:
    // Throws std::invalid_argument for a name that is not a control, or one already answered.
    void on(const std::string& control, std::function<void()> handler);
    // False when no part answers the control; throws std::invalid_argument for an unknown name.
    bool press(const std::string& control) const;

private:
    std::map<std::string, std::function<void()>> handlers_;
};

}  // namespace vox

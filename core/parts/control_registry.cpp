#include "core/parts/control_registry.h"

#include <stdexcept>

#include "core/parts/controls.h"

namespace vox {

void ControlRegistry::on(const std::string& control, std::function<void()> handler) {
    if (!Control::known(control))
        throw std::invalid_argument("no control named \"" + control + "\"");
    if (!handlers_.emplace(control, std::move(handler)).second)
        throw std::invalid_argument("control \"" + control + "\" is answered twice");
}

bool ControlRegistry::press(const std::string& control) const {
    if (!Control::known(control))
        throw std::invalid_argument("no control named \"" + control + "\"");
    auto it = handlers_.find(control);
    if (it == handlers_.end())
        return false;
    // A copy: the handler may run the event loop, and nothing may pull it from under itself.
    const std::function<void()> handler = it->second;
    handler();
    return true;
}

}  // namespace vox

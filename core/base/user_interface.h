#pragma once

#include <string>

namespace vox {

enum class MessageIcon { Information, Warning, Error };

// Message boxes. The desktop shows them; the headless program prints and logs them.
class UserInterface {
public:
    virtual ~UserInterface() = default;
    virtual void showMessage(MessageIcon icon, const std::string& title,
                             const std::string& text) = 0;
};

}  // namespace vox

#include "core/parts/console_message_boxes.h"

namespace vox {

namespace {
// A message box text on one line: its line breaks become " / ".
std::string oneLine(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += " / ";
        } else {
            out += text[i];
        }
    }
    return out;
}
}  // namespace

void ConsoleMessageBoxes::showMessage(MessageIcon icon, const std::string& title,
                                      const std::string& text) {
    const char* kind = icon == MessageIcon::Error     ? "error"
                       : icon == MessageIcon::Warning ? "warning"
                                                      : "info";
    out_ << title << " (" << kind << "): " << oneLine(text) << std::endl;
    if (log_)
        log_->LogEvent(oneLine(text));
}

}  // namespace vox

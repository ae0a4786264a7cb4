#pragma once

#include <string>
#include <string_view>

namespace vox {

struct XmlEscapeOptions {
    bool apostrophe = false;     // also "&apos;" (for attributes in single quotes)
    bool blankControls = false;  // control characters other than tab and line ends become blanks
};

// Text made safe for XML content or a double-quoted attribute: & < > " always escaped.
std::string xmlEscape(std::string_view text, XmlEscapeOptions options = {});
// The same, appended to out.
void appendXmlEscaped(std::string& out, std::string_view text, XmlEscapeOptions options = {});

}  // namespace vox

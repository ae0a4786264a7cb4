#include "core/base/xml_escape.h"

namespace vox {

void appendXmlEscaped(std::string& out, std::string_view text, XmlEscapeOptions options) {
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                if (options.apostrophe)
                    out += "&apos;";
                else
                    out += c;
                break;
            default:
                // Control characters are not allowed in XML; a stray one would void the document.
                if (options.blankControls && static_cast<unsigned char>(c) < 0x20 && c != '\t' &&
                    c != '\n' && c != '\r')
                    out += ' ';
                else
                    out += c;
        }
    }
}

std::string xmlEscape(std::string_view text, XmlEscapeOptions options) {
    std::string out;
    out.reserve(text.size());
    appendXmlEscaped(out, text, options);
    return out;
}

}  // namespace vox

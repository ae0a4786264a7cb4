#include "core/lookup/lookup_request.h"

#include "core/base/text_helpers.h"

namespace vox {

std::string lookupCall(const std::string& callBoxText) {
    const std::string call = TrimWhitespace(callBoxText);
    return call.substr(0, call.find('-'));
}

std::string urlEncodeQueryValue(const std::string& text) {
    static const char* const hex = "0123456789ABCDEF";
    std::string out;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
        if (plain) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string lookupRequestUrl(const std::string& pageUrl, const std::string& callBoxText,
                             const std::string& requester, const ProgramVersion& version) {
    if (LowerAscii(pageUrl).rfind("file://", 0) == 0)
        return pageUrl;
    const std::string separator = pageUrl.find('?') == std::string::npos ? "?" : "&";
    return pageUrl + separator + "node=" + urlEncodeQueryValue(lookupCall(callBoxText)) +
           "&req=" + urlEncodeQueryValue(requester) + "-(" + std::to_string(version.major) + "." +
           std::to_string(version.minor) + "." + std::to_string(version.patch) + ")";
}

}  // namespace vox

#pragma once

#include <string>

namespace vox {

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int patch = 0;
};

// The call the lookup asks for: the text trimmed and cut before its first "-" ("N0CALL-L" is
// looked up as "N0CALL").
std::string lookupCall(const std::string& callBoxText);

// Percent-encoding for a query value: everything but letters, digits and "-._~", so a call
// holding "&", "#" or a blank stays one value.
std::string urlEncodeQueryValue(const std::string& text);

// The address of one lookup: the page with "?node=CALL&req=REQUESTER-(major.minor.patch)". The
// requester (the node's own call) is sent whole, "-L" and all. A file:// page is a prepared
// reply and gets no query: files have none.
std::string lookupRequestUrl(const std::string& pageUrl, const std::string& callBoxText,
                             const std::string& requester, const ProgramVersion& version);

}  // namespace vox

#include "core/base/web_conf.h"

#include "core/base/text_helpers.h"

namespace vox {

bool checkWebAddress(const std::string& url, std::string* why) {
    const auto fail = [&](const std::string& reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (url.empty())
        return fail("no address");
    for (const char c : url)
        if (static_cast<unsigned char>(c) < ' ' || c == 0x7F)
            return fail("control character in the address");
    const std::string lower = LowerAscii(url);
    // A folder name may hold blanks; a web address may not.
    if (lower.rfind("file://", 0) == 0) {
        if (url.size() < 8 || url[7] != '/')
            return fail("a file:// address needs an absolute path (file:///folder/name)");
        return true;
    }
    std::size_t hostStart = 0;
    if (lower.rfind("http://", 0) == 0)
        hostStart = 7;
    else if (lower.rfind("https://", 0) == 0)
        hostStart = 8;
    else
        return fail("not an http://, https:// or file:// address");
    if (url.find(' ') != std::string::npos)
        return fail("blank in the address");
    const std::size_t hostEnd = url.find_first_of("/?#", hostStart);
    if (hostEnd == hostStart || hostStart == url.size())
        return fail("no host in the address");
    return true;
}

}  // namespace vox

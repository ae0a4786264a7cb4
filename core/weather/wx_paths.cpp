#include "core/weather/wx_paths.h"

#include <algorithm>

#include "core/base/program_folder.h"

namespace vox {

namespace {

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

WxFolder resolveWxFolder(const std::string& typed, const std::string& programRoot) {
    WxFolder out;
    if (typed.empty()) {
        out.error = "no folder set";
        return out;
    }
    if (typed.size() >= 2 && isLetter(typed[0]) && typed[1] == ':') {
        out.error = "there is no drive " + typed.substr(0, 2) + " on this machine";
        return out;
    }
    std::string path = typed;
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.rfind("//", 0) == 0) {
        out.error = "a network share is not reached from here: " + typed;
        return out;
    }
    out.ok = true;
    out.path = path.front() == '/' ? ProgramFolder("/").findCaseInsensitive(path)
                                   : ProgramFolder(programRoot).findCaseInsensitive(path);
    return out;
}

std::string wxFileIn(const std::string& folder, const std::string& relative) {
    return ProgramFolder(folder).findCaseInsensitive(relative);
}

std::string withFolderSeparator(const std::string& typed) {
    if (!typed.empty() && (typed.back() == '\\' || typed.back() == '/'))
        return typed;
    return typed + (typed.find('\\') != std::string::npos ? "\\" : "/");
}

}  // namespace vox

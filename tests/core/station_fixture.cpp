#include "station_fixture.h"

#include <fstream>
#include <regex>

namespace vox {

std::vector<std::string> StationRig::events(std::size_t from) const {
    // {"t":"..","ev":"ptt","on":true} -> "ptt:on"; speak -> "speak:<text>"; play -> "play:<file>".
    static const std::regex kEv(
        R"re("ev":"([a-z]+)"(?:,"(?:on)":(true|false))?(?:,"(?:text|file|call)":"((?:[^"\\]|\\.)*)")?)re");
    std::vector<std::string> out;
    for (std::size_t i = from; i < airLines.size(); ++i) {
        std::smatch m;
        if (!std::regex_search(airLines[i], m, kEv))
            continue;
        std::string e = m[1];
        if (e == "status" || e == "log")
            continue;
        if (m[2].matched)
            e += std::string(":") + (m[2] == "true" ? "on" : "off");
        if (m[3].matched)
            e += ":" + m[3].str();
        out.push_back(e);
    }
    return out;
}

void StationRig::touch(const std::string& relative, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(folderPath(relative)).parent_path());
    std::ofstream(folderPath(relative), std::ios::binary) << text;
}

}  // namespace vox

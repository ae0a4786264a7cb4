#include "backends/svxlink/fan_port_check.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "core/base/text_helpers.h"

namespace vox {
namespace {

namespace fs = std::filesystem;

// A configuration file is a few pages; the folder holds a module or two each.
constexpr std::uintmax_t kMaxFileBytes = 1024 * 1024;
constexpr std::size_t kMaxFolderFiles = 64;

using Section = std::map<std::string, std::string>;
struct ConfFile {
    std::string path;
    std::vector<std::pair<std::string, Section>> sections;  // in file order
};

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

std::string unquote(std::string v) {
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
        v = v.substr(1, v.size() - 2);
    return v;
}

bool readConf(const fs::path& path, ConfFile* out) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec) || fs::file_size(path, ec) > kMaxFileBytes || ec)
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out->path = path.string();
    std::string line;
    while (std::getline(in, line)) {
        line = trim(line);
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            const auto end = line.find(']');
            out->sections.push_back(
                {trim(line.substr(1, end == std::string::npos ? std::string::npos : end - 1)), {}});
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos || out->sections.empty())
            continue;
        out->sections.back().second[trim(line.substr(0, eq))] = unquote(trim(line.substr(eq + 1)));
    }
    return true;
}

std::string resolved(const std::string& path) {
    std::error_code ec;
    const fs::path p = fs::weakly_canonical(path, ec);
    return ec ? path : p.string();
}

std::string value(const Section& s, const std::string& key) {
    const auto it = s.find(key);
    return it == s.end() ? std::string() : it->second;
}

}  // namespace

std::string fanPortConflict(const std::string& fanPort, const std::string& svxlinkConf) {
    if (fanPort.empty() || svxlinkConf.empty())
        return {};
    std::vector<ConfFile> files(1);
    if (!readConf(svxlinkConf, &files[0]))
        return {};
    // CFG_DIR: more sections, one file each, relative to the main file's folder.
    for (const auto& [name, keys] : files[0].sections) {
        const std::string dir = name == "GLOBAL" ? value(keys, "CFG_DIR") : std::string();
        if (dir.empty())
            continue;
        fs::path folder = dir;
        if (folder.is_relative())
            folder = fs::path(svxlinkConf).parent_path() / folder;
        std::vector<fs::path> names;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            if (it->path().extension() == ".conf" && names.size() < kMaxFolderFiles)
                names.push_back(it->path());
        std::sort(names.begin(), names.end());
        for (const auto& p : names) {
            ConfFile more;
            if (readConf(p, &more))
                files.push_back(std::move(more));
        }
        break;
    }

    const std::string wanted = resolved(fanPort);
    for (const auto& file : files) {
        for (const auto& [name, keys] : file.sections) {
            const std::string pttType = LowerAscii(value(keys, "PTT_TYPE"));
            const std::string ptt = value(keys, "PTT_PORT");
            // Only the SerialPin type keys on PTT_PORT: stock [Tx1] keeps PTT_PORT=/dev/ttyS0
            // whatever its type.
            if (!ptt.empty() && pttType == "serialpin" && resolved(ptt) == wanted)
                return "SvxLink keys its transmitter on " + fanPort + " (PTT_PORT in [" +
                       ShownExcerpt(name) + "] of " + file.path + ")";
            const std::string sql = value(keys, "SERIAL_PORT");
            if (!sql.empty() && LowerAscii(value(keys, "SQL_DET")) == "serial" &&
                resolved(sql) == wanted)
                return "SvxLink reads its squelch on " + fanPort + " (SERIAL_PORT in [" +
                       ShownExcerpt(name) + "] of " + file.path + ")";
        }
    }
    return {};
}

}  // namespace vox

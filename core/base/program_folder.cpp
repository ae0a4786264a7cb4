#include "core/base/program_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace vox {
namespace fs = std::filesystem;

namespace {

std::vector<std::string> components(const std::string& relative) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : relative) {
        if (c == '\\' || c == '/') {
            if (!cur.empty())
                parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty())
        parts.push_back(cur);
    return parts;
}

bool equalNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

ProgramFolder::ProgramFolder(std::string root) : root_(std::move(root)) {
    while (root_.size() > 1 && root_.back() == '/')
        root_.pop_back();
}

std::string ProgramFolder::path(const std::string& relative) const {
    fs::path p(root_);
    for (const auto& part : components(relative))
        p /= part;
    return p.string();
}

std::string ProgramFolder::findCaseInsensitive(const std::string& relative) const {
    fs::path p(root_);
    for (const auto& part : components(relative)) {
        std::error_code ec;
        fs::path exact = p / part;
        if (fs::exists(exact, ec)) {
            p = exact;
            continue;
        }
        fs::path found;
        for (fs::directory_iterator it(p, ec), end; !ec && it != end; it.increment(ec)) {
            if (equalNoCase(it->path().filename().string(), part)) {
                found = it->path();
                break;
            }
        }
        p = found.empty() ? exact : found;
    }
    return p.string();
}

bool ProgramFolder::ensureExists(std::string* error) const {
    std::error_code ec;
    fs::create_directories(root_, ec);
    if (ec && !fs::is_directory(root_)) {
        if (error)
            *error = "Cannot create the program folder " + root_ + ": " + ec.message();
        return false;
    }
    return true;
}

std::string ProgramFolder::choose(const std::string& homeOption) {
    if (!homeOption.empty())
        return homeOption;
    if (const char* env = std::getenv("VOXCLOCK_HOME"); env && *env)
        return env;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.local/share/voxclock";
}

bool isRegularFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

}  // namespace vox

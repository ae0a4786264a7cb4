#include "adapters/installed_files.h"

#include <filesystem>
#include <system_error>

namespace vox {

namespace {

// <folder of the executable>/../PLACE/voxclock, or "" when the executable cannot be found.
std::string besideBinFolder(const char* place) {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    return (exe.parent_path().parent_path() / place / "voxclock").string();
}

}  // namespace

std::string sharedFilesFolder() {
    return besideBinFolder("share");
}

std::string installedPluginFolder() {
    return besideBinFolder("lib");
}

std::string installedManual() {
    const std::string folder = sharedFilesFolder();
    if (folder.empty())
        return {};
    std::error_code ec;
    const std::filesystem::path manual = std::filesystem::path(folder) / "manual.html";
    return std::filesystem::is_regular_file(manual, ec) ? manual.string() : std::string();
}

}  // namespace vox

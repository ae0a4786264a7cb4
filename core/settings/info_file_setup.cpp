#include "core/settings/info_file_setup.h"

namespace vox {

namespace {

bool endsWithSeparator(const std::string& folder) {
    return !folder.empty() && (folder.back() == '/' || folder.back() == '\\');
}

std::string separatorOf(const std::string& folder) {
    return folder.find('\\') != std::string::npos ? "\\" : "/";
}

}  // namespace

std::string infoPickerStartFolder(const Settings& s, const std::string& programRoot) {
    return s.InfoFolder.empty() ? programRoot : s.InfoFolder;
}

void infoPickerSelect(const std::string& folder, const std::string& fileName, Settings& s) {
    // A root folder already ends with its separator; it is not doubled.
    s.InfoFilePath =
        endsWithSeparator(folder) ? folder + fileName : folder + separatorOf(folder) + fileName;
    infoPickerClosed(folder, s);
}

void infoPickerClosed(const std::string& folder, Settings& s) {
    s.InfoFolder = folder;
}

}  // namespace vox

#pragma once

#include <string>

#include "core/settings/settings.h"

namespace vox {

// The info-file picker. Folders come from this machine ("/home/me/info") or from a settings file
// written on Windows ("c:\voxclock\info"); a path is joined with the separator it already uses.

// The folder the picker opens in: the one it showed last, or the program folder.
std::string infoPickerStartFolder(const Settings& settings, const std::string& programRoot);

// Select: the file in the folder becomes the info file; with no file chosen, the folder followed
// by its separator. The folder is remembered too.
void infoPickerSelect(const std::string& folder, const std::string& fileName, Settings& settings);

// Every way of closing the picker remembers the folder it showed.
void infoPickerClosed(const std::string& folder, Settings& settings);

inline constexpr const char* kInfoFileCaption = "Voxclock - Select INFO File";
inline constexpr const char* kInfoFilePattern = "*.txt *.wav";

}  // namespace vox

#pragma once

#include <string>

namespace vox {

// Folder paths in the weather settings come from the Windows program ("c:\program files\wxex\")
// or are typed here ("/home/me/wxex"). Either separator works; a path that does not start with
// one is taken inside the program folder; every part of the path, and every file name inside
// it, is found without regard to letter case. A drive letter or a network share names nothing
// on this machine.
struct WxFolder {
    bool ok = false;
    std::string path;  // the folder on this machine (it need not exist)
    std::string error;
};
WxFolder resolveWxFolder(const std::string& typed, const std::string& programRoot);

// A file inside a resolved folder: "csv\data.csv" -> folder/csv/data.csv, spelled as on disk.
std::string wxFileIn(const std::string& folder, const std::string& relative);

// The setup dialog's rule: a folder that does not end with a separator gets one, "\" when the
// path already uses "\", "/" otherwise.
std::string withFolderSeparator(const std::string& typed);

}  // namespace vox

#pragma once

#include <string>

namespace vox {

// The files the program ships beside itself, found from where the executable is, never from
// where it was built: <folder of the executable>/../share/voxclock. Installed that is
// /usr/share/voxclock for /usr/bin/voxclock; the build tree lays them out alike
// (build/share/voxclock beside build/src and build/tests).
std::string sharedFilesFolder();

// Where an installed program's plugin is: <folder of the executable>/../lib/voxclock
// (/usr/lib/voxclock). In the build tree the plugin stands beside the programs instead.
std::string installedPluginFolder();

// The owner's manual (manual.html in the shared files), or "" when it is not there.
std::string installedManual();

}  // namespace vox

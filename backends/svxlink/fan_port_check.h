#pragma once

#include <string>

namespace vox {

// Empty when the fan may have this serial port; else why not: SvxLink keys a transmitter on it
// (a PTT_PORT whose PTT_TYPE is not NONE) or reads a squelch from it (SQL_DET=SERIAL), in the
// svxlink.conf given or a file of the folder its CFG_DIR names. A missing or unreadable
// svxlink.conf names no port. Paths compare after symbolic links are resolved.
std::string fanPortConflict(const std::string& fanPort, const std::string& svxlinkConf);

}  // namespace vox

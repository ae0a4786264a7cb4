#pragma once

namespace vox {

// voxclock lookup [--home DIR] CALL
// Looks CALL up on the lookup page of the program folder's voxclock.conf ([web] lookup_url) for
// the node's call ([sim] callsign) and prints what the lookup window would show. 0 when a
// section was found, 1 when none was, 2 on an error (the reason on stderr) or a usage error.
// argv[0] is the sub-command's name. Makes a Qt application object when there is none.
int runLookupCommand(int argc, char** argv);

}  // namespace vox

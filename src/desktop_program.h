#pragma once

#include <string>

namespace vox {

// The desktop program: the main window, tray icon, splash and simulator windows around the
// station, in real time. home is the program folder. Returns the exit status.
// With VOXCLOCK_SCREENSHOT_DIR set, it saves main-window.png, simulator-window.png,
// dtmf-setup.png and dtmf-pad.png there once running, then exits.
int runDesktop(int argc, char** argv, const std::string& home);

}  // namespace vox

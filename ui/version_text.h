#pragma once

#include <QString>

namespace vox {

// "1.0.0": the program's version as major.minor.revision.
QString versionNumber();
// "Voxclock TTS 1.0.0": the main window's caption.
QString windowCaption();
// "Version 1.0.0": the line of the splash and About windows.
QString versionLine();

}  // namespace vox

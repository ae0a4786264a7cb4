#pragma once

namespace vox {

// voxclock say [--home DIR] [--wav FILE] TEXT
// Speaks one text (with markup) on the first audio output, or on the air recorder of the program
// folder when there is no sound device; with --wav, writes the audio to FILE instead.
// 0 on success, 1 when the voice or the file fails, 2 on a usage error.
int runSayCommand(int argc, char** argv);

}  // namespace vox

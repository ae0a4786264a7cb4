#pragma once

namespace vox {

// voxclock say [--home DIR] [--wav FILE] [--engine E] [--voice V] TEXT
// Speaks one text (with markup) on the first audio output, or on the air recorder of the program
// folder when there is no sound device; with --wav, writes the audio to FILE instead. --engine and
// --voice choose the speech engine and its voice (default: [voice] of the folder's voxclock.conf,
// else espeak-ng); one that is not installed falls back as the station's does, with a line on
// standard error.
// 0 on success, 1 when the voice or the file fails, 2 on a usage error.
int runSayCommand(int argc, char** argv);

}  // namespace vox

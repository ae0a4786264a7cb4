#pragma once

namespace vox {

// voxclock cwid [--home DIR] [--wpm N] [--tone HZ] TEXT --wav FILE
// Writes TEXT in Morse to FILE as a 16-bit mono WAV, sounding like the generated identification:
// the [cwid] settings of the program folder's voxclock.conf, with --wpm and --tone taking their
// place. argv[0] is the sub-command's name; the options follow it. 0 on success, 1 when the
// file cannot be written, 2 on a usage error.
int runCwidCommand(int argc, char** argv);

}  // namespace vox

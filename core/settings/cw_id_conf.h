#pragma once

namespace vox {

// Limits of the generated identification's settings; a value outside them is not used.
constexpr int kCwWpmMin = 5;
constexpr int kCwWpmMax = 60;
constexpr int kCwToneMin = 300;
constexpr int kCwToneMax = 3000;
constexpr double kCwAmplitudeMin = 0.05;
constexpr double kCwAmplitudeMax = 1.0;
// Longer than any identification; keeps a pasted book from filling the memory.
constexpr double kCwMaxSeconds = 600.0;

// How the generated CW identification sounds ("[cwid]" in voxclock.conf).
struct CwIdConf {
    int wpm = 20;
    int toneHz = 800;
    double amplitude = 0.5;  // of full scale: the level of the tone burst
    bool suffix = false;     // true: the whole node call (N0CALL-L), else the call alone (N0CALL)

    bool operator==(const CwIdConf&) const = default;
};

}  // namespace vox

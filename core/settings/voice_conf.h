#pragma once

#include <string>

#include "core/base/voice_choice.h"

namespace vox {

// Sets "engine" and "name" of the [voice] section of voxclock.conf to the choice. The rest of the
// file (other sections, comments, a bad line) stays as written; a file or a section that is not
// there yet is made. False with the reason when the file cannot be read or replaced.
bool writeVoiceChoice(const std::string& confPath, const VoiceChoice& choice, std::string* error);

}  // namespace vox

#pragma once

#include <string>

#include "core/base/program_folder.h"

namespace vox {

// Gives a new program folder the tone burst ("wav/burst.wav") and the courtesy beep
// ("wav/beep.wav"). A file that is already there, in any letter case, is the owner's and is kept.
// No identification file is made: without one, no identification is sent.
// False with a message when a file cannot be written.
bool writeDefaultPreparedFiles(const ProgramFolder& folder, std::string* error = nullptr);

// Creates the program folder on first use, with the default tone burst and courtesy beep.
// False with a message when the folder cannot be created.
bool prepareProgramFolder(const ProgramFolder& folder, std::string* error);

}  // namespace vox

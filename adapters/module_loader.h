#pragma once

#include <string>

namespace vox {

// The parts of the program that pull in large libraries (the Qt programs, the windows, the sound
// devices) are modules, loaded by the process that needs them and kept until it ends. A module
// NAME is the file NAME.so next to the executable, or else in the build tree it was built in.
// Returns the address of the entry point `symbol`, or null with the reason.
void* loadModuleEntry(const std::string& name, const char* symbol, std::string* error);

}  // namespace vox

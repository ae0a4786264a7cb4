#pragma once

#include <optional>
#include <string>

namespace vox {

// Reads a speakable text file (Windows-1252, as the prepared files are written) as UTF-8.
// nullopt when the file cannot be opened or is plainly not text (it holds NUL bytes).
std::optional<std::string> readSpeakableTextFile(const std::string& path);

// Windows-1252 to UTF-8; bytes the code page leaves undefined become blanks.
std::string windows1252ToUtf8(const std::string& text);

}  // namespace vox

#pragma once

#include <optional>
#include <string>

namespace vox {

// Text that comes from outside (prepared files, web documents) turned into UTF-8 for the voice.

// Windows-1252 to UTF-8; bytes the code page leaves undefined become blanks.
std::string windows1252ToUtf8(const std::string& text);

// A document of unknown encoding as UTF-8: UTF-8 is kept (its byte-order mark dropped), UTF-16
// with a byte-order mark is decoded, anything else is taken as Windows-1252, the code page the
// prepared files were written in. truncated: the bytes are only the start of the document, so a
// UTF-8 character cut off at their end is dropped rather than making it all Windows-1252.
std::string decodeText(const std::string& bytes, bool truncated = false);

// Reads a speakable text file as UTF-8 (see decodeText), at most the first 256 KiB of it.
// nullopt when the file cannot be opened or is plainly not text (it holds NUL bytes).
std::optional<std::string> readSpeakableTextFile(const std::string& path);

}  // namespace vox

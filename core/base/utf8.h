#pragma once

#include <cstddef>
#include <string>

namespace vox {

// The few pieces of UTF-8 and Windows-1252 that the texts from outside need.

// Appends one code point (at most U+10FFFF) in UTF-8.
void appendUtf8(std::string& out, char32_t code);

// The Unicode code point of a Windows-1252 byte; 0 for the five bytes the code page leaves
// undefined.
char32_t windows1252CodePoint(unsigned char byte);

// Length of the well-formed UTF-8 sequence at i; 0 when there is none; -1 when the bytes there
// are a good start of one but the text ends before it does.
int utf8SequenceAt(const std::string& s, std::size_t i);

}  // namespace vox

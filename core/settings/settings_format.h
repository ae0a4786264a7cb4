#pragma once

#include <istream>
#include <string>

#include "core/settings/settings.h"

namespace vox {

// The positional settings file: 70 lines of values (no keys) in a fixed order, CR LF line ends,
// text as raw bytes of the single-byte code page. Lines 1 and 2 hold three flags each, lines 7 to
// 14 one remote node each (18 comma-separated fields), every other line one value.

// The whole file for the record: 70 lines of values and 50 empty lines. Text values are cleaned
// so they cannot shift the fields after them: commas, line breaks and leading blanks and double
// quotes are removed; the three whole-line values (weather folder, area, call) lose line breaks
// only. Remote-node names are written in upper case.
std::string formatSettingsFile(const Settings& settings);

// The file a new installation starts from: the default of every line as plain text, lines 1 to
// 69 and then 50 empty lines (119 lines).
std::string newSettingsFileText();

// Reads the record from the file's text, reading values the way the classic Input # statement
// does (blanks before a value skipped, a value ends at a comma or the line end, a value in double
// quotes runs to the closing quote). Lines after 70 are not read. False with a reason when a
// number is malformed or out of range, a line is absurdly long, or the file ends before line 70;
// out is then unchanged.
bool parseSettingsFile(std::istream& in, Settings& out, std::string* error = nullptr);

}  // namespace vox

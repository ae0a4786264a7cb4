#pragma once

#include <functional>
#include <string>

namespace vox {

// Text operations used to build spoken sentences. Letter case is ignored for ASCII letters only;
// other bytes (the single-byte code page) must match exactly.

// Every occurrence of find replaced, searching again from the start after each replacement, so an
// occurrence that a replacement creates is replaced in a later round. pump runs once per round
// (pending window events). An empty find returns the text unchanged. When the replacement itself
// contains find, the occurrences are replaced in one left-to-right pass instead, so the call ends.
std::string ReplaceAll(std::string text, const std::string& find, const std::string& replacement,
                       const std::function<void()>& pump = {});

// Only the first occurrence replaced; the text unchanged when find does not occur or is empty.
std::string ReplaceFirst(std::string text, const std::string& find, const std::string& replacement);

// The spoken words of a DTMF code: "44*" -> "4, 4, star, ". Characters that are not DTMF keys
// (lower-case letters included) add nothing.
std::string SpellDtmfCode(const std::string& code);

// The trims, one for each set of blanks; use these rather than a local copy.
// Spaces trimmed at both ends, as the setup dialogs trim what is typed.
std::string TrimBlanks(const std::string& text);
// Spaces trimmed at the start only, or at the end only.
std::string TrimBlanksLeft(const std::string& text);
std::string TrimBlanksRight(const std::string& text);
// Spaces and tabs trimmed at both ends: a field of a line someone typed or edited.
std::string TrimSpacesAndTabs(const std::string& text);
// Spaces, tabs, carriage returns and line feeds trimmed at both ends: a whole reply or box.
std::string TrimWhitespace(const std::string& text);

// ASCII letters in lower case; other bytes unchanged.
std::string LowerAscii(std::string text);
// ASCII letters in upper case; other bytes unchanged.
std::string UpperAscii(std::string text);

// A word from outside input for a message line: at most 40 characters, unprintable ones as '?'.
std::string ShownExcerpt(const std::string& text);

}  // namespace vox

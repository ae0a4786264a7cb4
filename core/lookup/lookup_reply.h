#pragma once

#include <string>

namespace vox {

enum class LookupOutcome { Found, NotFound, Error };

// What a lookup shows: the OutBox text, and for an error the reason behind it (for logs and the
// command line; the window shows only the text).
struct LookupResult {
    LookupOutcome outcome = LookupOutcome::Error;
    std::string text;
    std::string reason;
};

// The text shown after any failure.
extern const char* const kLookupErrorText;
// Shown when the reply holds no section.
extern const char* const kLookupNotFoundText;

// The text of data before its first "|" (all of it when there is none), trimmed; rest gets the
// text after that "|" (all of data again when there is none, so a missing last field repeats
// the one before it).
std::string GetEchoLinkField(const std::string& data, std::string& rest);

// The reply as OutBox shows it: a block for each of the user, link and repeater sections found
// (in that order, markers in any case), or the not-found line. A section opened but never
// closed makes the whole reply an error.
LookupResult parseLookupReply(const std::string& reply);

LookupResult lookupFailure(const std::string& reason);

}  // namespace vox

#include "core/lookup/lookup_reply.h"

#include "core/base/text_helpers.h"

namespace vox {

const char* const kLookupErrorText =
    "Lookup Error.\nPlease notify QZ9Z of the call you were looking for.";
const char* const kLookupNotFoundText = "EchoLink Info Not Found.";

namespace {

struct Section {
    const char* open;
    const char* close;
};
constexpr Section kSections[] = {
    {"[USER]", "[/USER]"}, {"[LINK]", "[/LINK]"}, {"[REPT]", "[/REPT]"}};

// Fields come from a stranger's server: control characters (escape sequences on a terminal)
// are shown as blanks.
std::string shownField(std::string field) {
    for (char& c : field)
        if (static_cast<unsigned char>(c) < ' ' || c == 0x7F)
            c = ' ';
    return field;
}

}  // namespace

std::string GetEchoLinkField(const std::string& data, std::string& rest) {
    const auto bar = data.find('|');
    if (bar == std::string::npos) {
        rest = data;
        return TrimWhitespace(data);
    }
    // data may be rest itself.
    std::string field = TrimWhitespace(data.substr(0, bar));
    rest = data.substr(bar + 1);
    return field;
}

LookupResult lookupFailure(const std::string& reason) {
    return {LookupOutcome::Error, kLookupErrorText, reason};
}

LookupResult parseLookupReply(const std::string& reply) {
    // Upper case keeps every byte where it was, so positions carry over to the reply itself.
    const std::string upper = UpperAscii(reply);
    std::string text;
    bool found = false;
    for (const Section& s : kSections) {
        const std::string open = s.open;
        const auto at = upper.find(open);
        if (at == std::string::npos)
            continue;
        const auto start = at + open.size();
        const auto end = upper.find(s.close, start);
        if (end == std::string::npos)
            return lookupFailure(std::string(s.open) + " without " + s.close);
        std::string rest = reply.substr(start, end - start);
        std::string field[4];
        for (std::string& f : field)
            f = shownField(GetEchoLinkField(rest, rest));
        text += "\nEchoLink Call: " + field[0] + "\nEchoLink Node Number: " + field[1] +
                "\nEchoLink Location: " + field[2] + "\nNode Last Heard: " + field[3] + "\n";
        found = true;
    }
    if (!found)
        return {LookupOutcome::NotFound, std::string("\n") + kLookupNotFoundText, {}};
    return {LookupOutcome::Found, text, {}};
}

}  // namespace vox

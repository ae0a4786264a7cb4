// Building the lookup request and reading its reply.
#include <gtest/gtest.h>

#include "core/lookup/lookup_reply.h"
#include "core/lookup/lookup_request.h"

namespace vox {
namespace {

const std::string kError = "Lookup Error.\nPlease notify QZ9Z of the call you were looking for.";

std::string block(const std::string& call, const std::string& node, const std::string& where,
                  const std::string& heard) {
    return "\nEchoLink Call: " + call + "\nEchoLink Node Number: " + node +
           "\nEchoLink Location: " + where + "\nNode Last Heard: " + heard + "\n";
}

TEST(LookupRequest, CutsTheCallEncodesBothCallsAndNamesTheVersion) {
    const ProgramVersion v{1, 0, 12};
    const std::string page = "https://lookup.example/echolink/vqsearch.cfm";
    const struct {
        const char* callBox;
        const char* requester;
        std::string url;
    } cases[] = {
        {"  N0CALL-L ", "W1AW-R", page + "?node=N0CALL&req=W1AW-R-(1.0.12)"},
        {"k1abc", "N0CALL-L", page + "?node=k1abc&req=N0CALL-L-(1.0.12)"},
        {"", "N0CALL-L", page + "?node=&req=N0CALL-L-(1.0.12)"},
        {"-L", "N0CALL", page + "?node=&req=N0CALL-(1.0.12)"},
        // A call with "&", "#" or a blank stays one value and adds no parameter.
        {"A&B #1", "ME&req=X", page + "?node=A%26B%20%231&req=ME%26req%3DX-(1.0.12)"},
        {"Zürich", "N0CALL", page + "?node=Z%C3%BCrich&req=N0CALL-(1.0.12)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.callBox);
        EXPECT_EQ(lookupRequestUrl(page, c.callBox, c.requester, v), c.url);
    }
    // A page that already has a query keeps it; a prepared file gets none.
    EXPECT_EQ(lookupRequestUrl("http://h/q?k=1", "W1AW", "N0CALL", {2, 3, 4}),
              "http://h/q?k=1&node=W1AW&req=N0CALL-(2.3.4)");
    EXPECT_EQ(lookupRequestUrl("file:///srv/reply.txt", "W1AW", "N0CALL", v),
              "file:///srv/reply.txt");
}

TEST(LookupReply, GetEchoLinkFieldRepeatsTheLastFieldWhenFieldsRunOut) {
    std::string rest = " N0CALL | 12345|Springfield ";
    EXPECT_EQ(GetEchoLinkField(rest, rest), "N0CALL");
    EXPECT_EQ(rest, " 12345|Springfield ");
    EXPECT_EQ(GetEchoLinkField(rest, rest), "12345");
    EXPECT_EQ(GetEchoLinkField(rest, rest), "Springfield");
    EXPECT_EQ(rest, "Springfield ");
    EXPECT_EQ(GetEchoLinkField(rest, rest), "Springfield");
}

TEST(LookupReply, ShowsEachSectionInOrderOrSaysWhatWentWrong) {
    const struct {
        const char* what;
        std::string reply;
        LookupOutcome outcome;
        std::string text;
    } cases[] = {
        {"user then link, whatever order they come in",
         "<html>[LINK]W1AW-L|4000|Newington, CT|12:00[/LINK]\n"
         "[USER]W1AW|123|Newington|11:59[/USER]</html>",
         LookupOutcome::Found,
         block("W1AW", "123", "Newington", "11:59") +
             block("W1AW-L", "4000", "Newington, CT", "12:00")},
        {"repeater last", "[REPT]K1R-R|77|Hill|now[/REPT][USER]K1|1|Town|then[/USER]",
         LookupOutcome::Found,
         block("K1", "1", "Town", "then") + block("K1R-R", "77", "Hill", "now")},
        {"three fields", "[USER]N0CALL|12345|Springfield[/USER]", LookupOutcome::Found,
         block("N0CALL", "12345", "Springfield", "Springfield")},
        {"one field", "[USER]N0CALL[/USER]", LookupOutcome::Found,
         block("N0CALL", "N0CALL", "N0CALL", "N0CALL")},
        {"markers in lower case", "[user]n0call|1|x|y[/user]", LookupOutcome::Found,
         block("n0call", "1", "x", "y")},
        {"lines around the fields", "[USER]\r\n W1AW | 1 | A\tB | C \r\n[/User]",
         LookupOutcome::Found, block("W1AW", "1", "A B", "C")},
        {"control characters shown as blanks", "[USER]W1\x1b[2JAW|1|2|3[/USER]",
         LookupOutcome::Found, block("W1 [2JAW", "1", "2", "3")},
        {"no section", "Nothing here.", LookupOutcome::NotFound, "\nEchoLink Info Not Found."},
        {"a close marker alone", "[/USER]", LookupOutcome::NotFound, "\nEchoLink Info Not Found."},
        {"open without close", "[USER]W1AW|1|2|3", LookupOutcome::Error, kError},
        {"close before open", "[/LINK][LINK]W1AW|1|2|3", LookupOutcome::Error, kError},
        {"a good section and a broken one", "[USER]W1AW|1|2|3[/USER][LINK]W1AW-L|4",
         LookupOutcome::Error, kError},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const LookupResult r = parseLookupReply(c.reply);
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.text, c.text);
        EXPECT_EQ(r.reason.empty(), c.outcome != LookupOutcome::Error);
    }
}

}  // namespace
}  // namespace vox

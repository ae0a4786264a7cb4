#include "core/dtmf/spoken_reports.h"

#include <filesystem>
#include <vector>

#include "core/base/atomic_file.h"
#include "core/base/guarded.h"
#include "core/base/text_helpers.h"
#include "core/base/xml_escape.h"
#include "core/parts/call_spelling.h"
#include "core/parts/speech_output.h"

namespace vox {

namespace {

// A bulletin document is ours only when it carries this marker; it also marks where the greeting
// goes.
constexpr const char* kBulletinMarker = "<hamvoice>TTSHamVoice123456789</hamvoice>";

struct KIndexTime {
    const char* field;
    const char* spoken;
};
constexpr KIndexTime kKIndexTimes[] = {
    {"0300", "zero three hundred Greenwich Mean Time"},
    {"0600", "zero six hundred Greenwich Mean Time"},
    {"0900", "zero nine hundred Greenwich Mean Time"},
    {"1200", "twelve hundred Greenwich Mean Time"},
    {"1500", "fifteen hundred Greenwich Mean Time"},
    {"1800", "eighteen hundred Greenwich Mean Time"},
    {"2100", "twenty one hundred Greenwich Mean Time"},
    {"0000", "zero zero Greenwich Mean Time"},
};

constexpr const char* kKIndex = "K-index";

// "K-index at 0600 UTC" -> "K-index at zero six hundred Greenwich Mean Time"; a time the table
// does not know is taken out of the sentence. The time is the one after the "K-index" (in these
// capitals) that selected the line: a "k-index" before it in small letters is other text.
std::string speakKIndexTime(const std::string& line) {
    const std::size_t p = line.find(kKIndex);
    if (p == std::string::npos)
        return line;
    const std::size_t start = p + 11;  // just after "K-index at "
    if (start >= line.size())
        return line;
    const std::string field = line.substr(start, 8);
    std::string spoken;
    for (const auto& t : kKIndexTimes)
        if (field.compare(0, 4, t.field) == 0 && field.size() >= 4)
            spoken = t.spoken;
    return std::string(line).replace(start, field.size(), spoken);
}

// The bulletin's lines: every line ends at a line feed, and a last line without one is a line
// too. A carriage return before the line feed belongs to the line end, not to the text.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = next;
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines)
        out += line + "\r\n";
    return out;
}

// Every occurrence of find, ASCII letters in any case, replaced in one pass. A fetched document
// can hold hundreds of thousands of them, and replacing them one by one in place takes minutes
// with the station standing still. The replacements here never form a new occurrence.
std::string replaceEvery(const std::string& text, const std::string& find,
                         const std::string& replacement) {
    const std::string haystack = UpperAscii(text);
    const std::string needle = UpperAscii(find);
    std::string out;
    std::size_t from = 0;
    for (std::size_t at = haystack.find(needle); at != std::string::npos;
         at = haystack.find(needle, from)) {
        out.append(text, from, at - from);
        out += replacement;
        from = at + needle.size();
    }
    out.append(text, from);
    return out;
}

void writeOrThrow(const std::string& path, const std::string& contents) {
    std::string error;
    if (!writeFileAtomically(path, contents, &error))
        throw std::runtime_error(error);
}

}  // namespace

SpokenReports::SpokenReports(PartContext ctx, WebFetcher& web, SpokenReportsPeers& peers)
    : ctx_(std::move(ctx)), web_(web), peers_(peers) {}

void SpokenReports::SpeakSpeedDial() {
    const int voiceType = ctx_.settings.VoiceTypeAtt;
    std::string list;
    for (const RemoteNode& slot : ctx_.settings.RemoteNodes) {
        if (slot.Dtmf.empty() || slot.Node.empty())
            continue;
        std::string name = slot.Node;
        std::string kind;
        if (name.find('-') != std::string::npos) {
            if (name.back() == 'L')
                kind = ", Link,";
            else if (name.back() == 'R')
                kind = ", Repeater,";
            name.resize(name.size() >= 2 ? name.size() - 2 : 0);  // "N0CALL-L" -> "N0CALL"
        }
        if (voiceType != 0 && voiceType != 1)
            continue;
        const std::string spelled = voiceType == 0 ? TTSSpell(name) : ATTCall(name);
        list += spelled + " " + kind + " code is " + SpellDtmfCode(slot.Dtmf) + ", ";
    }
    ctx_.speech.SpeakText("Speed Dial: " + list + ". This is " + ctx_.settings.WxNodeCall);
}

void SpokenReports::SpeakBulletin(const std::string& baseUrl, const std::string& number) {
    std::string speech;
    const bool ready = guarded("bulletin", [&] {
        const std::string url = baseUrl + number + ".xml";
        // Without its closing "/" the number would be glued to the folder's name.
        const FetchResult fetched =
            !baseUrl.empty() && baseUrl.back() == '/'
                ? web_.fetchText(url)
                : web_.refuse(url, "bad address: the bulletin base address must end with /");
        const std::string& text = fetched.text;
        const std::size_t open = text.find("<xml>");
        const std::size_t close = text.find("</xml>");
        if (!fetched.ok || open == std::string::npos || close == std::string::npos ||
            text.find(kBulletinMarker) == std::string::npos)
            return;
        // A closing tag before the opening one leaves no speech part to read.
        if (close < open)
            return;
        std::string part = text.substr(open, close + 6 - open);
        part =
            replaceEvery(part, "</xml>", ". This is " + ctx_.settings.WxNodeCall + ".") + "</xml>";
        peers_.buildGreeting();
        speech = replaceEvery(part, kBulletinMarker, ctx_.state.GreetingText);
    });
    if (ready && !speech.empty()) {
        ctx_.speech.SpeakText(speech);
        return;
    }
    guarded("bulletin apology", [&] {
        ctx_.speech.SpeakText("Sorry, that bulletin is currently not available.");
        peers_.sendStationId();
    });
}

void SpokenReports::SpeakWwvReport(const std::string& url) {
    const std::string rawPath = ctx_.folder.findCaseInsensitive("\\wwv_raw.txt");
    const std::string wwvPath = ctx_.folder.findCaseInsensitive("\\wwv.txt");
    const bool spoken = guarded("WWV report", [&] {
        const FetchResult fetched = web_.fetchText(url);
        if (!fetched.ok || fetched.text.empty())
            throw std::runtime_error(fetched.error);
        const std::vector<std::string> lines = splitLines(fetched.text);
        writeOrThrow(rawPath, joinLines(lines));

        std::vector<std::string> doc{"<xml>"};
        if (ctx_.settings.VoiceTypeAtt == 0) {
            doc.emplace_back(
                "This report was prepared by the United States Department of Commerce, Space "
                "Environment Center,");
            doc.emplace_back(
                "and is brought to you by <spell>QZ9</spell><silence msec=\"10\"/>Zees Voxclock "
                "Text 2 Speech.");
        } else if (ctx_.settings.VoiceTypeAtt == 1) {
            doc.emplace_back(
                "This report was prepared by the United States Department of Commerce Space "
                "Environment Center,");
            doc.emplace_back("and is brought to you by QZ9 Zees Voxclock Text 2 Speech.");
        }
        for (std::string line : lines) {
            // Header and comment lines of the bulletin.
            if (!line.empty() && (line[0] == ':' || line[0] == '#'))
                continue;
            line = ReplaceFirst(line, "A-index ", "A-index was ");
            line = ReplaceFirst(line, "Solar flux ", "Solar flux was ");
            if (line.find(kKIndex) != std::string::npos)
                line = speakKIndexTime(line);
            // The bulletin is plain text from the web: nothing in it may act as speech markup.
            if (!line.empty())
                doc.push_back(xmlEscape(line));
        }
        doc.push_back("This is " + ctx_.settings.WxNodeCall + ".");
        doc.emplace_back("</xml>");
        writeOrThrow(wwvPath, joinLines(doc));

        ctx_.speech.KeyTransmitter();
        ctx_.speech.PlayFile(wwvPath);
        ctx_.speech.UnkeyTransmitter();
        std::error_code ec;
        std::filesystem::remove(wwvPath, ec);
        std::filesystem::remove(rawPath, ec);
    });
    if (spoken)
        return;
    ctx_.speech.unkeyAfterFailure();
    guarded("WWV apology", [&] {
        ctx_.speech.SpeakText("Sorry, the <spell>WWV</spell> report is not currently available.");
        peers_.sendStationId();
    });
}

}  // namespace vox

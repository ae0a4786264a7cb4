#include "core/base/speech_markup.h"

#include "core/base/utf8.h"
#include "core/base/xml_escape.h"

#include <cctype>
#include <cstdint>
#include <string_view>

namespace vox {

namespace {

bool startsWithNoCase(std::string_view text, std::size_t pos, std::string_view word) {
    if (text.size() - pos < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[pos + i]);
        if (std::tolower(a) != static_cast<unsigned char>(word[i]))
            return false;
    }
    return true;
}

void skipBlanks(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
        ++pos;
}

// Reads a silence element at pos ("<silence msec="N"/>", blanks and either quote allowed).
// Returns its end, or npos when the text there is not a well-formed silence element. A value
// that is not a whole number, or is negative, gives no pause; a huge one is clamped.
std::size_t readSilence(std::string_view text, std::size_t pos, int& ms) {
    std::size_t p = pos;
    if (!startsWithNoCase(text, p, "<silence"))
        return std::string_view::npos;
    p += 8;
    const std::size_t afterName = p;
    skipBlanks(text, p);
    if (p == afterName || !startsWithNoCase(text, p, "msec"))
        return std::string_view::npos;
    p += 4;
    skipBlanks(text, p);
    if (p >= text.size() || text[p] != '=')
        return std::string_view::npos;
    ++p;
    skipBlanks(text, p);
    if (p >= text.size() || (text[p] != '"' && text[p] != '\''))
        return std::string_view::npos;
    const char quote = text[p++];
    const std::size_t close = text.find(quote, p);
    if (close == std::string_view::npos)
        return std::string_view::npos;
    const std::string_view value = text.substr(p, close - p);
    p = close + 1;
    skipBlanks(text, p);
    if (!startsWithNoCase(text, p, "/>"))
        return std::string_view::npos;
    p += 2;

    std::int64_t n = 0;
    bool valid = !value.empty();
    for (char c : value) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            valid = false;
            break;
        }
        if (n <= kMaxSilenceMs)
            n = n * 10 + (c - '0');
    }
    ms = valid ? static_cast<int>(n < kMaxSilenceMs ? n : kMaxSilenceMs) : 0;
    return p;
}

// Decodes the character reference at pos ("&amp;", "&#65;", "&#x41;" ...) into out. Returns the
// length consumed, or 0 when the text there is not a reference (then "&" stands for itself).
std::size_t readEntity(std::string_view text, std::size_t pos, std::string& out) {
    static constexpr struct {
        std::string_view name;
        char value;
    } kNamed[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    for (const auto& e : kNamed) {
        if (text.substr(pos, e.name.size()) == e.name) {
            out += e.value;
            return e.name.size();
        }
    }
    if (text.substr(pos, 2) != "&#")
        return 0;
    std::size_t p = pos + 2;
    const bool hex = p < text.size() && (text[p] == 'x' || text[p] == 'X');
    if (hex)
        ++p;
    std::uint32_t code = 0;
    const std::size_t digitsStart = p;
    while (p < text.size() && p - digitsStart < 8 &&
           (hex ? std::isxdigit(static_cast<unsigned char>(text[p]))
                : std::isdigit(static_cast<unsigned char>(text[p])))) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[p])));
        code =
            code * (hex ? 16 : 10) + static_cast<std::uint32_t>(c <= '9' ? c - '0' : c - 'a' + 10);
        ++p;
    }
    if (p == digitsStart || p >= text.size() || text[p] != ';')
        return 0;
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    // UTF-8, the encoding of every text handed to the voices.
    appendUtf8(out, static_cast<char32_t>(code));
    return p + 1 - pos;
}

class RunBuilder {
public:
    void addText(SpeechRun::Kind kind, std::string_view text) {
        if (text.empty())
            return;
        if (runs_.empty() || runs_.back().kind != kind)
            runs_.push_back({kind, {}, 0});
        runs_.back().text += text;
    }
    void addSilence(int ms) {
        if (ms <= 0)
            return;
        if (!runs_.empty() && runs_.back().kind == SpeechRun::Kind::Silence) {
            const int sum = runs_.back().silenceMs + ms;
            runs_.back().silenceMs = sum < kMaxSilenceMs ? sum : kMaxSilenceMs;
            return;
        }
        runs_.push_back({SpeechRun::Kind::Silence, {}, ms});
    }
    std::vector<SpeechRun> take() { return std::move(runs_); }

private:
    std::vector<SpeechRun> runs_;
};

}  // namespace

std::vector<SpeechRun> parseSpeechMarkup(const std::string& input) {
    const std::string_view text(input);
    RunBuilder runs;
    bool spelling = false;
    std::string pending;  // characters of the current run, unescaped
    auto flush = [&] {
        runs.addText(spelling ? SpeechRun::Kind::Spell : SpeechRun::Kind::Speech, pending);
        pending.clear();
    };

    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '&') {
            const std::size_t used = readEntity(text, pos, pending);
            if (used > 0) {
                pos += used;
            } else {
                pending += c;
                ++pos;
            }
            continue;
        }
        if (c != '<') {
            pending += c;
            ++pos;
            continue;
        }
        // Delimiting tags vanish; a stray closing tag is markup too, not words.
        if (startsWithNoCase(text, pos, "<xml>") || startsWithNoCase(text, pos, "</xml>")) {
            pos += text[pos + 1] == '/' ? 6 : 5;
            continue;
        }
        if (startsWithNoCase(text, pos, "<spell>")) {
            flush();
            spelling = true;
            pos += 7;
            continue;
        }
        if (startsWithNoCase(text, pos, "</spell>")) {
            flush();
            spelling = false;
            pos += 8;
            continue;
        }
        int ms = 0;
        const std::size_t end = readSilence(text, pos, ms);
        if (end != std::string_view::npos) {
            flush();
            runs.addSilence(ms);
            pos = end;
            continue;
        }
        pending += c;
        ++pos;
    }
    flush();
    return runs.take();
}

std::string stripSpeechMarkup(const std::string& text) {
    std::string out;
    bool gap = false;  // a pause lies between the last word and the next
    for (const SpeechRun& run : parseSpeechMarkup(text)) {
        if (run.kind == SpeechRun::Kind::Silence) {
            gap = true;
            continue;
        }
        // A pause separates words that the markup had written together ("QZ9<silence/>Zees").
        if (gap && !out.empty() && !std::isspace(static_cast<unsigned char>(out.back())) &&
            !std::isspace(static_cast<unsigned char>(run.text.front()))) {
            out += ' ';
        }
        gap = false;
        out += run.text;
    }
    return out;
}

namespace {
void appendEscaped(std::string& out, const std::string& text) {
    appendXmlEscaped(out, text, {.blankControls = true});
}
}  // namespace

std::string speechRunsToSsml(const std::vector<SpeechRun>& runs) {
    std::string out = "<speak>";
    for (const SpeechRun& run : runs) {
        if (run.kind == SpeechRun::Kind::Speech) {
            appendEscaped(out, run.text);
        } else if (run.kind == SpeechRun::Kind::Spell) {
            out += "<say-as interpret-as=\"characters\">";
            appendEscaped(out, run.text);
            out += "</say-as>";
        }
    }
    out += "</speak>";
    return out;
}

std::string speechRunsToPlainText(const std::vector<SpeechRun>& runs) {
    std::string out;
    auto blank = [&out] {
        if (!out.empty() && out.back() != ' ')
            out += ' ';
    };
    for (const SpeechRun& run : runs) {
        if (run.kind == SpeechRun::Kind::Speech) {
            for (const char c : run.text) {
                const auto u = static_cast<unsigned char>(c);
                out += u < 0x20 || u == 0x7F ? ' ' : c;
            }
        } else if (run.kind == SpeechRun::Kind::Spell) {
            blank();
            for (std::size_t i = 0; i < run.text.size(); ++i) {
                const auto u = static_cast<unsigned char>(run.text[i]);
                if (u <= 0x20 || u == 0x7F)
                    continue;
                if (u >= 0x80) {
                    // A character of several bytes stays whole.
                    out += run.text[i];
                    if (i + 1 < run.text.size() &&
                        (static_cast<unsigned char>(run.text[i + 1]) & 0xC0) == 0x80)
                        continue;
                } else if (u == '-') {
                    out += "dash";
                } else {
                    out += static_cast<char>(std::toupper(u));
                }
                out += ' ';
            }
        }
    }
    return out;
}

}  // namespace vox

#include "core/base/air_log.h"

#include <cstdio>

#include "core/base/utf8.h"

namespace vox {

std::string jsonQuote(const std::string& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            if (const int n = utf8SequenceAt(text, i); n > 0) {
                out.append(text, i, static_cast<std::size_t>(n));
                i += static_cast<std::size_t>(n);
            } else {
                // Not UTF-8: a byte of the settings' code page.
                const char32_t code = windows1252CodePoint(c);
                appendUtf8(out, code ? code : U'\uFFFD');
                ++i;
            }
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
        ++i;
    }
    return out + "\"";
}

void AirLog::record(const std::string& ev, std::initializer_list<AirField> fields) {
    if (!sink_)
        return;
    std::string line =
        "{\"t\":" + jsonQuote(formatIsoMs(clock_.localNow())) + ",\"ev\":" + jsonQuote(ev);
    for (const auto& f : fields) {
        line += "," + jsonQuote(f.key) + ":";
        if (const auto* s = std::get_if<std::string>(&f.value))
            line += jsonQuote(*s);
        else if (const auto* b = std::get_if<bool>(&f.value))
            line += *b ? "true" : "false";
        else
            line += std::to_string(std::get<long long>(f.value));
    }
    line += "}";
    sink_(line);
}

}  // namespace vox

#include "base/air_log.h"

#include <cstdio>

namespace vox {
namespace {

// Windows-1252 0x80..0x9F; the rest of the upper half maps to the same code point.
const unsigned short kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void appendUtf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Length of a valid UTF-8 sequence starting at i, or 0.
std::size_t utf8Length(const std::string& s, std::size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
    if (n == 0 || i + n > s.size())
        return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
            return 0;
    return n;
}

}  // namespace

std::string jsonQuote(const std::string& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            if (std::size_t n = utf8Length(text, i)) {
                out.append(text, i, n);
                i += n;
            } else {
                appendUtf8(out, c < 0xA0 ? kCp1252High[c - 0x80] : c);
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

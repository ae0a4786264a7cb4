#include "base/speakable_text.h"

#include <fstream>

namespace vox {

namespace {

// Unicode code points of 0x80..0x9F in Windows-1252; 0 marks the five undefined bytes.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Text past this point is not read: it would keep the transmitter keyed for hours.
constexpr std::size_t kMaxFileBytes = 256 * 1024;

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Length of the well-formed sequence at i; 0 when there is none; -1 when the bytes that are
// there are a good start of one but the text ends before it does.
int sequenceAt(const std::string& s, std::size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80)
        return 1;
    int n = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // the allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0)
            lo = 0xA0;  // overlong
        if (c == 0xED)
            hi = 0x9F;  // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0)
            lo = 0x90;
        if (c == 0xF4)
            hi = 0x8F;
    } else {
        return 0;
    }
    for (int k = 1; k < n; ++k) {
        if (i + static_cast<std::size_t>(k) >= s.size())
            return -1;
        const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if (k == 1 ? (b < lo || b > hi) : (b & 0xC0) != 0x80)
            return 0;
    }
    return n;
}

// The length of the well-formed UTF-8 at the start: all of s, or up to a sequence cut off by
// the end of s; npos when a byte on the way is not UTF-8.
std::size_t utf8Prefix(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const int n = sequenceAt(s, i);
        if (n == 0)
            return std::string::npos;
        if (n < 0)
            return i;
        i += static_cast<std::size_t>(n);
    }
    return s.size();
}

std::string utf16ToUtf8(const std::string& bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    const std::size_t end = bytes.size() & ~std::size_t{1};
    for (std::size_t i = 2; i < end; i += 2) {
        const char32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 2 >= end)
                break;  // cut off after the first half of a pair
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
            } else {
                appendUtf8(out, kReplacement);
            }
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

bool startsWith(const std::string& s, const char* prefix, std::size_t n) {
    return s.size() >= n && s.compare(0, n, prefix, n) == 0;
}

}  // namespace

std::string windows1252ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        char32_t code = byte;
        if (byte >= 0x80 && byte < 0xA0)
            code = kHighControls[byte - 0x80] ? kHighControls[byte - 0x80] : U' ';
        appendUtf8(out, code);
    }
    return out;
}

std::string decodeText(const std::string& bytes, bool truncated) {
    if (startsWith(bytes, "\xFF\xFE", 2))
        return utf16ToUtf8(bytes, false);
    if (startsWith(bytes, "\xFE\xFF", 2))
        return utf16ToUtf8(bytes, true);
    const std::size_t bom = startsWith(bytes, "\xEF\xBB\xBF", 3) ? 3 : 0;
    const std::string body = bytes.substr(bom);
    const std::size_t valid = utf8Prefix(body);
    if (valid == body.size() || (truncated && valid != std::string::npos))
        return body.substr(0, valid);
    return windows1252ToUtf8(body);
}

std::optional<std::string> readSpeakableTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes(kMaxFileBytes, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    const bool truncated = in.gcount() == static_cast<std::streamsize>(kMaxFileBytes) &&
                           in.peek() != std::char_traits<char>::eof();
    // UTF-16 is full of NUL bytes; decoded, it must hold none.
    std::string text = decodeText(bytes, truncated);
    if (text.find('\0') != std::string::npos)
        return std::nullopt;
    return text;
}

}  // namespace vox

#include "core/base/speakable_text.h"

#include <fstream>

#include "core/base/utf8.h"

namespace vox {

namespace {

// Text past this point is not read: it would keep the transmitter keyed for hours.
constexpr std::size_t kMaxFileBytes = 256 * 1024;

constexpr char32_t kReplacement = 0xFFFD;

// The length of the well-formed UTF-8 at the start: all of s, or up to a sequence cut off by
// the end of s; npos when a byte on the way is not UTF-8.
std::size_t utf8Prefix(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const int n = utf8SequenceAt(s, i);
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
        const char32_t code = windows1252CodePoint(byte);
        appendUtf8(out, code != 0 || byte == 0 ? code : U' ');
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

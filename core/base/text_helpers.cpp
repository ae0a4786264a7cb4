#include "core/base/text_helpers.h"

#include <algorithm>
#include <exception>

namespace vox {
namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

std::size_t findNoCase(const std::string& text, const std::string& find, std::size_t from) {
    if (find.empty() || from > text.size() || text.size() - from < find.size()) {
        return std::string::npos;
    }
    auto it =
        std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), find.begin(),
                    find.end(), [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
    return it == text.end() ? std::string::npos : static_cast<std::size_t>(it - text.begin());
}

// Replaces from position `from` on without looking back at what was inserted.
std::string replaceInOnePass(std::string text, const std::string& find,
                             const std::string& replacement, std::size_t from,
                             const std::function<void()>& pump) {
    for (std::size_t p = findNoCase(text, find, from); p != std::string::npos;
         p = findNoCase(text, find, p + replacement.size())) {
        text.replace(p, find.size(), replacement);
        if (pump)
            pump();
    }
    if (pump)
        pump();
    return text;
}

}  // namespace

std::string ReplaceAll(std::string text, const std::string& find, const std::string& replacement,
                       const std::function<void()>& pump) {
    if (find.empty())
        return text;
    if (findNoCase(replacement, find, 0) != std::string::npos) {
        return replaceInOnePass(std::move(text), find, replacement, 0, pump);
    }
    // Some replacements recreate the word forever even without containing it ("ab" -> "bbaa" in
    // "aab"); past these bounds the rest is finished in one pass so the call always ends.
    const std::size_t maxRounds = 10000 + text.size();
    const std::size_t maxSize = 4 * text.size() + 4096;
    // Nothing before the last replacement's start could match before it, so a new occurrence can
    // begin at most find.size() - 1 bytes earlier; searching from there equals searching from 1.
    std::size_t from = 0;
    for (std::size_t round = 0;; ++round) {
        const std::size_t p = findNoCase(text, find, from);
        if (p == std::string::npos)
            break;
        if (round >= maxRounds || text.size() > maxSize) {
            return replaceInOnePass(std::move(text), find, replacement, p, pump);
        }
        text.replace(p, find.size(), replacement);
        from = p >= find.size() - 1 ? p - (find.size() - 1) : 0;
        if (pump)
            pump();
    }
    if (pump)
        pump();
    return text;
}

std::string ReplaceFirst(std::string text, const std::string& find,
                         const std::string& replacement) {
    const std::size_t p = findNoCase(text, find, 0);
    if (p != std::string::npos)
        text.replace(p, find.size(), replacement);
    return text;
}

std::string SpellDtmfCode(const std::string& code) {
    try {
        std::string words;
        for (char c : code) {
            if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'D')) {
                words += c;
                words += ", ";
            } else if (c == '*') {
                words += "star, ";
            } else if (c == '#') {
                words += "pound, ";
            }
        }
        return words;
    } catch (const std::exception&) {
        return "ERROR!";
    }
}

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string UpperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string ShownExcerpt(const std::string& text) {
    std::string out;
    for (unsigned char c : text.substr(0, 40))
        out += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    if (text.size() > 40)
        out += "...";
    return out;
}

namespace {

std::string trimmedOf(const std::string& text, const char* blanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace

std::string TrimBlanks(const std::string& text) {
    return trimmedOf(text, " ");
}

std::string TrimBlanksLeft(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string TrimBlanksRight(const std::string& text) {
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

std::string TrimSpacesAndTabs(const std::string& text) {
    return trimmedOf(text, " \t");
}

std::string TrimWhitespace(const std::string& text) {
    return trimmedOf(text, " \t\r\n");
}

}  // namespace vox

#include "core/console/form_data.h"

namespace vox {
namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::string> decode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '+') {
            c = ' ';
        } else if (c == '%') {
            if (i + 2 >= text.size())
                return std::nullopt;
            const int hi = hexDigit(text[i + 1]);
            const int lo = hexDigit(text[i + 2]);
            if (hi < 0 || lo < 0)
                return std::nullopt;
            c = static_cast<char>(hi * 16 + lo);
            i += 2;
        }
        if (c == '\0')
            return std::nullopt;
        out.push_back(c);
    }
    return out;
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

}  // namespace

std::optional<FormFields> parseFormBody(std::string_view body) {
    FormFields fields;
    std::size_t start = 0;
    while (start <= body.size()) {
        std::size_t end = body.find('&', start);
        if (end == std::string_view::npos)
            end = body.size();
        const std::string_view item = body.substr(start, end - start);
        if (!item.empty()) {
            const std::size_t eq = item.find('=');
            if (eq == std::string_view::npos)
                return std::nullopt;
            auto name = decode(item.substr(0, eq));
            auto value = decode(item.substr(eq + 1));
            if (!name || !value || name->empty() || fields.size() >= kMaxFormFields)
                return std::nullopt;
            if (!fields.emplace(std::move(*name), std::move(*value)).second)
                return std::nullopt;
        }
        if (end == body.size())
            break;
        start = end + 1;
    }
    return fields;
}

std::string cookieValue(std::string_view header, std::string_view name) {
    std::size_t start = 0;
    while (start < header.size()) {
        std::size_t end = header.find(';', start);
        if (end == std::string_view::npos)
            end = header.size();
        const std::string_view item = trimBlanks(header.substr(start, end - start));
        const std::size_t eq = item.find('=');
        if (eq != std::string_view::npos && trimBlanks(item.substr(0, eq)) == name)
            return std::string(trimBlanks(item.substr(eq + 1)));
        start = end + 1;
    }
    return {};
}

}  // namespace vox

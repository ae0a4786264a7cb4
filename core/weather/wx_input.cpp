#include "core/weather/wx_input.h"

#include <fstream>
#include <system_error>

#include "core/base/program_folder.h"

namespace vox {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

}  // namespace

bool readWeatherFile(const std::string& path, std::string* bytes, std::string* error) {
    if (!isRegularFile(path)) {
        *error = "not found: " + path;
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = "cannot be opened: " + path;
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::size_t>(size) > kMaxWeatherFileBytes) {
        *error = "too large: " + path;
        return false;
    }
    in.seekg(0, std::ios::beg);
    bytes->assign(static_cast<std::size_t>(size), '\0');
    if (size > 0 && !in.read(bytes->data(), size)) {
        *error = "cannot be read: " + path;
        return false;
    }
    return true;
}

void CsvTokens::skipEmptyLines() {
    if (lineHasToken_)
        return;
    std::size_t p = pos_;
    while (p < text_.size()) {
        while (p < text_.size() && isBlank(text_[p]))
            ++p;
        if (p < text_.size() && isLineEnd(text_[p])) {
            p += (text_[p] == '\r' && p + 1 < text_.size() && text_[p + 1] == '\n') ? 2 : 1;
            pos_ = p;
            continue;
        }
        if (p >= text_.size())
            pos_ = p;
        return;
    }
}

bool CsvTokens::atEnd() {
    skipEmptyLines();
    return !lineHasToken_ && pos_ >= text_.size();
}

bool CsvTokens::next(std::string* token) {
    if (atEnd())
        return false;
    const std::size_t size = text_.size();
    while (pos_ < size && isBlank(text_[pos_]))
        ++pos_;
    token->clear();
    if (pos_ < size && text_[pos_] == '"') {
        const std::size_t close = text_.find('"', pos_ + 1);
        if (close == std::string::npos) {
            // An unterminated quote takes the rest of the text.
            token->assign(text_, pos_ + 1, std::string::npos);
            pos_ = size;
            lineHasToken_ = false;
            return true;
        }
        token->assign(text_, pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
        while (pos_ < size && text_[pos_] != ',' && !isLineEnd(text_[pos_]))
            ++pos_;
    } else {
        const std::size_t start = pos_;
        while (pos_ < size && text_[pos_] != ',' && !isLineEnd(text_[pos_]))
            ++pos_;
        token->assign(text_, start, pos_ - start);
    }
    if (pos_ < size && text_[pos_] == ',') {
        ++pos_;
        lineHasToken_ = true;
    } else {
        if (pos_ < size)
            pos_ += (text_[pos_] == '\r' && pos_ + 1 < size && text_[pos_ + 1] == '\n') ? 2 : 1;
        lineHasToken_ = false;
    }
    return true;
}

std::vector<std::string> textLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t size = text.size();
    while (start < size) {
        std::size_t end = start;
        while (end < size && !isLineEnd(text[end]))
            ++end;
        lines.push_back(text.substr(start, end - start));
        if (end < size && text[end] == '\r' && end + 1 < size && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

}  // namespace vox

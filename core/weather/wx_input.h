#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vox {

// The weather programs' files, read whole. A file larger than this is not one of theirs.
inline constexpr std::size_t kMaxWeatherFileBytes = 8 * 1024 * 1024;

// The file's bytes; false with a reason when it is missing, unreadable or too large.
bool readWeatherFile(const std::string& path, std::string* bytes, std::string* error);

// The comma/line token stream the weather programs write: a token ends at a comma or at the end
// of a line; blanks before a token are skipped; a token that begins with a double quote runs to
// the closing quote (commas and line ends included) and whatever follows it up to the next comma
// or line end is dropped. An empty line gives no token. Bytes are taken as they are.
class CsvTokens {
public:
    // Reads the text in place: it must outlive the reader, so a temporary is refused.
    explicit CsvTokens(const std::string& text) : text_(text) {}
    explicit CsvTokens(std::string&&) = delete;
    // The next token; false at the end of the text.
    bool next(std::string* token);
    bool atEnd();

private:
    void skipEmptyLines();

    const std::string& text_;
    std::size_t pos_ = 0;
    bool lineHasToken_ = false;  // a comma on this line asks for one more token, even empty
};

// The lines of a text: CR LF, LF or CR end a line; a final line without its end still counts.
std::vector<std::string> textLines(const std::string& text);

}  // namespace vox

#include "core/settings/settings_format.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

namespace vox {
namespace {

using IntField = std::int16_t Settings::*;
using RealField = double Settings::*;
using TextField = std::string Settings::*;
using SettingField = std::variant<IntField, RealField, TextField>;

// A line that holds one value. The whole-line values may contain commas.
struct ValueLine {
    int line;
    SettingField field;
    const char* newFileText;
    bool wholeLine = false;
};

// clang-format off
const ValueLine kValueLines[] = {
    {3, &Settings::InfoFilePath, ""},
    {4, &Settings::InfoFolder, ""},
    {5, &Settings::FanRts, "0"},
    {6, &Settings::FanDtr, "0"},
    {15, &Settings::CwIdAfterTime, "0"},
    {16, &Settings::SoundDevice, "0"},
    {17, &Settings::DtmfPlayFile, "00#"},
    {18, &Settings::DtmfPlayTime, "00*"},
    {19, &Settings::DtmfWxForecast, "44*"},
    {20, &Settings::DtmfPlayHelp, "88*"},
    {21, &Settings::DtmfConnList, "77*"},
    {22, &Settings::DtmfAutoToggle, "*0*"},
    {23, &Settings::DtmfBusyToggle, "*1*"},
    {24, &Settings::DtmfRecordStart, "11*"},
    {25, &Settings::DtmfRecordStop, "22*"},
    {26, &Settings::DtmfRecordPlayback, "33*"},
    {27, &Settings::DtmfWx, "99*"},
    {28, &Settings::DtmfLock, "BADC"},
    {29, &Settings::DtmfSpeedDial, "411"},
    {30, &Settings::RecordMax, "5"},
    {31, &Settings::UsePreamble, "0"},
    {32, &Settings::CwIdEnabled, "1"},
    {33, &Settings::CwIdMinutes, "10"},
    {34, &Settings::FanTime, "5"},
    {35, &Settings::TxDelaySeconds, "0.5"},
    {36, &Settings::WxUrl, "c:\\program files\\wxex\\", true},
    {37, &Settings::WxArea, "Your QTH For Weather", true},
    {38, &Settings::WxNodeCall, "Your Call Phonetically For Weather", true},
    {39, &Settings::WxIsMetric, "0"},
    {40, &Settings::QuietStart, "00:00"},
    {41, &Settings::QuietStop, "00:00"},
    {42, &Settings::WxDtmf, "1"},
    {43, &Settings::AllowRsgb, "0"},
    {44, &Settings::ToneBurst, "0"},
    {45, &Settings::ActiveMinutes, "5"},
    {46, &Settings::ActiveReminder, "0"},
    {47, &Settings::AllowWwv, "0"},
    {48, &Settings::AllowInfo, "0"},
    {49, &Settings::TtsLocalConnDisc, "1"},
    {50, &Settings::TtsChatMsg, "0"},
    {51, &Settings::TtsRemoteConnDisc, "0"},
    {52, &Settings::VoiceTypeAtt, "0"},
    {53, &Settings::SpeechRate, "0"},
    {54, &Settings::BusyMinutes, "0"},
    {55, &Settings::BusyReminder, "0"},
    {56, &Settings::TtsFullChatText, "0"},
    {57, &Settings::DtmfTextToggle, "*2*"},
    {58, &Settings::VoiceIdAfterTime, "0"},
    {59, &Settings::NodeOffIfQuiet, "0"},
    {60, &Settings::DtmfNodeQuietToggle, "D"},
    {61, &Settings::SkipIfBusy, "0"},
    {62, &Settings::TtsTime24, "0"},
    {63, &Settings::DtmfLocalWx, "55*"},
    {64, &Settings::LocalWxFile, ""},
    {65, &Settings::WxStationType, "0"},
    {66, &Settings::WxWarnEnabled, "0"},
    {67, &Settings::WxWarnMinutes, "20"},
    {68, &Settings::DtmfWxWarn, "33*"},
    {69, &Settings::TimeAfterConnDisc, "0"},
    {70, &Settings::CwIdPassive, ""},  // a new file leaves it empty
};
// clang-format on

const IntField kTimeFlags[] = {&Settings::TimeHour, &Settings::TimeHalfHour,
                               &Settings::TimeQuarterHour};
const IntField kFileFlags[] = {&Settings::FileHour, &Settings::FileHalfHour,
                               &Settings::FileQuarterHour};

using NodeField =
    std::variant<std::int16_t RemoteNode::*, std::int32_t RemoteNode::*, std::string RemoteNode::*>;
// File order; Dtmf is second in the file though last in the record.
const NodeField kNodeFields[] = {
    &RemoteNode::Node,       &RemoteNode::Dtmf,       &RemoteNode::Auto,
    &RemoteNode::Slot1Start, &RemoteNode::Slot1Stop,  &RemoteNode::Slot2Start,
    &RemoteNode::Slot2Stop,  &RemoteNode::Slot3Start, &RemoteNode::Slot3Stop,
    &RemoteNode::Delay,      &RemoteNode::Daily,      &RemoteNode::Mon,
    &RemoteNode::Tue,        &RemoteNode::Wed,        &RemoteNode::Thu,
    &RemoteNode::Fri,        &RemoteNode::Sat,        &RemoteNode::Sun,
};
constexpr std::size_t kNodeFieldCount = std::size(kNodeFields);

constexpr int kValueLineCount = 70;
constexpr int kTrailingEmptyLines = 50;
constexpr int kFirstNodeLine = 7;
// No setting comes near this; a longer line is not a settings file.
constexpr std::size_t kMaxLineLength = 16 * 1024;
const char* const kCrLf = "\r\n";

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

// ---- Writing ----

// Print # of a number alone on a line: a blank (or the minus sign) before, one blank after.
std::string printedNumber(const std::string& digits) {
    return (digits[0] == '-' ? "" : " ") + digits + " ";
}

// Str$ form of a real: up to 15 significant digits, no zero before the point (".5", "-.5").
std::string realDigits(double value) {
    if (value == 0 || !std::isfinite(value))
        value = 0;  // no "-0", "inf" or "nan" on disk
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string s(buf, res.ptr);
    for (char& c : s) {
        if (c == 'e')
            c = 'E';
    }
    if (s.rfind("0.", 0) == 0)
        s.erase(0, 1);
    if (s.rfind("-0.", 0) == 0)
        s.erase(1, 1);
    return s;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A text value that cannot shift the fields after it when read back.
std::string fieldText(const std::string& value) {
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c == ',' || c == '\r' || c == '\n')
            continue;
        if (out.empty() && (isBlank(c) || c == '"'))
            continue;
        out += c;
    }
    return out;
}

std::string wholeLineText(const std::string& value) {
    std::string out;
    for (char c : value) {
        if (c != '\r' && c != '\n')
            out += c;
    }
    return out;
}

std::string upperAscii(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    }
    return s;
}

std::string flagsLine(const Settings& s, const IntField (&fields)[3]) {
    return std::to_string(s.*fields[0]) + "," + std::to_string(s.*fields[1]) + "," +
           std::to_string(s.*fields[2]);
}

std::string nodeLine(const RemoteNode& node) {
    std::string line;
    for (std::size_t i = 0; i < kNodeFieldCount; ++i) {
        if (i > 0)
            line += ',';
        std::visit(Overloaded{
                       [&](std::string RemoteNode::*f) {
                           line +=
                               fieldText(f == &RemoteNode::Node ? upperAscii(node.*f) : node.*f);
                       },
                       [&](auto f) { line += std::to_string(node.*f); },
                   },
                   kNodeFields[i]);
    }
    return line;
}

std::string valueLine(const Settings& s, const ValueLine& v) {
    return std::visit(
        Overloaded{
            [&](IntField f) { return printedNumber(std::to_string(s.*f)); },
            [&](RealField f) { return printedNumber(realDigits(s.*f)); },
            [&](TextField f) { return v.wholeLine ? wholeLineText(s.*f) : fieldText(s.*f); },
        },
        v.field);
}

// Lines 1 to 70 from a function that gives each line's text.
template <class LineText>
std::string joinLines(LineText&& text, int emptyLinesAfter) {
    std::string out;
    for (int line = 1; line <= kValueLineCount; ++line) {
        out += text(line);
        out += kCrLf;
    }
    for (int i = 0; i < emptyLinesAfter; ++i)
        out += kCrLf;
    return out;
}

const ValueLine* valueLineAt(int line) {
    for (const ValueLine& v : kValueLines) {
        if (v.line == line)
            return &v;
    }
    return nullptr;
}

// ---- Reading ----

// Reads lines ended by CR LF, CR or LF, at most kMaxLineLength bytes each.
class LineReader {
public:
    explicit LineReader(std::istream& in) : buf_(*in.rdbuf()) {}
    enum class Status { Line, EndOfFile, TooLong };

    Status next(std::string& line) {
        line.clear();
        using Traits = std::istream::traits_type;
        int c = buf_.sbumpc();
        if (c == Traits::eof())
            return Status::EndOfFile;
        for (; c != Traits::eof(); c = buf_.sbumpc()) {
            if (c == '\n')
                break;
            if (c == '\r') {
                if (buf_.sgetc() == '\n')
                    buf_.sbumpc();
                break;
            }
            if (line.size() >= kMaxLineLength)
                return Status::TooLong;
            line += static_cast<char>(c);
        }
        return Status::Line;
    }

private:
    std::streambuf& buf_;
};

// The first `count` values of a line, the way Input # reads them. Missing values are empty;
// values past `count` are ignored.
std::vector<std::string> inputValues(std::string_view line, std::size_t count) {
    std::vector<std::string> values;
    std::size_t p = 0;
    while (values.size() < count) {
        while (p < line.size() && isBlank(line[p]))
            ++p;
        std::string value;
        if (p < line.size() && line[p] == '"') {
            const std::size_t close = line.find('"', p + 1);
            const std::size_t end = close == std::string_view::npos ? line.size() : close;
            value = line.substr(p + 1, end - p - 1);
            p = end;
            // Whatever follows the closing quote up to the separator is dropped.
            const std::size_t comma = line.find(',', p);
            p = comma == std::string_view::npos ? line.size() : comma + 1;
        } else {
            const std::size_t comma = line.find(',', p);
            const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
            value = line.substr(std::min(p, line.size()), end - std::min(p, end));
            p = comma == std::string_view::npos ? line.size() : comma + 1;
        }
        values.push_back(std::move(value));
    }
    return values;
}

// A decimal number: sign, digits with an optional point, optional exponent. Empty reads 0.
std::optional<double> parseNumber(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    if (s.empty())
        return 0.0;
    std::string text(s);
    std::size_t i = 0;
    if (text[i] == '+' || text[i] == '-')
        ++i;
    const std::size_t mantissaStart = i;
    std::size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i, ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        text[i++] = 'e';
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        const std::size_t expStart = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        if (i == expStart)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    double value = 0;
    const char* first = text.data() + mantissaStart;
    const auto res = std::from_chars(first, text.data() + text.size(), value);
    if (res.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return text[0] == '-' ? -value : value;
}

// A whole number of type T; a fraction is rounded half to even as the classic runtime does.
template <class T>
std::optional<T> parseWhole(std::string_view s) {
    const std::optional<double> v = parseNumber(s);
    if (!v)
        return std::nullopt;
    const double rounded = std::nearbyint(*v);
    if (rounded < std::numeric_limits<T>::min() || rounded > std::numeric_limits<T>::max()) {
        return std::nullopt;
    }
    return static_cast<T>(rounded);
}

class Parser {
public:
    Parser(std::istream& in, std::string* error) : reader_(in), error_(error) {}

    bool run(Settings& s) {
        std::string line;
        for (int n = 1; n <= kValueLineCount; ++n) {
            if (!nextLine(n, line))
                return false;
            if (n == 1 || n == 2) {
                if (!readFlags(n, line, s, n == 1 ? kTimeFlags : kFileFlags))
                    return false;
            } else if (n >= kFirstNodeLine && n < kFirstNodeLine + 8) {
                if (!readNode(n, line, s.RemoteNodes[static_cast<std::size_t>(n - 7)])) {
                    return false;
                }
            } else if (!readValue(n, line, s, *valueLineAt(n))) {
                return false;
            }
        }
        return true;
    }

private:
    bool nextLine(int n, std::string& line) {
        switch (reader_.next(line)) {
            case LineReader::Status::Line:
                return true;
            case LineReader::Status::EndOfFile:
                return fail(n, "the file ends before it");
            case LineReader::Status::TooLong:
                return fail(n, "longer than " + std::to_string(kMaxLineLength) + " bytes");
        }
        return false;
    }

    bool fail(int n, const std::string& why) {
        if (error_)
            *error_ = "line " + std::to_string(n) + ": " + why;
        return false;
    }

    // The value as shown in a reason: binary junk can be long.
    static std::string shown(const std::string& value) {
        return "\"" + value.substr(0, 40) + (value.size() > 40 ? "..." : "") + "\"";
    }

    template <class T>
    bool readWhole(int n, const std::string& value, T& out) {
        const std::optional<T> v = parseWhole<T>(value);
        if (!v)
            return fail(n, shown(value) + " is not a number in range");
        out = *v;
        return true;
    }

    bool readFlags(int n, const std::string& line, Settings& s, const IntField (&fields)[3]) {
        const auto values = inputValues(line, 3);
        for (std::size_t i = 0; i < 3; ++i) {
            if (!readWhole(n, values[i], s.*fields[i]))
                return false;
        }
        return true;
    }

    bool readNode(int n, const std::string& line, RemoteNode& node) {
        const auto values = inputValues(line, kNodeFieldCount);
        for (std::size_t i = 0; i < kNodeFieldCount; ++i) {
            const bool ok = std::visit(Overloaded{
                                           [&](std::string RemoteNode::*f) {
                                               node.*f = values[i];
                                               return true;
                                           },
                                           [&](auto f) { return readWhole(n, values[i], node.*f); },
                                       },
                                       kNodeFields[i]);
            if (!ok)
                return false;
        }
        // Numbers are written in full ("1e4" as "10000", an empty one as "0"): a line near the
        // limit could come back longer than it, and the next start would refuse the file the
        // program itself wrote.
        if (nodeLine(node).size() > kMaxLineLength)
            return fail(
                n, "longer than " + std::to_string(kMaxLineLength) + " bytes when written back");
        return true;
    }

    bool readValue(int n, const std::string& line, Settings& s, const ValueLine& v) {
        if (const auto* f = std::get_if<TextField>(&v.field)) {
            s.** f = v.wholeLine ? line : inputValues(line, 1)[0];
            return true;
        }
        const std::string value = inputValues(line, 1)[0];
        if (const auto* f = std::get_if<IntField>(&v.field))
            return readWhole(n, value, s.**f);
        const std::optional<double> real = parseNumber(value);
        if (!real)
            return fail(n, shown(value) + " is not a number");
        s.*std::get<RealField>(v.field) = *real;
        return true;
    }

    LineReader reader_;
    std::string* error_;
};

}  // namespace

std::string formatSettingsFile(const Settings& s) {
    return joinLines(
        [&](int n) {
            if (n == 1)
                return flagsLine(s, kTimeFlags);
            if (n == 2)
                return flagsLine(s, kFileFlags);
            if (n >= kFirstNodeLine && n < kFirstNodeLine + 8) {
                return nodeLine(s.RemoteNodes[static_cast<std::size_t>(n - kFirstNodeLine)]);
            }
            return valueLine(s, *valueLineAt(n));
        },
        kTrailingEmptyLines);
}

std::string newSettingsFileText() {
    // Line 70 is left empty, so it counts as the first of the 50 empty lines.
    return joinLines(
        [](int n) -> std::string {
            if (n == 1 || n == 2)
                return "0,0,0";
            if (n >= kFirstNodeLine && n < kFirstNodeLine + 8) {
                return std::string(kNodeFieldCount - 1, ',');
            }
            return valueLineAt(n)->newFileText;
        },
        kTrailingEmptyLines - 1);
}

bool parseSettingsFile(std::istream& in, Settings& out, std::string* error) {
    Settings read;
    if (!Parser(in, error).run(read))
        return false;
    out = std::move(read);
    return true;
}

}  // namespace vox

#include "backends/sim/control_command.h"

#include "core/base/text_helpers.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace vox {
namespace {

const char* const kMembers[] = {"ConnectTo",
                                "DisconnectFrom",
                                "SetPtt",
                                "IsRemoteAudio",
                                "IsTransmitting",
                                "IsReceiving",
                                "ConnectedCount",
                                "IsConnected",
                                "StationList",
                                "StationListXml",
                                "SetNodeEnabled",
                                "StartRecording",
                                "StopRecording",
                                "PlayAudio",
                                "SysopSettings",
                                "Busy",
                                "SetRts",
                                "SetDtr",
                                "SendChat",
                                "CreateNode",
                                "CreateSetupConfig",
                                "CreateSysopConfig",
                                "SysopMode",
                                "Callsign",
                                "RecordingMode"};

bool blank(char c) {
    return c == ' ' || c == '\t';
}

std::optional<ControlCommand> fail(std::string* error, const std::string& message) {
    if (error)
        *error = "error: " + message;
    return std::nullopt;
}

bool singleWord(const std::string& s) {
    return !s.empty() && std::none_of(s.begin(), s.end(), blank);
}

bool dtmfDigits(std::string& s) {
    for (char& c : s) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (!std::isdigit(static_cast<unsigned char>(c)) && !(c >= 'A' && c <= 'D') && c != '*' &&
            c != '#')
            return false;
    }
    return !s.empty();
}

// Relative, with no ".." part: a dry run's file faults never reach outside its folder.
bool programFolderPath(const std::string& path) {
    if (path.empty() || path[0] == '/' || path[0] == '\\' || path.find(':') != std::string::npos)
        return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = path.size();
        if (path.compare(start, end - start, "..") == 0 && end - start == 2)
            return false;
        start = end + 1;
    }
    return true;
}

}  // namespace

std::string nodeMemberName(const std::string& name) {
    const std::string wanted = LowerAscii(name);
    for (const char* m : kMembers)
        if (LowerAscii(m) == wanted)
            return m;
    return {};
}

std::optional<ControlCommand> parseControlCommand(const std::string& line, std::string* error) {
    if (error)
        error->clear();
    const std::size_t length = line.size() - (!line.empty() && line.back() == '\n' ? 1 : 0);
    if (length > kMaxControlLineBytes)
        return fail(error, "line too long");
    std::string text = line;
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    std::size_t b = 0;
    while (b < text.size() && blank(text[b]))
        ++b;
    if (b == text.size() || text[b] == '#')
        return std::nullopt;

    std::size_t e = b;
    while (e < text.size() && !blank(text[e]))
        ++e;
    const std::string word = LowerAscii(text.substr(b, e - b));
    while (e < text.size() && blank(text[e]))
        ++e;
    // The chat text is the rest of the line as it stands; other arguments lose trailing blanks.
    const std::string rest = text.substr(e);
    std::string arg = rest;
    while (!arg.empty() && blank(arg.back()))
        arg.pop_back();

    using Kind = ControlCommand::Kind;
    ControlCommand cmd;
    if (word == "connect" || word == "disconnect") {
        if (!singleWord(arg))
            return fail(error, "'" + word + "' needs one call sign");
        cmd.kind = word == "connect" ? Kind::Connect : Kind::Disconnect;
        cmd.text = arg;
    } else if (word == "chat") {
        if (rest.empty())
            return fail(error, "'chat' needs a text");
        cmd.kind = Kind::Chat;
        cmd.text = rest;
    } else if (word == "dtmf") {
        cmd.text = arg;
        if (!dtmfDigits(cmd.text))
            return fail(error, "'dtmf' needs digits 0-9 A-D * #");
        cmd.kind = Kind::Dtmf;
    } else if (word == "rx" || word == "remote" || word == "busy") {
        const std::string flag = LowerAscii(arg);
        if (flag != "on" && flag != "off")
            return fail(error, "'" + word + "' takes on or off");
        cmd.kind = word == "rx"       ? Kind::Receiving
                   : word == "remote" ? Kind::RemoteAudio
                                      : Kind::Busy;
        cmd.on = flag == "on";
    } else if (word == "stationlist" || word == "close") {
        if (!arg.empty())
            return fail(error, "'" + word + "' takes no argument");
        cmd.kind = word == "close" ? Kind::Close : Kind::StationList;
    } else if (word == "fail") {
        const auto space = std::find_if(arg.begin(), arg.end(), blank);
        const std::string member(arg.begin(), space);
        std::string count(space, arg.end());
        count.erase(count.begin(), std::find_if_not(count.begin(), count.end(), blank));
        if (member.empty())
            return fail(error, "'fail' needs a node member");
        cmd.kind = Kind::Fail;
        cmd.text = nodeMemberName(member);
        if (cmd.text.empty())
            return fail(error, "unknown node member '" + ShownExcerpt(member) + "'");
        if (!count.empty()) {
            const char* end = count.data() + count.size();
            const auto [p, ec] = std::from_chars(count.data(), end, cmd.count);
            if (ec != std::errc() || p != end || cmd.count < 0)
                return fail(error, "bad count '" + ShownExcerpt(count) + "'");
        }
    } else if (word == "voice") {
        const auto space = std::find_if(arg.begin(), arg.end(), blank);
        cmd.action = LowerAscii(std::string(arg.begin(), space));
        std::string number(space, arg.end());
        number.erase(number.begin(), std::find_if_not(number.begin(), number.end(), blank));
        cmd.kind = Kind::Voice;
        if (cmd.action == "hang") {
            if (!number.empty())
                return fail(error, "'voice hang' takes no number");
        } else if (cmd.action == "fail" || cmd.action == "stall") {
            if (number.empty() && cmd.action == "stall")
                return fail(error, "'voice stall' needs seconds");
            if (!number.empty()) {
                const char* end = number.data() + number.size();
                const auto [p, ec] = std::from_chars(number.data(), end, cmd.count);
                if (ec != std::errc() || p != end || cmd.count < 1 || cmd.count > 86400)
                    return fail(error, "bad number '" + ShownExcerpt(number) + "'");
            }
        } else {
            return fail(error, "'voice' takes fail [N], stall SECONDS or hang");
        }
    } else if (word == "file") {
        const auto space = std::find_if(arg.begin(), arg.end(), blank);
        cmd.action = LowerAscii(std::string(arg.begin(), space));
        std::string path(space, arg.end());
        path.erase(path.begin(), std::find_if_not(path.begin(), path.end(), blank));
        if (cmd.action != "remove" && cmd.action != "garble")
            return fail(error, "'file' takes remove PATH or garble PATH");
        if (!programFolderPath(path))
            return fail(error, "'file' needs a path inside the program folder: '" +
                                   ShownExcerpt(path) + "'");
        cmd.kind = Kind::File;
        cmd.text = path;
    } else {
        return fail(error, "unknown command '" + ShownExcerpt(word) + "'");
    }
    return cmd;
}

}  // namespace vox

#include "backends/svxlink/svxlink_state.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "backends/svxlink/svxlink_codes.h"
#include "core/base/text_helpers.h"

namespace vox {
namespace {

// A state line is short; anything longer is not one of SvxLink's.
constexpr std::size_t kMaxLine = 4096;

std::string upperCall(std::string call) {
    return UpperAscii(std::move(call));
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

}  // namespace

bool parseSvxlinkStateLine(const std::string& raw, SvxlinkStateLine* out, std::string* why) {
    std::string text = raw;
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    const auto fail = [&](const char* reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (text.size() > kMaxLine)
        return fail("line too long");
    // "<digits>.<3 digits>"
    const std::size_t dot = text.find('.');
    const std::size_t space = text.find(' ');
    if (dot == std::string::npos || dot == 0 || space == std::string::npos || space < dot)
        return fail("no time stamp");
    const auto digits = [&](std::size_t b, std::size_t e) {
        return std::all_of(text.begin() + static_cast<long>(b), text.begin() + static_cast<long>(e),
                           [](unsigned char c) { return std::isdigit(c) != 0; });
    };
    if (dot > 12 || !digits(0, dot) || space - dot != 4 || !digits(dot + 1, space))
        return fail("no time stamp");
    const std::size_t nameEnd = std::min(text.find(' ', space + 1), text.size());
    const std::string name = text.substr(space + 1, nameEnd - space - 1);
    if (name.empty() || name.find(':') == std::string::npos ||
        !std::all_of(name.begin(), name.end(),
                     [](unsigned char c) { return std::isalnum(c) || c == ':' || c == '_'; }))
        return fail("no event name");
    if (out) {
        out->time = std::stod(text.substr(0, dot)) + std::stod(text.substr(dot + 1, 3)) / 1000.0;
        out->name = name;
        out->data = nameEnd < text.size() ? text.substr(nameEnd + 1) : std::string();
    }
    return true;
}

std::string unescapeSvxlinkText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

std::string SvxlinkStateTracker::feed(const std::string& text) {
    SvxlinkStateLine line;
    std::string why;
    if (!parseSvxlinkStateLine(text, &line, &why))
        return "ignored: " + why;
    return use(line);
}

std::string SvxlinkStateTracker::use(const SvxlinkStateLine& line) {
    const std::vector<std::string> args = words(line.data);
    const auto flag = [&](std::size_t i, bool* value) {
        if (args.size() <= i || (args[i] != "0" && args[i] != "1"))
            return false;
        *value = args[i] == "1";
        return true;
    };
    const std::string bad = "ignored: bad data for " + line.name;
    const std::string& n = line.name;
    if (n == "Logic:transmit") {
        bool on = false;
        if (!flag(0, &on))
            return bad;
        transmitting_ = on;
    } else if (n == "Logic:squelch_open") {
        bool open = false;
        if (!flag(1, &open))
            return bad;
        if (open)
            openSquelches_.insert(args[0]);
        else
            openSquelches_.erase(args[0]);
    } else if (n == "Logic:dtmf_cmd_received") {
        // A lone "#" arrives as an empty command: nothing to answer.
        // "A" never arrives on SvxLink: its own voice-stop command stands for it.
        if (!args.empty())
            events_.onDtmfString(args[0] == kSvxlinkVoiceStop ? std::string("A") : args[0]);
    } else if (n == "EchoLink:connected" || n == "EchoLink:remote_connected") {
        if (args.empty())
            return bad;
        connected(upperCall(args[0]));
    } else if (n == "EchoLink:disconnected") {
        if (args.empty())
            return bad;
        disconnected(upperCall(args[0]));
    } else if (n == "EchoLink:client_list_changed") {
        // The full list: whatever we missed is made up for here.
        std::vector<std::string> now;
        for (const std::string& call : args)
            now.push_back(upperCall(call));
        const std::vector<std::string> before = connected_;
        for (const std::string& call : before)
            if (std::find(now.begin(), now.end(), call) == now.end())
                disconnected(call);
        for (const std::string& call : now)
            connected(call);
    } else if (n == "EchoLink:chat_received") {
        events_.onChatTextReceived(unescapeSvxlinkText(line.data));
    } else if (n == "EchoLink:is_receiving") {
        bool on = false;
        if (!flag(0, &on))
            return bad;
        talker_ = on ? (args.size() > 1 ? upperCall(args[1]) : std::string("?")) : std::string();
    } else if (n == "Logic:logic_online" || n == "Logic:dtmf_digit_received" ||
               n == "Logic:unknown_command" || n == "Logic:manual_identification" ||
               n == "EchoLink:info_received" || n == "EchoLink:directory_server_offline") {
        // Known, and nothing for us to do.
    } else {
        return "ignored: unknown event " + ShownExcerpt(n);
    }
    return {};
}

void SvxlinkStateTracker::connected(const std::string& call) {
    if (isConnected(call))
        return;
    connected_.push_back(call);
    events_.onConnected(call, "", "");
}

void SvxlinkStateTracker::disconnected(const std::string& call) {
    const auto it = std::find(connected_.begin(), connected_.end(), call);
    if (it == connected_.end())
        return;
    connected_.erase(it);
    if (talker_ == call)
        talker_.clear();
    events_.onDisconnected(call);
}

void SvxlinkStateTracker::nodeGone() {
    const std::vector<std::string> before = connected_;
    for (const std::string& call : before)
        disconnected(call);
    transmitting_ = false;
    openSquelches_.clear();
    talker_.clear();
}

bool SvxlinkStateTracker::isConnected(const std::string& call) const {
    return std::find(connected_.begin(), connected_.end(), upperCall(call)) != connected_.end();
}

}  // namespace vox

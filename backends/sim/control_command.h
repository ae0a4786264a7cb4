#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/base/control_line.h"

namespace vox {

// One line of the simulated node's control input (stdin, the control socket, an events file):
// what the node program or the people around it do.
struct ControlCommand {
    enum class Kind {
        Connect,      // a station connects to us
        Disconnect,   // a station drops
        Chat,         // a chat line arrives, "CALL>message"
        Dtmf,         // tones decoded by the node
        Receiving,    // "rx": the local receiver is busy
        RemoteAudio,  // "remote": a connected station talks
        Busy,         // the owner sets the node's busy state
        StationList,  // the node has a fresh station list
        Close,        // the node program shuts down
        Fail,         // the next calls of a node member fail
        Voice,        // dry runs: the voice fails, stalls or hangs ("fail", "stall", "hang")
        File,         // dry runs: a file of the program folder vanishes or turns to garbage
    };
    Kind kind = Kind::Close;
    std::string text;    // call sign, chat text, digits, or the node member's name
    bool on = false;     // rx, remote, busy
    int count = 1;       // fail: how many calls; voice fail: how many texts; voice stall: seconds
    std::string action;  // voice: fail, stall or hang; file: remove or garble

    bool operator==(const ControlCommand&) const = default;
};

// A node member that can be told to fail, in its proper spelling ("connectto" -> "ConnectTo");
// empty when there is no such member.
std::string nodeMemberName(const std::string& name);

// nullopt with *error set to one line ("error: unknown command 'frobnicate'") when the line is
// not a command or is longer than kMaxControlLineBytes. A blank line or a '#' comment is nothing to
// do: nullopt with *error empty.
std::optional<ControlCommand> parseControlCommand(const std::string& line, std::string* error);

}  // namespace vox

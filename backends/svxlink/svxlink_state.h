#pragma once

#include <set>
#include <string>
#include <vector>

#include "core/base/node_link.h"

namespace vox {

// One line of an SvxLink logic's STATE_PTY: "<unix s>.<ms> <name> <data>".
struct SvxlinkStateLine {
    double time = 0;
    std::string name;  // "Logic:transmit", "EchoLink:connected", ...
    std::string data;  // the rest of the line, may be empty
};

// False with the reason when the text is not such a line.
bool parseSvxlinkStateLine(const std::string& text, SvxlinkStateLine* out, std::string* why);

// Undoes the Tcl side's escaping of free text: "\n", "\r" and "\\".
std::string unescapeSvxlinkText(const std::string& text);

// Turns state lines into the node's events and keeps what they tell: the transmitter, the
// receivers' squelches, the EchoLink talker and the connected stations.
class SvxlinkStateTracker {
public:
    explicit SvxlinkStateTracker(NodeEvents& events) : events_(events) {}

    // Empty when the line was used, else why it was ignored ("ignored: ...").
    std::string feed(const std::string& text);
    // SvxLink went away: every station counts as disconnected, nothing is keyed or open.
    void nodeGone();

    bool transmitting() const { return transmitting_; }
    bool receiving() const { return !openSquelches_.empty(); }
    bool remoteAudio() const { return !talker_.empty(); }
    long connectedCount() const { return static_cast<long>(connected_.size()); }
    bool isConnected(const std::string& call) const;

private:
    std::string use(const SvxlinkStateLine& line);
    void connected(const std::string& call);
    void disconnected(const std::string& call);

    NodeEvents& events_;
    bool transmitting_ = false;
    std::set<std::string> openSquelches_;  // receiver ids
    std::string talker_;
    std::vector<std::string> connected_;  // in the order they came
};

}  // namespace vox

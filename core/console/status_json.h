#pragma once

#include <string>

#include "core/parts/front_panel.h"

namespace vox {

// What the node says now; known = false while there is no node to ask.
struct NodeNow {
    bool known = false;
    bool receiving = false;
    bool transmitting = false;
    long connected = 0;
};

// The main window as the console shows it: the five panels, PTT and the receiver, and every
// control with its caption, whether it is enabled and (check boxes) ticked:
// {"panels":[..5],"ptt":bool,"node":{..},"controls":[{"name","label","kind","caption",
//  "enabled","checked"}]}. Every text is a JSON string; the page shows it as text.
std::string statusJson(const FrontPanel& panel, const NodeNow& node);

// The label the main window gives a control ("CMDTime" -> "Xmit Time"); the name for others.
std::string controlLabel(const std::string& name);

// True for a control the console may press: a button or a check box of the main window, or the
// label that silences the voice.
bool consolePressable(const std::string& name);

}  // namespace vox

#pragma once

#include <QString>

class QMenu;
class QWidget;

namespace vox {

// Alt+letter for every control a window's keyboard reaches: each check box, option button, push
// button and labelled box gets the first letter of its caption that no other control of the
// window has taken; a caption that names its own letter ("DTMF &Pad") keeps it. OK and Cancel
// are Enter and Escape, and controls kept out of the focus go without.
void assignMnemonics(QWidget* window);
// The same among the items of one menu.
void assignMnemonics(QMenu* menu);

// A caption with its mnemonic marker taken out, as it reads on the screen.
QString shownCaption(const QString& caption);

}  // namespace vox

#pragma once

#include <QPoint>

class QWidget;

namespace vox {

// Puts a window's client area (not its frame) at a place on the screen. The frame's corner is
// unknown until the window manager has framed the window, so a frame corner given for a window
// about to be shown lands off by the title bar. The window's own handle hears it too, even when
// the widget is already there: a place the window manager chose at the first show is otherwise
// chosen again at the next one.
void moveClientTo(QWidget* window, QPoint where);

}  // namespace vox

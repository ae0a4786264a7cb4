#pragma once

#include <functional>

#include <QMessageBox>

namespace vox {

// Every message box of the desktop opens here. A box is modal to the window it belongs to, but
// it never runs a loop of its own: the call returns at once, so the station's runtime keeps
// ticking (timers, DTMF, announcements) while the box is up. `closed` runs once the box is gone,
// whether clicked away or closed by closeOpenMessageBoxes(). The box deletes itself on closing.
QMessageBox* openMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                            const QString& text, std::function<void()> closed = {});

// Closes every message box that is open, wherever it was opened (a stop signal: nothing may
// wait for a click that will never come).
void closeOpenMessageBoxes();

}  // namespace vox

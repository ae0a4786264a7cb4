#pragma once

#include <QString>
#include <QStringList>

namespace vox {

// Where the owner's manual may be, found from the program's own place: next to it, or in the
// documentation folder beside its bin folder (installed, and in a build tree, which lays it out
// alike).
QStringList manualCandidates();
// The first candidate that exists; empty when there is none.
QString findManual(const QStringList& candidates);

}  // namespace vox

#pragma once

#include <QString>
#include <QStringList>

namespace vox {

// Where the owner's manual may be: next to the program, in the installed documentation, in the
// source tree of a build.
QStringList manualCandidates();
// The first candidate that exists; empty when there is none.
QString findManual(const QStringList& candidates);

}  // namespace vox

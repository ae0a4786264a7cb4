#pragma once

#include <QString>
#include <QStringList>

namespace vox {

// Where the owner's manual may be: in the shared files found from the program's own place
// (adapters/installed_files.h).
QStringList manualCandidates();
// The first candidate that exists; empty when there is none.
QString findManual(const QStringList& candidates);

}  // namespace vox

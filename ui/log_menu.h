#pragma once

#include <functional>

#include <QUrl>

#include "core/parts/event_log.h"

namespace vox {

// Opens a document with the desktop's default handler; false when nothing could open it.
using UrlOpener = std::function<bool(const QUrl&)>;
UrlOpener desktopUrlOpener();

// "Log File" -> "View": opens VoxclockLog.txt (whatever its letter case on disk) with the
// default handler. No log or no handler: nothing happens, without a message.
void viewEventLog(const EventLog& log, const UrlOpener& open);
// "Log File" -> "Delete": removes the log at once, without asking; failures are silent.
void deleteEventLog(const EventLog& log);

}  // namespace vox

#include "ui/log_menu.h"

#include <QDesktopServices>

namespace vox {

UrlOpener desktopUrlOpener() {
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

void viewEventLog(const EventLog& log, const UrlOpener& open) {
    std::string path;
    if (!log.ViewTarget(&path) || !open)
        return;
    open(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void deleteEventLog(const EventLog& log) {
    log.DeleteLog();
}

}  // namespace vox

#include "message_box_ui.h"

#include <iostream>

#include <QMessageBox>

namespace vox {

void MessageBoxUserInterface::showMessage(MessageIcon icon, const std::string& title,
                                          const std::string& text) {
    const std::string caption = title.empty() ? "Voxclock TTS" : title;
    // The texts use CR LF between lines; a label wants plain new lines.
    QString body = QString::fromStdString(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (closed_) {
        std::cerr << caption << ": " << body.replace('\n', ' ').toStdString() << std::endl;
        return;
    }
    const QMessageBox::Icon qicon = icon == MessageIcon::Error     ? QMessageBox::Critical
                                    : icon == MessageIcon::Warning ? QMessageBox::Warning
                                                                   : QMessageBox::Information;
    QMessageBox box(qicon, QString::fromStdString(caption), body, QMessageBox::Ok, parent_);
    open_ = &box;
    box.exec();
    open_ = nullptr;
}

void MessageBoxUserInterface::closeAll() {
    closed_ = true;
    if (open_)
        open_->done(QMessageBox::Ok);
}

}  // namespace vox

#include "message_box_ui.h"

#include <QMessageBox>

namespace vox {

void MessageBoxUserInterface::showMessage(MessageIcon icon, const std::string& title,
                                          const std::string& text) {
    const QMessageBox::Icon qicon = icon == MessageIcon::Error     ? QMessageBox::Critical
                                    : icon == MessageIcon::Warning ? QMessageBox::Warning
                                                                   : QMessageBox::Information;
    // The texts use CR LF between lines; a label wants plain new lines.
    QString body = QString::fromStdString(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(qicon, QString::fromStdString(title.empty() ? "Voxclock TTS" : title), body,
                    QMessageBox::Ok, parent_);
    box.exec();
}

}  // namespace vox

#include "ui/message_box_ui.h"

#include <iostream>

#include <QEventLoop>

#include "ui/message_boxes.h"

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
    QPointer<QMessageBox> box =
        openMessageBox(parent_, qicon, QString::fromStdString(caption), body);
    open_ = box;
    if (running_)
        return;
    auto isOpen = [&box] { return box && box->isVisible(); };
    if (wait_) {
        wait_(isOpen);
    } else {
        QEventLoop loop;
        QObject::connect(box, &QDialog::finished, &loop, &QEventLoop::quit);
        if (isOpen())
            loop.exec();
    }
    // A stop ends the wait with the box still up.
    if (box)
        box->done(QMessageBox::Ok);
}

void MessageBoxUserInterface::closeAll() {
    closed_ = true;
    closeOpenMessageBoxes();
}

}  // namespace vox

#include "ui/message_boxes.h"

#include <QApplication>

namespace vox {

namespace {

// Marks the boxes made here, so closing them all finds boxes of every owner.
const char* const kBoxName = "voxclockMessageBox";

}  // namespace

QMessageBox* openMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                            const QString& text, std::function<void()> closed) {
    auto* box = new QMessageBox(icon, title, text, QMessageBox::Ok, parent);
    box->setObjectName(QString::fromLatin1(kBoxName));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    if (closed)
        QObject::connect(box, &QDialog::finished, box, [closed = std::move(closed)] { closed(); });
    // show(), never exec(): a nested loop would hold the station's runtime until the click.
    box->show();
    return box;
}

void closeOpenMessageBoxes() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w);
            box && box->objectName() == QLatin1String(kBoxName) && box->isVisible())
            box->done(QMessageBox::Ok);
}

}  // namespace vox

#include "ui/client_position.h"

#include <QWidget>
#include <QWindow>

namespace vox {

void moveClientTo(QWidget* window, QPoint where) {
    window->setGeometry(QRect(where, window->size()));
    if (QWindow* handle = window->windowHandle())
        handle->setPosition(where);
}

}  // namespace vox

#pragma once

#include <QLabel>

namespace vox {

// A label or picture of the main window that acts on a click (lblTwo, Picture1, PictureMic).
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace vox

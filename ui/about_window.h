#pragma once

#include <QDialog>

namespace vox {

// frmHelpAbout: the program's version, and OK to close.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);
};

}  // namespace vox

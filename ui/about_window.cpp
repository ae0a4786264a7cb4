#include "ui/about_window.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/pictures.h"
#include "ui/version_text.h"

namespace vox {

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmHelpAbout"));
    setWindowTitle(QStringLiteral("About Voxclock TTS"));
    auto* icon = new QLabel;
    icon->setPixmap(appIcon().pixmap(48, 48));
    auto* title = new QLabel(QStringLiteral("<b>Voxclock TTS</b>"));
    auto* version = new QLabel(versionLine());
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* about = new QLabel(
        QStringLiteral("Speaks the time, identifies the station and announces what happens on an "
                       "EchoLink-style node, on the node's own transmitter."));
    about->setWordWrap(true);
    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(version);
    text->addWidget(about);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

}  // namespace vox

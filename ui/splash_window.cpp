#include "ui/splash_window.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/pictures.h"
#include "ui/version_text.h"

namespace vox {

QString SplashWindow::engineText(const QString& engineName) {
    const QString name = engineName.isEmpty() ? QStringLiteral("text-to-speech") : engineName;
    return QStringLiteral("Using the %1 Text To Speech Engine").arg(name);
}

SplashWindow::SplashWindow(const QString& engineName, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Voxclock TTS"));
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(30, 20, 30, 20);

    auto* icon = new QLabel;
    icon->setPixmap(appIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignCenter);
    auto* title = new QLabel(QStringLiteral("Voxclock TTS"));
    title->setObjectName(QStringLiteral("lblProductName"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    engine_ = new QLabel(engineText(engineName));
    engine_->setObjectName(QStringLiteral("lblEngine"));
    engine_->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(versionLine());
    version->setObjectName(QStringLiteral("lblversion"));
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(icon);
    layout->addWidget(title);
    layout->addWidget(engine_);
    layout->addWidget(version);
}

void SplashWindow::setEngineName(const QString& engineName) {
    engine_->setText(engineText(engineName));
}

QString SplashWindow::engineLine() const {
    return engine_->text();
}

}  // namespace vox

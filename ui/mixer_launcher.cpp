#include "mixer_launcher.h"

#include <QMessageBox>
#include <QPointer>
#include <QProcess>

namespace vox {

MixerLauncher::MixerLauncher(QWidget* parent, Starter start, Warner warn)
    : start_(std::move(start)), warn_(std::move(warn)) {
    if (!start_)
        start_ = [](const QString& program, const QStringList& args) {
            return QProcess::startDetached(program, args);
        };
    if (!warn_) {
        QPointer<QWidget> owner(parent);
        // Not modal: the station's timers keep running while the warning is up.
        warn_ = [owner](const QString& title, const QString& text) {
            auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, owner);
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->setModal(false);
            box->show();
        };
    }
}

bool MixerLauncher::open(bool recording) {
    // pavucontrol's tabs: 3 = output devices (playback), 4 = input devices (recording).
    const QStringList args{recording ? QStringLiteral("--tab=4") : QStringLiteral("--tab=3")};
    if (start_(program(), args))
        return true;
    warn_(QStringLiteral("Voxclock TTS"), missingText());
    return false;
}

}  // namespace vox

#include "ui/mixer_launcher.h"

#include <QPointer>
#include <QProcess>

#include "ui/message_boxes.h"

namespace vox {

MixerLauncher::MixerLauncher(QWidget* parent, Starter start, Warner warn)
    : start_(std::move(start)), warn_(std::move(warn)) {
    if (!start_)
        start_ = [](const QString& program, const QStringList& args) {
            return QProcess::startDetached(program, args);
        };
    if (!warn_) {
        QPointer<QWidget> owner(parent);
        warn_ = [owner](const QString& title, const QString& text) {
            openMessageBox(owner, QMessageBox::Warning, title, text);
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

#pragma once

#include <functional>

#include <QString>
#include <QStringList>

class QWidget;

namespace vox {

// Starts the desktop's volume mixer for Picture1 (playback) and PictureMic (recording).
class MixerLauncher {
public:
    // Starts a program detached; false when it could not be started.
    using Starter = std::function<bool(const QString& program, const QStringList& args)>;
    // Shows the warning; the default is a QMessageBox.
    using Warner = std::function<void(const QString& title, const QString& text)>;

    explicit MixerLauncher(QWidget* parent, Starter start = {}, Warner warn = {});

    // false (after the warning) when the mixer could not be started.
    bool open(bool recording);

    static QString program() { return QStringLiteral("pavucontrol"); }
    static QString missingText() { return QStringLiteral("Can't find PAVUCONTROL !"); }

private:
    Starter start_;
    Warner warn_;
};

}  // namespace vox

#pragma once

#include <QWidget>

class QLabel;

namespace vox {

// frmSplash: shown while the program starts.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(const QString& engineName, QWidget* parent = nullptr);
    void setEngineName(const QString& engineName);
    QString engineLine() const;

    // "Using the <engine> Text To Speech Engine".
    static QString engineText(const QString& engineName);

private:
    QLabel* engine_;
};

}  // namespace vox

#pragma once

#include <QWidget>

#include "echolink/sim_node_system.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace vox {

// The node simulator at the desk: what stations, the receiver and the node's owner would do,
// sent as control commands through the simulator's own executor, and what the node shows.
class SimulatorWindow : public QWidget {
    Q_OBJECT
public:
    explicit SimulatorWindow(SimNodeSystem& sim, QWidget* parent = nullptr);

    // Shows the node's state again; call it from the simulator's change callback.
    void refresh();
    // Sends one control line; the reply ("ok" or the error) is shown under the controls.
    std::string send(const std::string& line);

private:
    QString call() const;

    SimNodeSystem& sim_;
    QLineEdit* call_;
    QLineEdit* chat_;
    QLineEdit* dtmf_;
    QCheckBox* receiving_;
    QCheckBox* remote_;
    QCheckBox* busy_;
    QLabel* ptt_;
    QLabel* node_;
    QListWidget* connected_;
    QLabel* reply_;
};

}  // namespace vox

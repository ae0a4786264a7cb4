#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace vox {

// What the window shows of the node it drives.
struct SimulatorView {
    std::vector<std::string> connected;  // in the order they connected
    bool ptt = false;
    bool receiving = false;
    bool remoteAudio = false;
    bool busy = false;
    bool nodeEnabled = true;
    bool recording = false;
    bool rts = false;
    bool dtr = false;
};

// Any node state with the same member names.
template <class State>
SimulatorView simulatorViewOf(const State& s) {
    return {s.connected,   s.ptt,       s.receiving, s.remoteAudio, s.busy,
            s.nodeEnabled, s.recording, s.rts,       s.dtr};
}

// The node behind the window: control lines in ("ok" or the error line out), its state out.
struct SimulatorDesk {
    std::function<std::string(const std::string& line)> handleLine;
    std::function<SimulatorView()> view;
};

// The node simulator at the desk: what stations, the receiver and the node's owner would do,
// sent as control commands through the simulator's own executor, and what the node shows.
class SimulatorWindow : public QWidget {
    Q_OBJECT
public:
    explicit SimulatorWindow(SimulatorDesk desk, QWidget* parent = nullptr);

    // Shows the node's state again; call it from the simulator's change callback.
    void refresh();
    // Sends one control line; the reply ("ok" or the error) is shown under the controls.
    std::string send(const std::string& line);

private:
    QString call() const;

    SimulatorDesk desk_;
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

#pragma once

#include <array>

#include <QLabel>
#include <QStatusBar>

#include "core/parts/front_panel.h"

namespace vox {

// StatusBar1: five fixed panels mirroring the front panel's panels 1..5. Panel 1 is the activity
// light, drawn from RED_LED or GREEN_LED.
class StatusBarView {
public:
    StatusBarView(QStatusBar* bar, const FrontPanel& panel);

    void refresh(int index);
    void refreshAll();
    QLabel* label(int index) const;
    // True while panel 1 shows the red light (for tests and screenshots).
    bool showsRedLight() const { return light_ == Light::Red; }
    bool showsGreenLight() const { return light_ == Light::Green; }

private:
    enum class Light { None, Red, Green };

    const FrontPanel& panel_;
    std::array<QLabel*, 5> labels_{};
    Light light_ = Light::None;
};

}  // namespace vox

#include "ui/status_bar_view.h"

#include "ui/pictures.h"
#include "ui/twips.h"

namespace vox {
namespace {

constexpr int kPanelTwips[5] = {300, 1400, 300, 2620, 950};

}  // namespace

StatusBarView::StatusBarView(QStatusBar* bar, const FrontPanel& panel) : panel_(panel) {
    const double dpi = bar->logicalDpiX();
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(bar);
        label->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i + 1));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(twipsToPixels(kPanelTwips[i], dpi));
        if (i == 0)
            label->setAlignment(Qt::AlignCenter);
        // The speech status panel takes what room is left; the others keep their widths.
        bar->addPermanentWidget(label, i == 3 ? 1 : 0);
        labels_[static_cast<std::size_t>(i)] = label;
    }
    bar->setSizeGripEnabled(false);
    refreshAll();
}

QLabel* StatusBarView::label(int index) const {
    return index >= 1 && index <= 5 ? labels_[static_cast<std::size_t>(index - 1)] : nullptr;
}

void StatusBarView::refreshAll() {
    for (int i = 1; i <= 5; ++i)
        refresh(i);
}

void StatusBarView::refresh(int index) {
    QLabel* l = label(index);
    if (!l)
        return;
    const std::string text = panel_.panel(index);
    if (index != 1) {
        l->setText(QString::fromStdString(text));
        return;
    }
    const Light light = text == FrontPanel::kRedLed     ? Light::Red
                        : text == FrontPanel::kGreenLed ? Light::Green
                                                        : Light::None;
    if (light == light_)
        return;
    light_ = light;
    if (light == Light::None)
        l->clear();
    else
        l->setPixmap(ledPixmap(light == Light::Red, 12));
}

}  // namespace vox

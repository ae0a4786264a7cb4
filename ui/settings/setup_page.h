#pragma once

#include <string>
#include <vector>

#include <QString>
#include <QWidget>

#include "core/settings/settings.h"

namespace vox {

// One page of a setup dialog: shows its part of a settings record and writes it back.
class SetupPage : public QWidget {
public:
    using QWidget::QWidget;

    virtual QString title() const = 0;
    virtual void load(const Settings& settings) = 0;
    // False with a message for the owner when a value cannot be taken as typed.
    virtual bool save(Settings& settings, QString* problem) const = 0;
    // Event-log lines about values taken other than as typed, written once OK has applied.
    virtual std::vector<std::string> slipLines() const { return {}; }
};

}  // namespace vox

#pragma once

#include <array>

#include "core/echolink/node_schedule_rules.h"
#include "ui/settings/setup_dialog.h"
#include "ui/settings/setup_page.h"

class QCheckBox;
class QLineEdit;

namespace vox {

// frmNodeSkeds: the eight remote nodes and their weekly schedules, one row each. The rules live
// in node_schedule_rules; the page only shows rows and passes the owner's ticks through them.
// Controls carry their names with the row index ("tbRemoteNode0", "cbMonday7", ...).
class NodeSkedsPage : public SetupPage {
public:
    explicit NodeSkedsPage(QWidget* parent = nullptr);

    QString title() const override;
    void load(const Settings& settings) override;
    bool save(Settings& settings, QString* problem) const override;

    // Row i as its widgets show it.
    NodeScheduleRow row(int i) const;

private:
    struct RowWidgets {
        QLineEdit* node = nullptr;
        QCheckBox* autoConnect = nullptr;
        std::array<QLineEdit*, 6> times{};
        QLineEdit* delay = nullptr;
        QCheckBox* daily = nullptr;
        std::array<QCheckBox*, 7> days{};  // Mon .. Sun
        QLineEdit* dtmf = nullptr;
    };

    void show(int i, const NodeScheduleRow& row);
    void showDays(int i, const NodeScheduleRow& row);

    std::array<RowWidgets, 8> rows_;
};

inline constexpr const char* kNodeSkedsCaption = "Voxclock - Remote Node Setup";

// The dialog with its one page; OK hands the changed record to `apply`.
SetupDialog* createNodeSkedsDialog(SetupDialog::Current current, SetupDialog::Apply apply,
                                   QWidget* parent = nullptr);

}  // namespace vox

#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/settings/settings.h"

class QTabWidget;

namespace vox {

class SetupPage;

// What applying a changed record came to: ok, or the message to show.
struct ApplyResult {
    bool ok = true;
    std::string message;
};

// A non-modal setup dialog with pages. It works on a copy of the settings: each page loads from
// the current record when the dialog opens, and OK has every page save into a copy that is then
// applied as a whole. Cancel changes nothing. The buttons are named Command2 (OK) and Command1
// (Cancel).
class SetupDialog : public QDialog {
    Q_OBJECT
public:
    using Current = std::function<Settings()>;
    using Apply = std::function<ApplyResult(const Settings&)>;

    SetupDialog(const QString& caption, Current current, Apply apply, QWidget* parent = nullptr);

    // The dialog owns its pages.
    void addPage(SetupPage* page);
    const std::vector<SetupPage*>& pages() const { return pages_; }

    // Loads every page from the current record and shows the dialog.
    void open() override;
    // What OK does: false (and the dialog stays open) when a page or the apply refused.
    bool applyPages();
    // Where the pages' notes about values taken other than as typed go (the event log).
    void setLog(std::function<void(const std::string&)> log) { log_ = std::move(log); }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    Current current_;
    std::optional<QPoint> place_;  // the client corner it had when last closed
    Apply apply_;
    std::function<void(const std::string&)> log_;
    QTabWidget* tabs_;
    std::vector<SetupPage*> pages_;
};

}  // namespace vox

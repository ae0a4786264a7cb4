#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/console/form_data.h"
#include "core/settings/settings.h"

namespace vox {

// One control of a settings page, named as on the setup dialog.
struct FormField {
    enum class Kind { Text, Check, Choice };
    std::string name;
    std::string label;
    Kind kind = Kind::Text;
    std::string value;  // the text; "1"/"0" for a check; the choice's index, "-1" for none
    std::vector<std::string> choices;
    std::string group;  // a heading the field goes under (remote nodes: "Node 1" ...)
};

struct SettingsPage {
    std::string id;
    std::string title;
    std::vector<FormField> fields;
    std::vector<std::string> notes;  // shown under the page (a sound device that has gone)
};

// What a page needs beyond the settings record.
struct SettingsPageContext {
    std::string programRoot;
    std::vector<std::string> soundOutputs;  // the voice's outputs, in its order
    // Why a DTMF code cannot reach us through the node; empty when it can (null: every code can).
    std::function<std::string(const std::string& code)> dtmfRefusal;
};

// The pages that mirror the setup dialogs: "timing", "voice", "sound", "info", "dtmf", "wx",
// "remote" (quiet time is on the voice page, as on its dialog).
const std::vector<std::string>& settingsPageIds();

// The page as the record holds it now; empty for an id that is not a page.
std::optional<SettingsPage> settingsPage(const std::string& id, const Settings& settings,
                                         const SettingsPageContext& context);

struct FormApplied {
    bool ok = false;
    // Shown to the owner: what the dialog would have shown in a message box, or why nothing was
    // taken.
    std::vector<std::string> messages;
};

// The page's OK: the fields posted replace the page's values (fields not posted keep theirs),
// then the dialog's own rules store them into `settings`. A field the page does not have, a
// check that is not 0 or 1, or a choice out of range changes nothing. The remote nodes' day boxes
// follow the dialog's clicks: a day changed clears Daily, Daily ticked clears the days.
FormApplied applySettingsForm(const std::string& id, const FormFields& form, Settings& settings,
                              const SettingsPageContext& context);

// {"id":..,"title":..,"fields":[{"name","label","kind","value","choices","group"}],"notes":[..]}
std::string settingsPageJson(const SettingsPage& page);

}  // namespace vox

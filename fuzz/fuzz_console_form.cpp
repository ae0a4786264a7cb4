// The web console's posted forms: the body of a settings page, an action or a login, then each
// settings page's OK with the fields it gave. Cookie headers go through the same input.
#include "core/console/form_data.h"
#include "core/console/settings_forms.h"
#include "fuzz/fuzz_support.h"

using namespace vox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fuzz::textOf(data, size);
    (void)cookieValue(text, "vxsession");
    const auto form = parseFormBody(text);
    if (!form)
        return 0;
    fuzz::require(form->size() <= kMaxFormFields, "a form holds at most its limit of fields");
    const SettingsPageContext context{"/nonexistent-voxclock", {"Default", "USB Audio"}, {}};
    for (const std::string& id : settingsPageIds()) {
        Settings settings;
        const Settings before = settings;
        const FormApplied applied = applySettingsForm(id, *form, settings, context);
        fuzz::require(applied.ok || settings == before, "a refused form changed the settings");
        const auto page = settingsPage(id, settings, context);
        fuzz::require(page.has_value(), "every page id has a page");
        (void)settingsPageJson(*page);
    }
    return 0;
}

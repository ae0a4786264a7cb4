#pragma once

#include <functional>

#include "core/base/program_folder.h"
#include "core/base/runtime.h"
#include "core/parts/event_log.h"
#include "core/parts/front_panel.h"
#include "core/parts/node_access.h"
#include "core/parts/shared_state.h"
#include "core/settings/settings.h"

namespace vox {

class SpeechOutput;

// What the station hands each of its parts: all a part may use. Settings are read-only here; they
// change only through the station (the setup dialogs and the settings file).
struct PartContext {
    Runtime& rt;
    const ProgramFolder& folder;
    const Settings& settings;
    FrontPanel& panel;
    SharedState& state;
    EventLog& log;
    NodeAccess& node;
    SpeechOutput& speech;
    // Moves the window's focus to its dummy control after a button (nothing without a window).
    std::function<void()> focusDummy;

    void focus() const {
        if (focusDummy)
            focusDummy();
    }
};

}  // namespace vox

// The settings file (voxclock.ini): read as the station reads it, then what the station does with
// a record it read: the setup dialogs open on it and press OK, the file is written back and must
// read again to the same text, the remote-node rows and quiet hours are looked at, and the codes
// SvxLink must leave alone are listed.
#include <sstream>

#include "app/call_spelling.h"
#include "base/time_window.h"
#include "dtmf/dtmf_codes.h"
#include "echolink/auto_connect_schedule.h"
#include "echolink/node_schedule_rules.h"
#include "echolink/svxlink_codes.h"
#include "fuzz_support.h"
#include "settings/settings_format.h"
#include "settings/timing_setup.h"
#include "settings/voice_setup.h"
#include "weather/wx_setup_rules.h"

using namespace vox;

namespace {

bool parse(const std::string& text, Settings& settings) {
    std::istringstream in(text);
    std::string error;
    const bool ok = parseSettingsFile(in, settings, &error);
    fuzz::require(ok == error.empty(), "a reason exactly when the file is refused");
    return ok;
}

void useRecord(const Settings& settings) {
    Settings edited = settings;
    saveTimingSetup(loadTimingSetup(edited), edited);
    saveVoiceSetup(loadVoiceSetup(edited), edited);
    saveDtmfSetup(loadDtmfSetup(edited), edited);
    (void)loadWxSetup(edited);
    for (const RemoteNode& node : settings.RemoteNodes) {
        (void)saveNodeScheduleRow(loadNodeScheduleRow(node));
        (void)inTimeWindow("12:00", node.Slot1Start, node.Slot1Stop);
        for (int day = 0; day < 7; ++day)
            (void)dayFlag(node, day);
        (void)ATTCall(node.Node);
        (void)TTSSpell(node.Node);
    }
    (void)inTimeWindow("00:00", settings.QuietStart, settings.QuietStop);
    (void)svxlinkOwnCodesText(svxlinkOwnCodes(settings));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Settings settings;
    if (!parse(fuzz::textOf(data, size), settings))
        return 0;
    useRecord(settings);

    // What the program writes it must read back, and writing what it read back changes nothing.
    const std::string written = formatSettingsFile(settings);
    Settings reread;
    fuzz::require(parse(written, reread), "a written settings file reads back");
    fuzz::require(formatSettingsFile(reread) == written, "a settings file survives a round trip");
    return 0;
}

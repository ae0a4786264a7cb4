// The settings file (voxclock.ini): read from the program folder as the station reads it, then
// what the station does with a record it read: the setup dialogs open on it and press OK, the
// remote-node rows and quiet hours are looked at, the codes SvxLink must leave alone are listed,
// and the file is written back and must read again to the same record.
#include "backends/svxlink/svxlink_codes.h"
#include "core/base/time_window.h"
#include "core/dtmf/dtmf_codes.h"
#include "core/echolink/auto_connect_schedule.h"
#include "core/echolink/node_schedule_rules.h"
#include "core/parts/call_spelling.h"
#include "core/settings/settings_file.h"
#include "core/settings/settings_format.h"
#include "core/settings/timing_setup.h"
#include "core/settings/voice_setup.h"
#include "core/weather/wx_setup_rules.h"
#include "fuzz/fuzz_support.h"

using namespace vox;

namespace {

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
    // The file as the station reads it from the program folder.
    const fuzz::ScratchFolder folder;
    const SettingsFile file(folder.write("voxclock.ini", fuzz::textOf(data, size)));
    Settings settings;
    const SettingsReadResult read = file.read(settings);
    fuzz::require(read.ok == read.error.empty(), "a reason exactly when the file is refused");
    fuzz::require(read.unreadableFile == !read.ok, "a refused file is kept as the owner's");
    if (!read.ok) {
        fuzz::require(settings == Settings{}, "a refused file leaves the record alone");
        return 0;
    }
    useRecord(settings);

    // What the program writes it must read back, and writing what it read back changes nothing.
    const std::string before = formatSettingsFile(settings);
    std::string error;
    fuzz::require(file.write(settings, &error), "the settings file can be written");
    Settings reread;
    fuzz::require(file.read(reread).ok, "a written settings file reads back");
    fuzz::require(formatSettingsFile(reread) == before, "a settings file survives a round trip");
    return 0;
}

// The settings file the desktop's setup dialogs write for a given input, for the browser test to
// compare with what the web console wrote: reads a settings file, changes it the way the Timing
// and ID dialog and the Remote Nodes dialog do (the same rules their OK uses), and prints the
// file the station would write.
//   dialog_settings_writer FILE [--cw-minutes TEXT] [--remote INDEX CALL]
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "core/echolink/node_schedule_rules.h"
#include "core/settings/settings_format.h"
#include "core/settings/timing_setup.h"

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    std::ifstream in(argv[1], std::ios::binary);
    vox::Settings settings;
    std::string error;
    if (!vox::parseSettingsFile(in, settings, &error)) {
        std::cerr << error << std::endl;
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--cw-minutes" && i + 1 < argc) {
            vox::TimingSetupValues timing = vox::loadTimingSetup(settings);
            timing.cwMinutes = argv[++i];
            vox::saveTimingSetup(timing, settings);
        } else if (arg == "--remote" && i + 2 < argc) {
            const int index = std::atoi(argv[++i]);
            if (index < 0 || index > 7)
                return 2;
            auto& node = settings.RemoteNodes[static_cast<std::size_t>(index)];
            vox::NodeScheduleRow row = vox::loadNodeScheduleRow(node);
            row.node = argv[++i];
            // The dialog's OK stores every row, the untouched ones too.
            for (auto& other : settings.RemoteNodes)
                other = vox::saveNodeScheduleRow(vox::loadNodeScheduleRow(other));
            node = vox::saveNodeScheduleRow(row);
        } else {
            return 2;
        }
    }
    std::cout << vox::formatSettingsFile(settings);
    return 0;
}

#include "core/parts/prepared_files.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "core/base/wav_file.h"

namespace vox {

bool writeDefaultPreparedFiles(const ProgramFolder& folder, std::string* error) {
    namespace fs = std::filesystem;
    struct Default {
        const char* relative;
        std::vector<int16_t> (*make)();
    };
    const Default defaults[] = {{"wav/burst.wav", &toneBurst}, {"wav/beep.wav", &courtesyBeep}};

    bool ok = true;
    for (const Default& d : defaults) {
        std::error_code ec;
        // Written where a case-insensitive lookup will find it (an existing "WAV" folder is used).
        const std::string target = folder.findCaseInsensitive(d.relative);
        if (fs::exists(target, ec))
            continue;
        fs::create_directories(fs::path(target).parent_path(), ec);
        std::string why;
        if (!writeWavPcm16Mono(target, kToneSampleRate, d.make(), &why)) {
            if (error)
                *error = why;
            ok = false;
        }
    }
    return ok;
}

bool prepareProgramFolder(const ProgramFolder& folder, std::string* error) {
    std::error_code ec;
    const bool existed = std::filesystem::is_directory(folder.root(), ec);
    if (!folder.ensureExists(error))
        return false;
    if (!existed)
        writeDefaultPreparedFiles(folder);
    return true;
}

}  // namespace vox

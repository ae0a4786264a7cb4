#pragma once

#include <map>
#include <memory>
#include <string>

#include "app/air_log.h"
#include "app/air_logging_voice.h"
#include "app/program_folder.h"
#include "app/user_store.h"
#include "app/voice.h"

namespace vox {

// A voice that records what it is handed in the air log and owns the voice it hands it on to.
class LoggedVoice : public AirLoggingVoice {
public:
    LoggedVoice(std::unique_ptr<Voice> inner, AirLog& log, const std::string& root)
        : AirLoggingVoice(*inner, log, root), owned_(std::move(inner)) {}

private:
    std::unique_ptr<Voice> owned_;
};

// A per-user store that lives in memory only (dry runs and tests).
class MemoryUserStore : public UserStore {
public:
    std::optional<std::string> value(const std::string& key) override;
    void setValue(const std::string& key, const std::string& value) override;

private:
    std::map<std::string, std::string> values_;
};

// Creates the program folder on first use, with the default tone burst and courtesy beep.
// False with a message when the folder cannot be created.
bool prepareProgramFolder(const ProgramFolder& folder, std::string* error);

}  // namespace vox

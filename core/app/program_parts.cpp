#include "app/program_parts.h"

#include <filesystem>

#include "app/prepared_files.h"

namespace vox {

std::optional<std::string> MemoryUserStore::value(const std::string& key) {
    auto it = values_.find(key);
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

void MemoryUserStore::setValue(const std::string& key, const std::string& value) {
    values_[key] = value;
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

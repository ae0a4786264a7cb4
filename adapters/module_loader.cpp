#include "adapters/module_loader.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace vox {

namespace {

std::string executableFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

}  // namespace

void* loadModuleEntry(const std::string& name, const char* symbol, std::string* error) {
    std::string reasons;
    for (const std::string& folder : {executableFolder(), std::string(VOXCLOCK_MODULE_DIR)}) {
        if (folder.empty())
            continue;
        const std::string path = folder + "/" + name + ".so";
        std::error_code ec;
        if (!std::filesystem::exists(path, ec))
            continue;
        // Local: a module's symbols are its own and never stand in for another's.
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            const char* why = dlerror();
            reasons += (reasons.empty() ? "" : "; ") + std::string(why ? why : path);
            continue;
        }
        if (void* entry = dlsym(module, symbol))
            return entry;
        reasons += (reasons.empty() ? "" : "; ") + path + " has no " + symbol;
    }
    if (error)
        *error = "cannot load " + name + ".so" +
                 (reasons.empty() ? " (not next to the program)" : ": " + reasons);
    return nullptr;
}

}  // namespace vox

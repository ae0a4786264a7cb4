#include "base/air_logging_voice.h"

#include <filesystem>
#include <system_error>

namespace vox {
namespace {
constexpr int kPurgeBit = 2;
constexpr int kFileNameBit = 4;
}  // namespace

AirLoggingVoice::AirLoggingVoice(Voice& inner, AirLog& log, std::string programFolderRoot)
    : inner_(inner), log_(log), root_(std::move(programFolderRoot)) {}

void AirLoggingVoice::speak(const std::string& text, int flags) {
    if (flags & kPurgeBit)
        log_.record("purge");
    if (flags & kFileNameBit)
        log_.record("play", {{"file", loggedPath(text)}});
    else if (!text.empty() || !(flags & kPurgeBit))
        log_.record("speak", {{"text", text}});
    inner_.speak(text, flags);
}

std::string AirLoggingVoice::loggedPath(const std::string& path) const {
    namespace fs = std::filesystem;
    if (root_.empty() || path.empty())
        return path;
    std::error_code rootError, fileError;
    const fs::path root = fs::absolute(root_, rootError).lexically_normal();
    const fs::path file = fs::absolute(path, fileError).lexically_normal();
    if (rootError || fileError)
        return path;
    const fs::path rel = file.lexically_relative(root);
    if (rel.empty() || rel == "." || *rel.begin() == "..")
        return path;
    return rel.generic_string();
}

}  // namespace vox

#include "core/base/air_logging_voice.h"

#include "core/base/speakable_text.h"
#include "core/base/text_helpers.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace vox {
namespace {
constexpr int kPurgeBit = 2;
constexpr int kFileNameBit = 4;

bool endsWithTxt(const std::string& path) {
    return path.size() >= 4 && LowerAscii(path.substr(path.size() - 4)) == ".txt";
}
}  // namespace

AirLoggingVoice::AirLoggingVoice(Voice& inner, AirLog& log, std::string programFolderRoot)
    : inner_(inner), log_(log), root_(std::move(programFolderRoot)) {}

void AirLoggingVoice::speak(const std::string& text, int flags) {
    if (flags & kPurgeBit)
        log_.record("purge");
    if (flags & kFileNameBit) {
        // A text file is logged with what the voice is handed, so a dry run shows what it says.
        const std::optional<std::string> content =
            endsWithTxt(text) ? readSpeakableTextFile(text) : std::nullopt;
        if (content)
            log_.record("play", {{"file", loggedPath(text)}, {"text", *content}});
        else
            log_.record("play", {{"file", loggedPath(text)}});
    } else if (!text.empty() || !(flags & kPurgeBit))
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

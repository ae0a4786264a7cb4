#pragma once

// What the fuzz targets share: the input as text, and files and folders that live for one run
// only, so no run sees what an earlier one left behind.

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/base/speech_markup.h"

namespace vox::fuzz {

inline std::string textOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A finding the sanitizers cannot see: a broken promise of the code under test.
[[noreturn]] inline void broken(const char* what) {
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
}

inline void require(bool ok, const char* what) {
    if (!ok)
        broken(what);
}

// What a file's values became in a spoken text must be words: a reading that turned into a
// spelled run or a pause would be markup from outside. The fixed sentences have neither.
inline void requireOnlyWords(const std::string& spoken) {
    for (const SpeechRun& run : parseSpeechMarkup(spoken))
        require(run.kind == SpeechRun::Kind::Speech, "a value from a file acts as speech markup");
}

// A folder of its own for one run, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "voxclock-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            broken("no scratch folder");
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    // Writes a file inside the folder; name may hold sub-folders.
    std::string write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path file = std::filesystem::path(path_) / name;
        std::filesystem::create_directories(file.parent_path());
        std::FILE* f = std::fopen(file.c_str(), "wb");
        if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
            broken("cannot write a scratch file");
        std::fclose(f);
        return file.string();
    }

private:
    std::string path_;
};

}  // namespace vox::fuzz

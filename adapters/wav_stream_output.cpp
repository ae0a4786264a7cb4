#include "adapters/wav_stream_output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <limits>

namespace vox {

namespace {

constexpr std::uint32_t kHeaderBytes = 44;

void put16(unsigned char*& at, std::uint16_t v) {
    *at++ = static_cast<unsigned char>(v & 0xff);
    *at++ = static_cast<unsigned char>(v >> 8);
}

void put32(unsigned char*& at, std::uint32_t v) {
    put16(at, static_cast<std::uint16_t>(v & 0xffff));
    put16(at, static_cast<std::uint16_t>(v >> 16));
}

std::array<unsigned char, kHeaderBytes> header(std::uint32_t dataBytes) {
    std::array<unsigned char, kHeaderBytes> h;
    unsigned char* at = h.data();
    std::memcpy(at, "RIFF", 4);
    at += 4;
    put32(at, 36 + dataBytes);
    std::memcpy(at, "WAVEfmt ", 8);
    at += 8;
    put32(at, 16);
    put16(at, 1);  // PCM
    put16(at, 1);  // mono
    put32(at, kVoiceSampleRate);
    put32(at, kVoiceSampleRate * 2);
    put16(at, 2);
    put16(at, 16);
    std::memcpy(at, "data", 4);
    at += 4;
    put32(at, dataBytes);
    return h;
}

bool isRegularFile(std::FILE* file) {
    struct stat st {};
    return ::fstat(::fileno(file), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

WavStreamOutput::~WavStreamOutput() {
    if (file_)
        abandon();  // never finished: not a whole file
}

void WavStreamOutput::abandon() {
    // Only a file we made is removed, never a device or a pipe named on the command line.
    const bool remove = regular_;
    std::fclose(file_);
    file_ = nullptr;
    if (remove)
        std::remove(path_.c_str());
}

bool WavStreamOutput::open(const std::string& path, std::string* error) {
    std::lock_guard<std::mutex> lock(mutex_);
    path_ = path;
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ != nullptr) {
        regular_ = isRegularFile(file_);
        const auto h = header(0);
        // A pipe or a device cannot have its header filled in afterwards: the audio waits in
        // memory and goes out behind the finished header at the end.
        if (!regular_ || std::fwrite(h.data(), 1, h.size(), file_) == h.size())
            return true;
        abandon();
    }
    if (error)
        *error = "cannot create " + path + ": " + std::strerror(errno);
    return false;
}

void WavStreamOutput::play(const std::int16_t* samples, std::size_t count) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (file_ == nullptr || failed_)
        return;
    std::array<unsigned char, 4096> bytes;
    while (count > 0) {
        const std::size_t n = std::min(count, bytes.size() / 2);
        unsigned char* at = bytes.data();
        for (std::size_t i = 0; i < n; ++i)
            put16(at, static_cast<std::uint16_t>(samples[i]));
        if (!regular_) {
            held_.append(reinterpret_cast<const char*>(bytes.data()), n * 2);
        } else if (std::fwrite(bytes.data(), 1, n * 2, file_) != n * 2) {
            failed_ = true;
            return;
        }
        dataBytes_ += n * 2;
        samples += n;
        count -= n;
    }
}

void WavStreamOutput::clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (file_ == nullptr)
        return;
    held_.clear();
    dataBytes_ = 0;
    if (regular_)
        failed_ = std::fflush(file_) != 0 || ::ftruncate(::fileno(file_), kHeaderBytes) != 0 ||
                  std::fseek(file_, kHeaderBytes, SEEK_SET) != 0;
}

bool WavStreamOutput::finish(std::string* error) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto fail = [&](const std::string& why) {
        if (file_)
            abandon();
        if (error)
            *error = why;
        return false;
    };
    if (file_ == nullptr)
        return fail("no file to finish");
    if (dataBytes_ > std::numeric_limits<std::uint32_t>::max() - 36)
        return fail("too much audio for a WAV file");
    const auto h = header(static_cast<std::uint32_t>(dataBytes_));
    bool ok = !failed_;
    if (regular_)
        ok = ok && std::fseek(file_, 0, SEEK_SET) == 0;
    ok = ok && std::fwrite(h.data(), 1, h.size(), file_) == h.size();
    if (!regular_)
        ok = ok && std::fwrite(held_.data(), 1, held_.size(), file_) == held_.size();
    ok = std::fflush(file_) == 0 && ok;
    if (!ok)
        return fail("cannot write " + path_);
    std::fclose(file_);
    file_ = nullptr;
    return true;
}

}  // namespace vox

#include "core/base/wav_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <numbers>
#include <string_view>

namespace vox {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
// Enough for any sane file; stops a crafted file from making us walk millions of tiny chunks.
constexpr int kMaxChunks = 4096;

std::uint32_t le32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const unsigned char* p) {
    return std::uint16_t(p[0] | p[1] << 8);
}

bool readAt(std::ifstream& in, std::uint64_t offset, unsigned char* buf, std::size_t n) {
    in.clear();
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(reinterpret_cast<char*>(buf), static_cast<std::streamsize>(n));
    return in.gcount() == static_cast<std::streamsize>(n);
}

struct Format {
    std::uint16_t tag = 0;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bits = 0;
};

bool playable(const Format& f) {
    if (f.tag != kFormatPcm && f.tag != kFormatFloat)
        return false;
    if (f.channels == 0 || f.sampleRate == 0 || f.bits == 0)
        return false;
    if (f.tag == kFormatFloat && f.bits != 32 && f.bits != 64)
        return false;
    return f.blockAlign >= f.channels * ((f.bits + 7) / 8);
}

void put16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A sine with raised-cosine edges, so the transmitter does not hear a click at either end.
std::vector<int16_t> tone(double hz, double seconds, double amplitude, double fadeSeconds) {
    const auto n = static_cast<std::size_t>(std::lround(seconds * kToneSampleRate));
    const auto fade = static_cast<std::size_t>(std::lround(fadeSeconds * kToneSampleRate));
    std::vector<int16_t> out(n);
    for (std::size_t i = 0; i < n; ++i) {
        double gain = 1.0;
        const std::size_t edge = std::min(i, n - 1 - i);
        if (edge < fade)
            gain = 0.5 - 0.5 * std::cos(std::numbers::pi * double(edge) / double(fade));
        const double s = std::sin(2.0 * std::numbers::pi * hz * double(i) / kToneSampleRate);
        out[i] = static_cast<int16_t>(std::lround(32767.0 * amplitude * gain * s));
    }
    return out;
}

}  // namespace

std::optional<double> wavDurationSeconds(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    if (end < 12)
        return std::nullopt;
    const auto fileSize = static_cast<std::uint64_t>(end);

    unsigned char riff[12];
    if (!readAt(in, 0, riff, sizeof riff))
        return std::nullopt;
    if (std::string_view(reinterpret_cast<char*>(riff), 4) != "RIFF" ||
        std::string_view(reinterpret_cast<char*>(riff) + 8, 4) != "WAVE")
        return std::nullopt;

    std::optional<Format> format;
    std::optional<std::uint64_t> dataBytes;
    std::uint64_t offset = 12;
    for (int chunk = 0; chunk < kMaxChunks && offset + 8 <= fileSize; ++chunk) {
        unsigned char head[8];
        if (!readAt(in, offset, head, sizeof head))
            break;
        const std::string_view id(reinterpret_cast<char*>(head), 4);
        const std::uint64_t size = le32(head + 4);
        const std::uint64_t body = offset + 8;
        const std::uint64_t present = std::min(size, fileSize - body);
        if (id == "fmt ") {
            if (size < 16 || present < size)
                return std::nullopt;
            std::array<unsigned char, 26> f{};
            if (!readAt(in, body, f.data(), std::min<std::uint64_t>(size, f.size())))
                return std::nullopt;
            Format fmt;
            fmt.tag = le16(&f[0]);
            fmt.channels = le16(&f[2]);
            fmt.sampleRate = le32(&f[4]);
            fmt.blockAlign = le16(&f[12]);
            fmt.bits = le16(&f[14]);
            // Extensible headers carry the real format in the first two bytes of the GUID.
            if (fmt.tag == kFormatExtensible)
                fmt.tag = size >= 26 ? le16(&f[24]) : 0;
            if (!playable(fmt))
                return std::nullopt;
            format = fmt;
        } else if (id == "data") {
            dataBytes = present;
        }
        if (format && dataBytes)
            break;
        offset = body + size + (size & 1);  // chunks are padded to an even length
    }
    if (!format || !dataBytes)
        return std::nullopt;
    const std::uint64_t frames = *dataBytes / format->blockAlign;
    return static_cast<double>(frames) / format->sampleRate;
}

bool writeWavPcm16Mono(const std::string& path, int sampleRate, const std::vector<int16_t>& samples,
                       std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error)
            *error = why;
        return false;
    };
    if (sampleRate <= 0)
        return fail("invalid sample rate " + std::to_string(sampleRate));
    const std::uint64_t dataBytes = std::uint64_t(samples.size()) * 2;
    if (dataBytes > std::numeric_limits<std::uint32_t>::max() - 36)
        return fail("too many samples for a WAV file");

    std::string out;
    out.reserve(44 + dataBytes);
    out += "RIFF";
    put32(out, static_cast<std::uint32_t>(36 + dataBytes));
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, kFormatPcm);
    put16(out, 1);
    put32(out, static_cast<std::uint32_t>(sampleRate));
    put32(out, static_cast<std::uint32_t>(sampleRate) * 2);
    put16(out, 2);
    put16(out, 16);
    out += "data";
    put32(out, static_cast<std::uint32_t>(dataBytes));
    for (int16_t s : samples)
        put16(out, static_cast<std::uint16_t>(s));

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return fail("cannot create " + path);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    file.close();
    if (!file) {
        std::remove(path.c_str());
        return fail("cannot write " + path);
    }
    return true;
}

std::vector<int16_t> toneBurst() {
    return tone(1750.0, 0.5, 0.5, 0.005);
}

std::vector<int16_t> courtesyBeep() {
    return tone(1000.0, 0.12, 0.4, 0.005);
}

}  // namespace vox

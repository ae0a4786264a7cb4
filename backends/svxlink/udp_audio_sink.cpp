#include "backends/svxlink/udp_audio_sink.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <vector>

namespace vox {
namespace {

// At most this much audio waits for the pacer; the voice renders faster than real time.
constexpr double kMaxQueuedSeconds = 2.0;
constexpr double kTrailingSilenceSeconds = 0.1;

}  // namespace

UdpAudioSink::UdpAudioSink(std::string host, int port, int sampleRate, int channels,
                           std::function<bool(char, std::string*)> squelch,
                           std::function<void(const std::string&)> log)
    : rate_(sampleRate), channels_(channels), squelch_(std::move(squelch)), log_(std::move(log)) {
    target_ = "udp " + host + ":" + std::to_string(port);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<std::uint16_t>(port));
    socket_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0 || ::inet_pton(AF_INET, host.c_str(), &addr.sin_addr) != 1 ||
        ::connect(socket_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        if (log_)
            log_("SvxLink: cannot send audio to " + target_ + ": " + std::strerror(errno));
        if (socket_ >= 0)
            ::close(socket_);
        socket_ = -1;
    }
    thread_ = std::thread([this] { run(); });
}

UdpAudioSink::~UdpAudioSink() {
    shutdown();
    if (socket_ >= 0)
        ::close(socket_);
}

void UdpAudioSink::shutdown() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
        queue_.clear();
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
    std::lock_guard<std::mutex> lock(mutex_);
    // Never leave SvxLink's transmitter keyed behind us.
    if (keyed_ && squelch_)
        squelch_('Z', nullptr);
    keyed_ = false;
    squelch_ = nullptr;
}

void UdpAudioSink::play(const std::int16_t* samples, std::size_t count) {
    // Linear interpolation from the voice's rate: plain, and enough for speech on a radio.
    const double step = static_cast<double>(kVoiceSampleRate) / rate_;
    std::lock_guard<std::mutex> lock(mutex_);
    // Positions count in input samples from this chunk's start; -1 is the last chunk's end.
    const auto at = [&](long i) { return i < 0 ? lastInput_ : samples[i]; };
    double pos = resamplePos_;
    const auto n = static_cast<long>(count);
    while (count > 0) {
        const auto i = static_cast<long>(std::floor(pos));
        if (i + 1 >= n)
            break;
        const double frac = pos - static_cast<double>(i);
        const auto v = static_cast<std::int16_t>(at(i) + (at(i + 1) - at(i)) * frac);
        for (int c = 0; c < channels_; ++c)
            queue_.push_back(v);
        pos += step;
    }
    if (count > 0) {
        resamplePos_ = pos - static_cast<double>(n);
        lastInput_ = samples[count - 1];
    }
    wake_.notify_all();
}

void UdpAudioSink::clear() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.clear();
    }
    wake_.notify_all();
}

bool UdpAudioSink::busy() {
    std::lock_guard<std::mutex> lock(mutex_);
    return !queue_.empty() || sending_;
}

void UdpAudioSink::waitForRoom() {
    const auto limit = static_cast<std::size_t>(kMaxQueuedSeconds * rate_ * channels_);
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait(lock, [&] { return stop_ || queue_.size() < limit; });
}

bool UdpAudioSink::key(std::string* error) {
    std::lock_guard<std::mutex> lock(mutex_);
    unkeyRequested_ = false;
    if (keyed_ && !clearing_)
        return true;
    if (stop_ || !squelch_) {
        if (error)
            *error = "the audio stream is shut down";
        return false;
    }
    if (!squelch_('O', error))
        return false;
    clearing_ = false;
    keyed_ = true;
    wake_.notify_all();
    return true;
}

void UdpAudioSink::clearStale() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (keyed_ || stop_ || !squelch_)
            return;
        // The unkey path without an "O": silence streams, then "Z".
        clearing_ = true;
        keyed_ = true;
        unkeyRequested_ = true;
    }
    wake_.notify_all();
}

void UdpAudioSink::unkey() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!keyed_)
            return;
        unkeyRequested_ = true;
    }
    wake_.notify_all();
}

bool UdpAudioSink::sendBlock(const std::int16_t* block) {
    if (socket_ < 0)
        return false;
    // Little-endian on the wire, whatever the host.
    unsigned char bytes[kBlockBytes];
    for (std::size_t i = 0; i < kBlockBytes / 2; ++i) {
        const auto v = static_cast<std::uint16_t>(block[i]);
        bytes[2 * i] = static_cast<unsigned char>(v & 0xff);
        bytes[2 * i + 1] = static_cast<unsigned char>(v >> 8);
    }
    if (::send(socket_, bytes, sizeof bytes, 0) == static_cast<ssize_t>(sizeof bytes)) {
        const int blocksPerSecond = rate_ * channels_ / static_cast<int>(kBlockBytes / 2);
        if (pathLost_ && ++sentSinceLoss_ > blocksPerSecond) {
            pathLost_ = false;
            if (log_)
                log_("SvxLink: audio to " + target_ + " flows again");
        }
        return true;
    }
    sentSinceLoss_ = 0;
    if (!pathLost_ && log_)
        log_("SvxLink: audio to " + target_ + " not delivered: " + std::strerror(errno));
    pathLost_ = true;
    return false;
}

void UdpAudioSink::run() {
    using Clock = std::chrono::steady_clock;
    constexpr std::size_t samplesPerBlock = kBlockBytes / 2;
    const auto period =
        std::chrono::duration<double>(static_cast<double>(samplesPerBlock) / (rate_ * channels_));
    const auto trailingBlocks = static_cast<int>(
        kTrailingSilenceSeconds * rate_ * channels_ / static_cast<double>(samplesPerBlock) + 1);
    std::vector<std::int16_t> block(samplesPerBlock);
    auto next = Clock::now();
    bool streaming = false;
    int silenceLeft = -1;  // trailing blocks still to send after an unkey; -1: none due
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        if (!streaming) {
            wake_.wait(lock, [&] { return stop_ || keyed_ || !queue_.empty(); });
            if (stop_)
                return;
            streaming = true;
            silenceLeft = -1;
            next = Clock::now();
        }
        if (stop_)
            return;
        // One block: queued audio, padded with silence.
        std::size_t n = std::min(samplesPerBlock, queue_.size());
        std::copy(queue_.begin(), queue_.begin() + static_cast<long>(n), block.begin());
        queue_.erase(queue_.begin(), queue_.begin() + static_cast<long>(n));
        std::fill(block.begin() + static_cast<long>(n), block.end(), 0);
        sending_ = n > 0;
        if (keyed_ && unkeyRequested_ && queue_.empty() && n == 0 && silenceLeft < 0)
            silenceLeft = trailingBlocks;
        wake_.notify_all();
        lock.unlock();
        sendBlock(block.data());
        lock.lock();
        sending_ = false;
        if (silenceLeft > 0)
            --silenceLeft;
        if (silenceLeft == 0 && keyed_ && unkeyRequested_ && queue_.empty()) {
            squelch_('Z', nullptr);
            keyed_ = false;
            clearing_ = false;
            unkeyRequested_ = false;
            silenceLeft = -1;
        }
        if (!keyed_ && queue_.empty()) {
            streaming = false;
            continue;
        }
        next += std::chrono::duration_cast<Clock::duration>(period);
        wake_.wait_until(lock, next, [&] { return stop_; });
    }
}

}  // namespace vox

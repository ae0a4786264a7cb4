#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "adapters/audio_output.h"

namespace vox {

// The voice's audio to SvxLink's announcement receiver: raw signed 16-bit little-endian samples
// at SvxLink's rate and channel count, in whole 1024-byte datagrams (SvxLink keeps a partial block
// back until more comes), paced in real time.
//
// While keyed it streams continuously, silence included: SvxLink's PTY squelch wedges when it is
// closed with no audio since it opened, so the squelch opens with the first block and closes only
// after ~100 ms of trailing silence.
class UdpAudioSink : public AudioOutput {
public:
    // squelch: writes "O" or "Z" to the squelch PTY; false with the reason when it cannot.
    UdpAudioSink(std::string host, int port, int sampleRate, int channels,
                 std::function<bool(char, std::string*)> squelch,
                 std::function<void(const std::string&)> log);
    ~UdpAudioSink() override;

    void play(const std::int16_t* samples, std::size_t count) override;
    void clear() override;
    bool busy() override;
    void waitForRoom() override;

    // Opens the squelch and starts streaming; false with the reason when the squelch is gone.
    bool key(std::string* error);
    // Streams what is queued, then the trailing silence, then closes the squelch.
    void unkey();
    // Closes a squelch an earlier run may have left open (it crashed while keyed): the trailing
    // silence, then "Z", as at the end of a transmission. Harmless on a closed squelch; a key()
    // meanwhile takes over with its own "O".
    void clearStale();
    // Stops streaming, closes the squelch if it is open, and never touches it again: called
    // before the squelch PTY goes, since the voice may hold the sink longer.
    void shutdown();
    // True from key() until the squelch is closed again.
    bool keyed() const { return keyed_; }
    // One datagram: 512 samples, all channels interleaved.
    static constexpr std::size_t kBlockBytes = 1024;

private:
    void run();
    bool sendBlock(const std::int16_t* block);

    const int rate_;
    const int channels_;
    std::function<bool(char, std::string*)> squelch_;
    std::function<void(const std::string&)> log_;
    int socket_ = -1;
    std::string target_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::int16_t> queue_;  // at the output rate, interleaved
    double resamplePos_ = -1;         // position in the input between play() calls
    std::int16_t lastInput_ = 0;
    bool unkeyRequested_ = false;
    bool stop_ = false;
    // A lost audio path is told once. With SvxLink gone, sends fail and succeed in turn (each
    // refusal is reported on the next send), so it counts as back only after a second of
    // datagrams sent without one.
    bool pathLost_ = false;
    int sentSinceLoss_ = 0;
    std::atomic<bool> keyed_{false};
    bool clearing_ = false;             // streaming for clearStale(), no "O" written
    std::atomic<bool> sending_{false};  // a block of queued audio is on its way
    std::thread thread_;
};

}  // namespace vox

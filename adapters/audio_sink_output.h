#pragma once

#include <QAudioDevice>
#include <QAudioFormat>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

#include "adapters/audio_output.h"

class QAudioSink;
class QIODevice;
class QTimer;

namespace vox {

// A sound device through QAudioSink in push mode, on a thread of its own (the sink belongs to
// the thread that made it). It counts as busy until the audio has drained from the device's
// buffers, not merely been handed over, so the end of a sentence is not cut off by the unkey.
class AudioSinkOutput : public AudioOutput {
public:
    explicit AudioSinkOutput(const QAudioDevice& device);
    ~AudioSinkOutput() override;

    void play(const std::int16_t* samples, std::size_t count) override;
    void clear() override;
    bool busy() override;
    void waitForRoom() override;

private:
    void feed();  // sink thread
    QByteArray convert(const std::int16_t* samples, std::size_t count) const;

    QAudioDevice device_;
    QAudioFormat format_;
    QThread thread_;
    QObject* context_ = nullptr;  // lives in thread_
    QAudioSink* sink_ = nullptr;
    QIODevice* io_ = nullptr;
    QTimer* timer_ = nullptr;
    qint64 pushedBytes_ = 0;
    qint64 drainUntilMs_ = -1;
    qint64 stalledSinceMs_ = -1;
    qint64 lastProcessedUs_ = 0;

    std::mutex mutex_;
    std::condition_variable room_;
    QByteArray pending_;  // converted audio not yet written to the sink
    bool resetRequested_ = false;
    std::uint64_t clears_ = 0;  // wakes a producer waiting for room
    std::atomic<bool> busy_{false};
};

}  // namespace vox

#include "adapters/audio_sink_output.h"

#include <QAudioSink>
#include <QDateTime>
#include <QMetaObject>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "adapters/audio_convert.h"

namespace vox {

namespace {

// Ahead of the device the producer may run this far; the rest waits in the synthesis.
constexpr int kMaxBufferedSeconds = 5;
// A device that takes no audio for this long is given up, so speech cannot hang PTT.
constexpr qint64 kStallMs = 3000;
constexpr int kFeedIntervalMs = 10;

qint64 nowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

}  // namespace

AudioSinkOutput::AudioSinkOutput(const QAudioDevice& device) : device_(device) {
    format_.setSampleRate(kVoiceSampleRate);
    format_.setChannelCount(1);
    format_.setSampleFormat(QAudioFormat::Int16);
    if (!device_.isFormatSupported(format_))
        format_ = device_.preferredFormat();

    thread_.start();
    context_ = new QObject;
    context_->moveToThread(&thread_);
    QMetaObject::invokeMethod(
        context_,
        [this] {
            sink_ = new QAudioSink(device_, format_, context_);
            io_ = sink_->start();
            timer_ = new QTimer(context_);
            timer_->setInterval(kFeedIntervalMs);
            QObject::connect(timer_, &QTimer::timeout, context_, [this] { feed(); });
        },
        Qt::BlockingQueuedConnection);
}

AudioSinkOutput::~AudioSinkOutput() {
    clear();
    QMetaObject::invokeMethod(
        context_,
        [this] {
            sink_->stop();
            delete context_;  // takes the sink and the timer with it
        },
        Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

QByteArray AudioSinkOutput::convert(const std::int16_t* samples, std::size_t count) const {
    std::vector<std::int16_t> mono(samples, samples + count);
    if (format_.sampleRate() != kVoiceSampleRate) {
        std::vector<float> floats(count);
        std::transform(samples, samples + count, floats.begin(),
                       [](std::int16_t s) { return static_cast<float>(s) / 32768.0f; });
        MonoResampler resampler(kVoiceSampleRate, format_.sampleRate());
        resampler.push(floats.data(), floats.size());
        resampler.finish();
        mono = std::move(resampler.output());
    }
    const int channels = std::max(1, format_.channelCount());
    const int width = format_.bytesPerSample();
    QByteArray out(static_cast<qsizetype>(mono.size()) * channels * width, '\0');
    char* at = out.data();
    for (const std::int16_t s : mono) {
        for (int c = 0; c < channels; ++c) {
            switch (format_.sampleFormat()) {
                case QAudioFormat::UInt8:
                    *reinterpret_cast<std::uint8_t*>(at) =
                        static_cast<std::uint8_t>((s >> 8) + 128);
                    break;
                case QAudioFormat::Int32:
                    *reinterpret_cast<std::int32_t*>(at) = static_cast<std::int32_t>(s) * 65536;
                    break;
                case QAudioFormat::Float:
                    *reinterpret_cast<float*>(at) = static_cast<float>(s) / 32768.0f;
                    break;
                default:
                    *reinterpret_cast<std::int16_t*>(at) = s;
                    break;
            }
            at += width;
        }
    }
    return out;
}

void AudioSinkOutput::play(const std::int16_t* samples, std::size_t count) {
    if (count == 0)
        return;
    const QByteArray bytes = convert(samples, count);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_.append(bytes);
        busy_ = true;
    }
    QMetaObject::invokeMethod(context_, [this] {
        if (!timer_->isActive())
            timer_->start();
        feed();
    });
}

void AudioSinkOutput::clear() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_.clear();
        resetRequested_ = true;
        ++clears_;
        busy_ = false;
    }
    room_.notify_all();
    QMetaObject::invokeMethod(context_, [this] { feed(); });
}

bool AudioSinkOutput::busy() {
    return busy_;
}

void AudioSinkOutput::waitForRoom() {
    const qint64 limit =
        static_cast<qint64>(format_.bytesForDuration(kMaxBufferedSeconds * 1000000));
    std::unique_lock<std::mutex> lock(mutex_);
    const std::uint64_t clears = clears_;
    room_.wait(lock, [&] { return pending_.size() < limit || clears_ != clears; });
}

void AudioSinkOutput::feed() {
    const qint64 now = nowMs();
    std::unique_lock<std::mutex> lock(mutex_);
    if (resetRequested_) {
        resetRequested_ = false;
        sink_->reset();
        io_ = sink_->start();
        pushedBytes_ = 0;
        lastProcessedUs_ = 0;
        drainUntilMs_ = 0;  // what the sink held is gone: nothing left to drain
        stalledSinceMs_ = -1;
    }
    if (io_ != nullptr && !pending_.isEmpty()) {
        const qint64 room = std::min<qint64>(sink_->bytesFree(), pending_.size());
        const qint64 written = room > 0 ? io_->write(pending_.constData(), room) : 0;
        if (written > 0) {
            pending_.remove(0, written);
            pushedBytes_ += written;
            drainUntilMs_ = -1;
        }
    }
    const bool handedOver = pending_.isEmpty() && sink_->bytesFree() >= sink_->bufferSize();
    if (handedOver && drainUntilMs_ < 0) {
        // The sink's buffer is empty; the server behind it still holds about as much again.
        drainUntilMs_ = now + format_.durationForBytes(sink_->bufferSize()) / 1000 + 50;
    }

    // A device that stops taking audio (unplugged, server gone) must not hold the speech forever.
    const qint64 processed = sink_->processedUSecs();
    if (processed != lastProcessedUs_ || pending_.isEmpty()) {
        lastProcessedUs_ = processed;
        stalledSinceMs_ = -1;
    } else if (stalledSinceMs_ < 0) {
        stalledSinceMs_ = now;
    }
    const bool failed = sink_->error() == QAudio::FatalError ||
                        sink_->error() == QAudio::OpenError ||
                        (stalledSinceMs_ >= 0 && now - stalledSinceMs_ > kStallMs);
    if (failed) {
        pending_.clear();
        resetRequested_ = true;
    }
    const bool stillBusy = !failed && (!pending_.isEmpty() || !handedOver || now < drainUntilMs_);
    busy_ = stillBusy;
    lock.unlock();
    room_.notify_all();
    if (!stillBusy && timer_->isActive())
        timer_->stop();
}

}  // namespace vox

#include "adapters/audio_convert.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vox {

MonoResampler::MonoResampler(int fromRate, int toRate)
    : fromRate_(std::max(fromRate, 1)),
      toRate_(std::max(toRate, 1)),
      step_(static_cast<double>(fromRate_) / toRate_) {}

void MonoResampler::push(const float* mono, std::size_t count) {
    window_.insert(window_.end(), mono, mono + count);
    total_ += count;
    produce(false);
}

void MonoResampler::finish() {
    produce(true);
}

void MonoResampler::produce(bool final) {
    if (total_ == 0)
        return;
    const std::size_t target =
        final ? static_cast<std::size_t>(std::llround(static_cast<double>(total_) * toRate_ /
                                                      static_cast<double>(fromRate_)))
              : std::numeric_limits<std::size_t>::max();
    while (produced_ < target) {
        const double pos = static_cast<double>(produced_) * step_;
        const auto left = static_cast<std::size_t>(pos);
        if (!final && left + 1 >= total_)
            break;  // the right neighbour has not arrived yet
        const std::size_t l = std::min(left, total_ - 1);
        const std::size_t r = std::min(left + 1, total_ - 1);
        const float a = window_[l - base_];
        const float b = window_[r - base_];
        const float v = a + (b - a) * static_cast<float>(pos - static_cast<double>(left));
        out_.push_back(
            static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f)));
        ++produced_;
    }
    const std::size_t keepFrom =
        std::min(static_cast<std::size_t>(static_cast<double>(produced_) * step_), total_ - 1);
    if (keepFrom > base_) {
        window_.erase(window_.begin(),
                      window_.begin() + static_cast<std::ptrdiff_t>(keepFrom - base_));
        base_ = keepFrom;
    }
}

}  // namespace vox

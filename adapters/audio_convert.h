#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vox {

// Linear-interpolation resampler to 16-bit mono that works block by block, so a long file never
// sits in memory as floats. The duration is kept.
class MonoResampler {
public:
    MonoResampler(int fromRate, int toRate);
    void push(const float* mono, std::size_t count);
    void finish();
    std::vector<std::int16_t>& output() { return out_; }

private:
    void produce(bool final);

    int fromRate_;
    int toRate_;
    double step_;
    std::vector<float> window_;  // input from index base_ on
    std::size_t base_ = 0;
    std::size_t total_ = 0;
    std::size_t produced_ = 0;
    std::vector<std::int16_t> out_;
};

}  // namespace vox

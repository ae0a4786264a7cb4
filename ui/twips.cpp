#include "ui/twips.h"

#include <algorithm>
#include <cmath>

namespace vox {
namespace {

constexpr double kTwipsPerInch = 1440.0;
// Far beyond any desktop, far inside int.
constexpr double kMaxPixels = 1'000'000.0;

double sane(double dpi) {
    return dpi > 0 && std::isfinite(dpi) ? dpi : 96.0;
}

}  // namespace

int pixelsToTwips(int pixels, double logicalDpi) {
    const double px = std::clamp(static_cast<double>(pixels), -kMaxPixels, kMaxPixels);
    return static_cast<int>(std::lround(px * kTwipsPerInch / sane(logicalDpi)));
}

int twipsToPixels(int twips, double logicalDpi) {
    const double px = static_cast<double>(twips) * sane(logicalDpi) / kTwipsPerInch;
    return static_cast<int>(std::lround(std::clamp(px, -kMaxPixels, kMaxPixels)));
}

}  // namespace vox

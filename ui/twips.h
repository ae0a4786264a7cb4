#pragma once

namespace vox {

// Positions in the per-user store are twips (1440 per logical inch; 15 per pixel at 96 dpi).
// Conversions clamp, so a garbage value from the store cannot overflow a window coordinate.
int pixelsToTwips(int pixels, double logicalDpi);
int twipsToPixels(int twips, double logicalDpi);

}  // namespace vox

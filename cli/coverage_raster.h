#pragma once

#include <cstdint>

#include "screen_path.h"

namespace pellomarin::cli {

// Antialiased paths one pixel wide, drawn into 32-bit pixels as they come:
// ball k's coverage of a pixel in bits 8k to 8k + 7, each pixel keeping the
// most any segment gave it, so that the joints of a path are not drawn twice.
// compose() then turns the coverages into colours. Owned by one thread.
class CoverageRaster {
public:
    // `stride` in pixels; the pixels start at zero.
    CoverageRaster(std::uint32_t* pixels, int width, int height, int stride);

    // A segment within a pixel of the picture: cover() leaves out what falls outside.
    void segment(int ball, ScreenPoint a, ScreenPoint b);

    // Each pixel becomes opaque: the balls' colours (RGB) laid over black by
    // their coverage, ball 0 lowest.
    void compose(const std::uint32_t (&colours)[3]);

private:
    void cover(int x, int y, int ball, double coverage);

    std::uint32_t* pixels;
    int width;
    int height;
    int stride;
};

}  // namespace pellomarin::cli

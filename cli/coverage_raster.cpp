#include "coverage_raster.h"

#include <cmath>
#include <utility>

namespace pellomarin::cli {

CoverageRaster::CoverageRaster(std::uint32_t* pixels_, int width_, int height_, int stride_)
    : pixels(pixels_), width(width_), height(height_), stride(stride_) {}

inline void CoverageRaster::cover(int x, int y, int ball, double coverage) {
    if (x < 0 || x >= width || y < 0 || y >= height)
        return;
    const int shift = 8 * ball;
    const auto value = static_cast<std::uint32_t>(coverage * 255.0 + 0.5);
    std::uint32_t& pixel = pixels[std::ptrdiff_t(y) * stride + x];
    if (value > ((pixel >> shift) & 0xffu))
        pixel = (pixel & ~(0xffu << shift)) | (value << shift);
}

// Xiaolin Wu's line: one sample per pixel column (or row, for a steep line)
// whose centre lies within the segment, shared between the two pixels nearest
// the line. Consecutive segments sample disjoint columns.
void CoverageRaster::segment(int ball, ScreenPoint a, ScreenPoint b) {
    bool steep = std::abs(b.y - a.y) > std::abs(b.x - a.x);
    if (steep) {
        std::swap(a.x, a.y);
        std::swap(b.x, b.y);
    }
    if (a.x > b.x)
        std::swap(a, b);
    const int first = static_cast<int>(std::ceil(a.x - 0.5));
    const int end = static_cast<int>(std::ceil(b.x - 0.5));
    if (first >= end)
        return;  // a short segment between two column centres: the next one samples
    const double slope = (b.y - a.y) / (b.x - a.x);
    for (int i = first; i < end; ++i) {
        const double across = a.y + ((i + 0.5) - a.x) * slope - 0.5;
        const double below = std::floor(across);
        const double share = across - below;
        const int j = static_cast<int>(below);
        if (steep) {
            cover(j, i, ball, 1.0 - share);
            cover(j + 1, i, ball, share);
        } else {
            cover(i, j, ball, 1.0 - share);
            cover(i, j + 1, ball, share);
        }
    }
}

void CoverageRaster::compose(const std::uint32_t (&colours)[3]) {
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = pixels + std::ptrdiff_t(y) * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t coverages = row[x] & 0xffffffu;
            if (coverages == 0) {
                row[x] = 0xff000000u;  // most of the picture: black
                continue;
            }
            std::uint32_t channel[3] = {0, 0, 0};  // red, green, blue
            for (int ball = 0; ball < 3; ++ball) {
                const std::uint32_t c = (coverages >> (8 * ball)) & 0xffu;
                for (int k = 0; k < 3; ++k) {
                    const std::uint32_t colour = (colours[ball] >> (16 - 8 * k)) & 0xffu;
                    channel[k] = (channel[k] * (255 - c) + colour * c + 127) / 255;
                }
            }
            row[x] = 0xff000000u | (channel[0] << 16) | (channel[1] << 8) | channel[2];
        }
    }
}

}  // namespace pellomarin::cli

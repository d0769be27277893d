// A 32-bit pixel buffer (0xFFRRGGBB, the layout of QImage::Format_RGB32).
#pragma once

#include "platform/DrawingSurface.h"

#include <cstdint>
#include <vector>

namespace qv {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

Rect Intersect(const Rect& a, const Rect& b);
Rect Union(const Rect& a, const Rect& b);

constexpr std::uint32_t ToPixel(Color color) {
    return 0xFF000000U | ((color & 0xFFU) << 16) | (color & 0xFF00U) | ((color >> 16) & 0xFFU);
}

class RasterCanvas {
public:
    RasterCanvas() = default;
    RasterCanvas(int width, int height);

    // Sizes below zero count as zero; the pixels are white afterwards.
    void Resize(int width, int height);
    void Fill(const Rect& area, Color color);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rect Bounds() const { return {0, 0, width_, height_}; }
    std::uint32_t* Pixels() { return pixels_.data(); }
    const std::uint32_t* Pixels() const { return pixels_.data(); }
    std::uint32_t PixelAt(int x, int y) const { return pixels_[Index(x, y)]; }
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

} // namespace qv

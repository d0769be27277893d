#include "platform/raster/RasterCanvas.h"

#include <algorithm>

namespace qv {

Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return r.Empty() ? Rect{} : r;
}

Rect Union(const Rect& a, const Rect& b) {
    if (a.Empty()) {
        return b;
    }
    if (b.Empty()) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

RasterCanvas::RasterCanvas(int width, int height) { Resize(width, height); }

void RasterCanvas::Resize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    const std::size_t count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    pixels_.assign(count, ToPixel(kWhite));
}

void RasterCanvas::Fill(const Rect& area, Color color) {
    const Rect r = Intersect(area, Bounds());
    const std::uint32_t pixel = ToPixel(color);
    for (int y = r.top; y < r.bottom; ++y) {
        std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(Index(r.left, y)), r.right - r.left, pixel);
    }
}

} // namespace qv

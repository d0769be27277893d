#include "platform/raster/RasterSurface.h"

#include <algorithm>
#include <cstdlib>

namespace qv {

namespace {

constexpr RasterPen kStockBlackPen{1, kBlack};
constexpr std::uint32_t kRgbMask = 0x00FFFFFFU;
constexpr int kReach = 1 << 28;

std::uint32_t Apply(RasterOp op, std::uint32_t pen, std::uint32_t old) {
    switch (op) {
    case RasterOp::XorPen:
        return 0xFF000000U | ((pen ^ old) & kRgbMask);
    case RasterOp::NotXorPen:
        return 0xFF000000U | (~(pen ^ old) & kRgbMask);
    case RasterOp::CopyPen:
        break;
    }
    return pen;
}

std::uint32_t Blend(std::uint32_t ink, std::uint8_t coverage) {
    const std::uint32_t a = coverage;
    auto channel = [a](std::uint32_t value) { return (value * a + 255U * (255U - a) + 127U) / 255U; };
    return 0xFF000000U | (channel((ink >> 16) & 0xFFU) << 16) | (channel((ink >> 8) & 0xFFU) << 8) |
           channel(ink & 0xFFU);
}

} // namespace

Pen ToPen(const RasterPen* pen) { return Pen{reinterpret_cast<std::uintptr_t>(pen)}; }

const RasterPen& PenOf(Pen pen) {
    return pen.handle == 0 ? kStockBlackPen : *reinterpret_cast<const RasterPen*>(pen.handle);
}

RasterSurface::RasterSurface(RasterCanvas& canvas, GlyphSource& glyphs, Rect clip)
    : canvas_(canvas), glyphs_(glyphs), clip_(Intersect(clip, canvas.Bounds())), pen_(&kStockBlackPen),
      font_(glyphs.SystemFont()) {}

RasterSurface::RasterSurface(RasterCanvas& canvas, GlyphSource& glyphs)
    : RasterSurface(canvas, glyphs, canvas.Bounds()) {}

void RasterSurface::SelectObject(Pen pen) {
    EndStroke();
    pen_ = &PenOf(pen);
}

void RasterSurface::SelectObject(Font font) {
    EndStroke();
    font_ = font;
}

void RasterSurface::SelectObject(StockObject object) {
    EndStroke();
    if (object == StockObject::BlackPen) {
        pen_ = &kStockBlackPen;
    } else {
        font_ = glyphs_.SystemFont();
    }
}

void RasterSurface::SetROP2(RasterOp op) {
    EndStroke();
    op_ = op;
}

void RasterSurface::MoveToEx(int x, int y) {
    EndStroke();
    position_ = {x, y};
}

void RasterSurface::LineTo(int x, int y) {
    if (!inStroke_) {
        canvas_.BeginStroke();
        penPixel_ = ToPixel(pen_->color);
        inStroke_ = true;
    }
    StrokeSegment(position_, {x, y});
    position_ = {x, y};
}

// The centre line's pixel k along the major axis is offset on the minor axis
// by k * minor / steps rounded half up; in that closed form the steps outside
// the clip rectangle are skipped, so a far-off end point costs nothing. End
// points are held within 2^28 of the origin so the products cannot overflow;
// no painter comes near that.
void RasterSurface::StrokeSegment(Point from, Point to) {
    if (clip_.Empty()) {
        return;
    }
    auto hold = [](Point p) { return Point{std::clamp(p.x, -kReach, kReach), std::clamp(p.y, -kReach, kReach)}; };
    from = hold(from);
    to = hold(to);
    const long long dx = static_cast<long long>(to.x) - from.x;
    const long long dy = static_cast<long long>(to.y) - from.y;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long steps = std::max(std::llabs(dx), std::llabs(dy));
    const long long minorRun = xMajor ? std::llabs(dy) : std::llabs(dx);
    const int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const long long major0 = xMajor ? from.x : from.y;
    const long long minor0 = xMajor ? from.y : from.x;

    const int low = -(pen_->width / 2);
    const int high = low + pen_->width - 1;
    const long long clipMin = xMajor ? clip_.left : clip_.top;
    const long long clipMax = (xMajor ? clip_.right : clip_.bottom) - 1;
    long long first = majorSign > 0 ? clipMin - high - major0 : major0 - (clipMax - low);
    long long last = majorSign > 0 ? clipMax - low - major0 : major0 - (clipMin - high);
    first = std::max(first, 0LL);
    last = std::min(last, steps);

    for (long long k = first; k <= last; ++k) {
        const long long minorOffset = steps == 0 ? 0 : (2 * k * minorRun + steps) / (2 * steps);
        const long long major = major0 + majorSign * k;
        const long long minor = minor0 + minorSign * minorOffset;
        if (xMajor) {
            Stamp(major, minor);
        } else {
            Stamp(minor, major);
        }
    }
}

void RasterSurface::Stamp(long long x, long long y) {
    const int low = -(pen_->width / 2);
    for (int oy = 0; oy < pen_->width; ++oy) {
        for (int ox = 0; ox < pen_->width; ++ox) {
            Plot(x + low + ox, y + low + oy);
        }
    }
}

void RasterSurface::Plot(long long x, long long y) {
    if (x < clip_.left || x >= clip_.right || y < clip_.top || y >= clip_.bottom) {
        return;
    }
    const std::size_t index = canvas_.Index(static_cast<int>(x), static_cast<int>(y));
    if (canvas_.Claim(index)) {
        std::uint32_t& pixel = canvas_.Pixels()[index];
        pixel = Apply(op_, penPixel_, pixel);
    }
}

// Text is opaque: its cell box is white, the glyphs in the text colour, and
// the raster operation does not apply.
void RasterSurface::TextOutA(int x, int y, const char* text, int length) {
    EndStroke();
    if (text == nullptr || length <= 0) {
        return;
    }
    const GlyphRun& run = glyphs_.Render(font_, std::string_view(text, static_cast<std::size_t>(length)));
    long long left = x;
    if (align_ == TextAlign::Right) {
        left -= run.width;
    } else if (align_ == TextAlign::Center) {
        left -= run.width / 2;
    }
    const Rect box{
        static_cast<int>(std::clamp<long long>(left, INT32_MIN, INT32_MAX)), y,
        static_cast<int>(std::clamp<long long>(left + run.width, INT32_MIN, INT32_MAX)),
        static_cast<int>(std::clamp<long long>(static_cast<long long>(y) + run.height, INT32_MIN, INT32_MAX))};
    const Rect visible = Intersect(box, clip_);
    const std::uint32_t ink = ToPixel(textColor_);
    for (int py = visible.top; py < visible.bottom; ++py) {
        const std::uint8_t* row = run.coverage.data() + static_cast<std::size_t>(py - box.top) * run.width;
        std::uint32_t* out = canvas_.Pixels() + canvas_.Index(visible.left, py);
        for (int px = visible.left; px < visible.right; ++px) {
            *out++ = Blend(ink, row[px - box.left]);
        }
    }
}

TextMetrics RasterSurface::GetTextMetricsA() { return glyphs_.Metrics(font_); }

} // namespace qv

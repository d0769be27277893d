#include "platform/raster/RasterSurface.h"

#include <algorithm>
#include <array>

namespace qv {

namespace {

constexpr RasterPen kStockBlackPen{1, kBlack};

// The pixel for every coverage of one ink, so that the text loop is a lookup.
std::array<std::uint32_t, 256> BlendTable(std::uint32_t ink) {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t a = 0; a < 256; ++a) {
        auto channel = [a](std::uint32_t value) { return (value * a + 255U * (255U - a) + 127U) / 255U; };
        table[a] = 0xFF000000U | (channel((ink >> 16) & 0xFFU) << 16) | (channel((ink >> 8) & 0xFFU) << 8) |
                   channel(ink & 0xFFU);
    }
    return table;
}

} // namespace

Pen ToPen(const RasterPen* pen) { return Pen{reinterpret_cast<std::uintptr_t>(pen)}; }

const RasterPen& PenOf(Pen pen) {
    return pen.handle == 0 ? kStockBlackPen : *reinterpret_cast<const RasterPen*>(pen.handle);
}

RasterSurface::RasterSurface(RasterCanvas& canvas, GlyphSource& glyphs, Rect clip)
    : canvas_(canvas), glyphs_(glyphs), clip_(Intersect(clip, canvas.Bounds())), pen_(&kStockBlackPen),
      font_(glyphs.SystemFont()), stroke_(canvas, clip_) {}

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
        stroke_.Begin(pen_->width, pen_->color, op_);
        inStroke_ = true;
    }
    stroke_.Extend(position_, {x, y});
    position_ = {x, y};
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
    if (ink == ToPixel(kWhite)) { // a label taken off: its whole box turns white
        canvas_.Fill(visible, kWhite);
        return;
    }
    const std::array<std::uint32_t, 256> blend = BlendTable(ink);
    for (int py = visible.top; py < visible.bottom; ++py) {
        const std::uint8_t* coverage = run.coverage.data() + static_cast<std::size_t>(py - box.top) * run.width;
        std::uint32_t* const out = canvas_.Pixels() + canvas_.Index(visible.left, py);
        for (int px = visible.left; px < visible.right; ++px) {
            out[px - visible.left] = blend[coverage[px - box.left]];
        }
    }
}

TextMetrics RasterSurface::GetTextMetricsA() { return glyphs_.Metrics(font_); }

} // namespace qv

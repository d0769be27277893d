// The drawing surface over a raster canvas: the engine of the Qt program, of
// the pixel tests and of the snapshot tool. It knows a bitmap and nothing of
// windows.
//
// Lines use a square brush as wide as the pen (2 x 2 for the display's pens),
// stamped along an exact line between the two end points, both included.
// Every run of LineTo calls is one stroke: each pixel under it is changed
// once by the raster operation, as a wide pen's path is on the real platform,
// so joints are not toggled twice and a second identical pass undoes the
// first. MoveToEx, a selection, a raster-operation change, text and the end
// of the surface end a stroke.
#pragma once

#include "platform/raster/GlyphSource.h"
#include "platform/raster/RasterCanvas.h"
#include "platform/raster/StrokePainter.h"

namespace qv {

struct RasterPen {
    int width = 1;
    Color color = kBlack;
};

Pen ToPen(const RasterPen* pen);
const RasterPen& PenOf(Pen pen); // the stock black pen for a null handle

class RasterSurface final : public DrawingSurface {
public:
    RasterSurface(RasterCanvas& canvas, GlyphSource& glyphs, Rect clip);
    RasterSurface(RasterCanvas& canvas, GlyphSource& glyphs);

    void SelectObject(Pen pen) override;
    void SelectObject(Font font) override;
    void SelectObject(StockObject object) override;
    void SetROP2(RasterOp op) override;

    void MoveToEx(int x, int y) override;
    void LineTo(int x, int y) override;
    Point GetCurrentPositionEx() override { return position_; }

    void SetTextColor(Color color) override { textColor_ = color; }
    void SetTextAlign(TextAlign align) override { align_ = align; }
    void TextOutA(int x, int y, const char* text, int length) override;
    TextMetrics GetTextMetricsA() override;

private:
    void EndStroke() { inStroke_ = false; }

    RasterCanvas& canvas_;
    GlyphSource& glyphs_;
    Rect clip_;
    const RasterPen* pen_;
    Font font_;
    RasterOp op_ = RasterOp::CopyPen;
    Point position_;
    Color textColor_ = kBlack;
    TextAlign align_ = TextAlign::LeftTop;
    bool inStroke_ = false;
    StrokePainter stroke_;
};

} // namespace qv

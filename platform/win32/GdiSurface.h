// The drawing surface over a GDI device context.
//
// A run of LineTo calls is held back and drawn as one PolylineTo, because GDI
// strokes a wide pen's polyline as one shape: each pixel under it is changed
// once by the raster operation, so joints are not toggled twice and a second
// identical pass undoes the first (as on the raster surface). MoveToEx, a
// selection, a raster-operation change, text and the end of the surface draw
// what is held. The surface restores the context's settings when it ends.
#pragma once

#include "platform/win32/Win32Handles.h"

#include <vector>

namespace qv::win32 {

class GdiSurface : public DrawingSurface {
public:
    explicit GdiSurface(HDC dc);
    ~GdiSurface() override;
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;

    HDC Dc() const { return dc_; }

    void SelectObject(Pen pen) override;
    void SelectObject(Font font) override;
    void SelectObject(StockObject object) override;
    void SetROP2(RasterOp op) override;

    void MoveToEx(int x, int y) override;
    void LineTo(int x, int y) override;
    Point GetCurrentPositionEx() override;

    void SetTextColor(Color color) override;
    void SetTextAlign(TextAlign align) override;
    void TextOutA(int x, int y, const char* text, int length) override;
    TextMetrics GetTextMetricsA() override;

private:
    void Flush();

    HDC dc_;
    int saved_;
    std::vector<POINT> pending_;
};

} // namespace qv::win32

#include "platform/win32/GdiSurface.h"

namespace qv::win32 {

// The settings every surface starts from, whatever the context held before.
GdiSurface::GdiSurface(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {
    ::SelectObject(dc_, ::GetStockObject(BLACK_PEN));
    ::SelectObject(dc_, ::GetStockObject(SYSTEM_FONT));
    ::SetROP2(dc_, R2_COPYPEN);
    ::SetTextColor(dc_, RGB(0, 0, 0));
    ::SetBkMode(dc_, OPAQUE);
    ::SetBkColor(dc_, RGB(255, 255, 255));
    ::SetTextAlign(dc_, TA_LEFT | TA_TOP);
    ::MoveToEx(dc_, 0, 0, nullptr);
}

GdiSurface::~GdiSurface() {
    Flush();
    ::RestoreDC(dc_, saved_);
}

void GdiSurface::Flush() {
    if (pending_.empty()) {
        return;
    }
    ::PolylineTo(dc_, pending_.data(), static_cast<DWORD>(pending_.size()));
    pending_.clear();
}

void GdiSurface::SelectObject(Pen pen) {
    Flush();
    ::SelectObject(dc_, HpenOf(pen));
}

void GdiSurface::SelectObject(Font font) {
    Flush();
    ::SelectObject(dc_, HfontOf(font));
}

void GdiSurface::SelectObject(StockObject object) {
    Flush();
    ::SelectObject(dc_, ::GetStockObject(object == StockObject::BlackPen ? BLACK_PEN : SYSTEM_FONT));
}

void GdiSurface::SetROP2(RasterOp op) {
    Flush();
    ::SetROP2(dc_, static_cast<int>(op));
}

void GdiSurface::MoveToEx(int x, int y) {
    Flush();
    ::MoveToEx(dc_, x, y, nullptr);
}

void GdiSurface::LineTo(int x, int y) { pending_.push_back(POINT{x, y}); }

Point GdiSurface::GetCurrentPositionEx() {
    if (!pending_.empty()) {
        return {static_cast<int>(pending_.back().x), static_cast<int>(pending_.back().y)};
    }
    POINT position{};
    ::GetCurrentPositionEx(dc_, &position);
    return {static_cast<int>(position.x), static_cast<int>(position.y)};
}

void GdiSurface::SetTextColor(Color color) { ::SetTextColor(dc_, color); }

void GdiSurface::SetTextAlign(TextAlign align) { ::SetTextAlign(dc_, static_cast<UINT>(align)); }

void GdiSurface::TextOutA(int x, int y, const char* text, int length) {
    Flush();
    ::TextOutA(dc_, x, y, text, length);
}

TextMetrics GdiSurface::GetTextMetricsA() {
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc_, &metrics);
    return {static_cast<int>(metrics.tmHeight), static_cast<int>(metrics.tmExternalLeading),
            static_cast<int>(metrics.tmAveCharWidth)};
}

} // namespace qv::win32

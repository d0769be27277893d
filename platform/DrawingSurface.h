// The device context every painter draws through. Only platform/ implements it:
// the raster surface over a pixel buffer, the GDI surface over an HDC, and the
// recording surface of the tests.
#pragma once

#include <cstdint>

namespace qv {

// A colour in the platform's COLORREF byte order, 0x00BBGGRR.
using Color = std::uint32_t;

constexpr Color Rgb(int red, int green, int blue) {
    return static_cast<Color>(red & 0xFF) | (static_cast<Color>(green & 0xFF) << 8) |
           (static_cast<Color>(blue & 0xFF) << 16);
}

inline constexpr Color kBlack = Rgb(0, 0, 0);
inline constexpr Color kWhite = Rgb(255, 255, 255);
inline constexpr Color kRed = Rgb(255, 0, 0);
inline constexpr Color kBlue = Rgb(0, 0, 255);
inline constexpr Color kMagenta = Rgb(255, 0, 255);
inline constexpr Color kDarkGreen = Rgb(0, 100, 0);

// Handles of drawing objects made by the window system (CreatePen,
// CreateFontIndirectA); what the number means is the platform's business.
struct Pen {
    std::uintptr_t handle = 0;
    friend bool operator==(Pen, Pen) = default;
};

struct Font {
    std::uintptr_t handle = 0;
    friend bool operator==(Font, Font) = default;
};

enum class StockObject { BlackPen, SystemFont };

// Values as the platform numbers them, so the Win32 layer passes them through.
enum class RasterOp : int { CopyPen = 13, XorPen = 7, NotXorPen = 10 };
enum class TextAlign : int { LeftTop = 0, Right = 2, Center = 6 };

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(Point, Point) = default;
};

struct TextMetrics {
    int tmHeight = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
};

// A freshly acquired surface has the stock black pen, the system font,
// CopyPen, black text on an opaque white background, LeftTop alignment and
// the current position (0, 0).
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    virtual void SelectObject(Pen pen) = 0;
    virtual void SelectObject(Font font) = 0;
    virtual void SelectObject(StockObject object) = 0;
    virtual void SetROP2(RasterOp op) = 0;

    virtual void MoveToEx(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual Point GetCurrentPositionEx() = 0;

    virtual void SetTextColor(Color color) = 0;
    virtual void SetTextAlign(TextAlign align) = 0;
    virtual void TextOutA(int x, int y, const char* text, int length) = 0;
    virtual TextMetrics GetTextMetricsA() = 0;
};

} // namespace qv

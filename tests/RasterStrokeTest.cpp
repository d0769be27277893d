// Strokes on the raster surface against a brute-force reference: the brush
// stamped at every pixel of each segment's centre line, every pixel it covers
// marked, and each marked pixel changed once by the raster operation.
#include "platform/raster/RasterSurface.h"
#include "tests/BlockGlyphs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace qv {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr Color kInk = Rgb(200, 30, 90);
const Rect kWhole{0, 0, kWidth, kHeight};
const Rect kInner{9, 7, 50, 41};

struct Stroke {
    std::vector<Point> points;
    int width = 2;
    RasterOp op = RasterOp::XorPen;
    Rect clip = kWhole;
};

std::string Describe(const Stroke& stroke) {
    std::ostringstream out;
    out << "width " << stroke.width << ", op " << static_cast<int>(stroke.op) << ", clip " << stroke.clip.left << ","
        << stroke.clip.top << "-" << stroke.clip.right << "," << stroke.clip.bottom << ", points";
    for (const Point p : stroke.points) {
        out << " (" << p.x << "," << p.y << ")";
    }
    return out.str();
}

std::vector<std::uint32_t> Background() {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            pixels.push_back(ToPixel(Rgb(x * 4, y * 5, (x * y) & 0xFF)));
        }
    }
    return pixels;
}

std::uint32_t Apply(RasterOp op, std::uint32_t old) {
    const std::uint32_t pen = ToPixel(kInk);
    switch (op) {
    case RasterOp::XorPen:
        return 0xFF000000U | ((pen ^ old) & 0x00FFFFFFU);
    case RasterOp::NotXorPen:
        return 0xFF000000U | (~(pen ^ old) & 0x00FFFFFFU);
    case RasterOp::CopyPen:
        break;
    }
    return pen;
}

std::vector<std::uint32_t> Reference(std::vector<std::uint32_t> pixels, const Stroke& stroke) {
    std::vector<bool> marked(pixels.size());
    const int low = -(stroke.width / 2);
    for (std::size_t i = 1; i < stroke.points.size(); ++i) {
        const Point a = stroke.points[i - 1];
        const Point b = stroke.points[i];
        const long long dx = b.x - a.x;
        const long long dy = b.y - a.y;
        const long long steps = std::max(std::llabs(dx), std::llabs(dy));
        for (long long k = 0; k <= steps; ++k) {
            auto along = [&](long long d) { // k * d / steps rounded half up, for either sign of d
                const long long offset = steps == 0 ? 0 : (2 * k * std::llabs(d) + steps) / (2 * steps);
                return d < 0 ? -offset : offset;
            };
            const bool xMajor = std::llabs(dx) >= std::llabs(dy);
            const long long cx = xMajor ? a.x + (dx < 0 ? -k : k) : a.x + along(dx);
            const long long cy = xMajor ? a.y + along(dy) : a.y + (dy < 0 ? -k : k);
            for (int oy = low; oy < low + stroke.width; ++oy) {
                for (int ox = low; ox < low + stroke.width; ++ox) {
                    const long long x = cx + ox;
                    const long long y = cy + oy;
                    if (x >= stroke.clip.left && x < stroke.clip.right && y >= stroke.clip.top &&
                        y < stroke.clip.bottom) {
                        marked[static_cast<std::size_t>(y * kWidth + x)] = true;
                    }
                }
            }
        }
    }
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (marked[i]) {
            pixels[i] = Apply(stroke.op, pixels[i]);
        }
    }
    return pixels;
}

class RasterStrokeTest : public ::testing::Test {
public:
    void SetUp() override { canvas.Resize(kWidth, kHeight); }

    void Load(const std::vector<std::uint32_t>& pixels) { std::copy(pixels.begin(), pixels.end(), canvas.Pixels()); }
    std::vector<std::uint32_t> Pixels() const { return {canvas.Pixels(), canvas.Pixels() + kWidth * kHeight}; }

    // One stroke on a fresh surface, ended by the surface's destruction.
    void Draw(const Stroke& stroke) {
        const RasterPen pen{stroke.width, kInk};
        RasterSurface surface(canvas, glyphs, stroke.clip);
        surface.SelectObject(ToPen(&pen));
        surface.SetROP2(stroke.op);
        surface.MoveToEx(stroke.points[0].x, stroke.points[0].y);
        for (std::size_t i = 1; i < stroke.points.size(); ++i) {
            surface.LineTo(stroke.points[i].x, stroke.points[i].y);
        }
    }

    // The stroke changes exactly the reference's pixels, and a second pass
    // of xor or not-xor restores the background.
    void ExpectLikeReference(const Stroke& stroke, const std::string& name) {
        const std::vector<std::uint32_t> background = Background();
        const std::vector<std::uint32_t> expected = Reference(background, stroke);
        Load(background);
        Draw(stroke);
        const std::vector<std::uint32_t> drawn = Pixels();
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            if (drawn[i] != expected[i]) {
                ADD_FAILURE() << name << ": first wrong pixel " << i % kWidth << "," << i / kWidth << " ("
                              << (expected[i] == background[i] ? "should be untouched" : "should change") << ") in "
                              << Describe(stroke);
                return;
            }
        }
        if (stroke.op != RasterOp::CopyPen) {
            Draw(stroke);
            EXPECT_TRUE(Pixels() == background) << name << ": the second pass left a trace, " << Describe(stroke);
        }
    }

    test::BlockGlyphs glyphs;
    RasterCanvas canvas;
};

TEST_F(RasterStrokeTest, ShapesThatTestTheUnionMatchTheReference) {
    struct Case {
        const char* name;
        std::vector<Point> points;
    };
    const Case cases[] = {
        {"a single horizontal", {{5, 20}, {58, 20}}},
        {"a single pixel", {{30, 30}, {30, 30}}},
        {"a pulse", {{10, 40}, {10, 10}, {20, 10}, {20, 40}, {30, 40}}},
        {"a collapsed pulse", {{10, 40}, {10, 10}, {10, 10}, {10, 40}, {30, 40}}},
        {"a pulse one pixel wide", {{10, 40}, {10, 10}, {11, 10}, {11, 40}, {30, 40}}},
        {"up and down one column", {{25, 40}, {25, 5}, {25, 40}}},
        {"back and forth along a row", {{5, 20}, {50, 20}, {12, 20}, {40, 21}}},
        {"a trace drawn right to left", {{60, 30}, {50, 10}, {40, 35}, {30, 12}, {20, 12}, {10, 40}}},
        {"a steep rise into a shallow fall", {{10, 45}, {15, 5}, {40, 9}, {41, 20}, {43, 24}, {45, 27}}},
        {"short decaying steps", {{10, 5}, {11, 14}, {13, 20}, {15, 24}, {17, 27}, {19, 29}, {21, 30}, {23, 31}}},
        {"diagonals crossing", {{5, 5}, {45, 45}, {45, 5}, {5, 45}}},
        {"a star about one point", {{30, 24}, {50, 30}, {30, 24}, {10, 40}, {30, 24}, {33, 0}, {30, 24}}},
        {"zero-length segments between", {{5, 5}, {5, 5}, {20, 9}, {20, 9}, {20, 9}, {35, 30}}},
        {"wholly outside", {{-30, -10}, {-5, -20}, {-3, 90}}},
        {"across the corners", {{-20, -15}, {80, 60}, {-10, 70}}},
        {"far off the canvas", {{-100000, 24}, {100000, 25}, {30, -100000}}},
    };
    for (const Case& c : cases) {
        for (const int width : {1, 2, 3}) {
            for (const RasterOp op : {RasterOp::CopyPen, RasterOp::XorPen, RasterOp::NotXorPen}) {
                for (const Rect clip : {kWhole, kInner}) {
                    ExpectLikeReference({c.points, width, op, clip}, c.name);
                }
            }
        }
    }
}

// Seeded, so a failure repeats. Traces run left to right, as the display's
// do; walks wander and turn back; scatters jump across and beyond the canvas.
TEST_F(RasterStrokeTest, RandomStrokesMatchTheReference) {
    std::mt19937 random(20261211);
    auto between = [&random](int low, int high) {
        return low + static_cast<int>(random() % static_cast<unsigned>(high - low + 1));
    };
    auto trace = [&](Point p) { return Point{p.x + between(0, 6), between(0, 3) == 0 ? p.y : p.y + between(-12, 12)}; };
    auto walk = [&](Point p) { return Point{p.x + between(-7, 7), p.y + between(-7, 7)}; };
    auto scatter = [&](Point) { return Point{between(-20, kWidth + 20), between(-20, kHeight + 20)}; };
    struct Shape {
        const char* name;
        std::function<Point(Point)> next;
    };
    const Shape shapes[] = {{"trace", trace}, {"walk", walk}, {"scatter", scatter}};
    for (const Shape& shape : shapes) {
        for (int i = 0; i < 400; ++i) {
            Stroke stroke;
            stroke.width = between(1, 3);
            stroke.op = std::array{RasterOp::CopyPen, RasterOp::XorPen, RasterOp::NotXorPen}[between(0, 2)];
            stroke.clip = between(0, 1) == 0 ? kWhole : kInner;
            stroke.points.push_back({between(-5, kWidth / 2), between(-5, kHeight + 5)});
            const int count = between(1, 12);
            for (int j = 0; j < count; ++j) {
                stroke.points.push_back(shape.next(stroke.points.back()));
            }
            ExpectLikeReference(stroke, shape.name);
        }
    }
}

// A stroke toggles each pixel once, so drawing back over the last segment
// within one stroke leaves it inked, and across two strokes erases it.
TEST_F(RasterStrokeTest, StrokesEndAtMovesSelectionsRasterOpsAndText) {
    const RasterPen pen{2, kInk};
    struct Case {
        const char* name;
        void (*between)(DrawingSurface&, const RasterPen&);
        bool endsTheStroke;
    };
    const Case cases[] = {
        {"nothing", [](DrawingSurface&, const RasterPen&) {}, false},
        {"asking the position", [](DrawingSurface& s, const RasterPen&) { s.GetCurrentPositionEx(); }, false},
        {"text colour and alignment",
         [](DrawingSurface& s, const RasterPen&) {
             s.SetTextColor(kRed);
             s.SetTextAlign(TextAlign::Right);
             s.GetTextMetricsA();
         },
         false},
        {"a move to the same point", [](DrawingSurface& s, const RasterPen&) { s.MoveToEx(40, 20); }, true},
        {"the same pen again", [](DrawingSurface& s, const RasterPen& p) { s.SelectObject(ToPen(&p)); }, true},
        {"a font", [](DrawingSurface& s, const RasterPen&) { s.SelectObject(Font{16}); }, true},
        {"the system font", [](DrawingSurface& s, const RasterPen&) { s.SelectObject(StockObject::SystemFont); }, true},
        {"the same raster op again", [](DrawingSurface& s, const RasterPen&) { s.SetROP2(RasterOp::XorPen); }, true},
        {"text elsewhere", [](DrawingSurface& s, const RasterPen&) { s.TextOutA(0, 30, "x", 1); }, true},
    };
    for (const Case& c : cases) {
        canvas.Resize(kWidth, kHeight);
        RasterSurface surface(canvas, glyphs);
        surface.SelectObject(ToPen(&pen));
        surface.SetROP2(RasterOp::XorPen);
        surface.MoveToEx(10, 20);
        surface.LineTo(40, 20);
        c.between(surface, pen);
        EXPECT_EQ(surface.GetCurrentPositionEx(), (Point{40, 20})) << c.name;
        surface.LineTo(25, 20);
        surface.MoveToEx(0, 0);
        const bool inked = canvas.PixelAt(30, 20) != ToPixel(kWhite);
        EXPECT_EQ(inked, !c.endsTheStroke) << c.name;
        EXPECT_NE(canvas.PixelAt(15, 20), ToPixel(kWhite)) << c.name << ": the first segment alone";
    }
}

} // namespace
} // namespace qv

// Pixels of the painters on the raster surface: self-inverse passes, colours,
// the footprint of the 2-pixel pen, strokes without holes, and clipping.
#include "platform/raster/RasterSurface.h"

#include "model/DetectorState.h"
#include "tests/BlockGlyphs.h"
#include "traces/Painters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace qv {
namespace {

const RasterPen kBlackPen{2, kBlack};
const RasterPen kRedPen{2, kRed};
const RasterPen kBluePen{2, kBlue};
const RasterPen kMagentaPen{2, kMagenta};
const RasterPen kGreenPen{2, kDarkGreen};
constexpr Font kLabelFont{30};

class RasterTest : public ::testing::Test {
public:
    void SetUp() override { Prepare(1000, 600); }

    void Prepare(int width, int height) {
        detectorState = DetectorState{};
        detectorState.clientWidth = width;
        detectorState.clientHeight = height;
        ResetPulseParameters();
        canvas.Resize(width, height);
    }

    std::vector<std::uint32_t> Snapshot() const {
        return {canvas.Pixels(), canvas.Pixels() + static_cast<std::ptrdiff_t>(canvas.Width()) * canvas.Height()};
    }

    int Count(std::uint32_t pixel) const {
        int count = 0;
        for (int i = 0; i < canvas.Width() * canvas.Height(); ++i) {
            count += canvas.Pixels()[i] == pixel ? 1 : 0;
        }
        return count;
    }

    void Envelope(DrawingSurface& surface) {
        DrawEnvelope(surface, canvas.Width(), canvas.Height(), ToPen(&kBlackPen));
    }
    void Peak(DrawingSurface& surface) {
        DrawPeakTrace(surface, canvas.Width(), canvas.Height(), ToPen(&kRedPen), kLabelFont);
    }
    void QuasiPeak(DrawingSurface& surface) {
        DrawQuasiPeakTrace(surface, canvas.Width(), canvas.Height(), ToPen(&kBluePen), ToPen(&kGreenPen), kLabelFont,
                           30);
    }
    void Average(DrawingSurface& surface) {
        DrawAverageTrace(surface, canvas.Width(), canvas.Height(), ToPen(&kMagentaPen), kLabelFont);
    }

    test::BlockGlyphs glyphs;
    RasterCanvas canvas;
};

TEST_F(RasterTest, EveryPainterCalledTwiceLeavesThePixelsAsTheyWere) {
    struct Case {
        const char* name;
        void (RasterTest::*painter)(DrawingSurface&);
    };
    const Case cases[] = {{"envelope", &RasterTest::Envelope},
                          {"peak", &RasterTest::Peak},
                          {"quasi-peak", &RasterTest::QuasiPeak},
                          {"average", &RasterTest::Average}};
    for (const Case& c : cases) {
        Prepare(1000, 600);
        RasterSurface surface(canvas, glyphs);
        Envelope(surface); // a non-white background the traces cross
        const auto before = Snapshot();
        (this->*c.painter)(surface);
        EXPECT_NE(Snapshot(), before) << c.name << " drew nothing";
        (this->*c.painter)(surface);
        EXPECT_EQ(Snapshot(), before) << c.name;
    }
}

TEST_F(RasterTest, TracesOnWhiteTakeTheirPensColours) {
    RasterSurface surface(canvas, glyphs);
    QuasiPeak(surface);
    Average(surface);
    EXPECT_EQ(canvas.PixelAt(258, 150), ToPixel(kBlue)) << "the hold of the first pulse";
    EXPECT_EQ(canvas.PixelAt(400, 184), ToPixel(kDarkGreen)) << "the metered line";
    EXPECT_EQ(canvas.PixelAt(400, 390), ToPixel(kMagenta)) << "the average line";
    EXPECT_EQ(canvas.PixelAt(190, 240), ToPixel(kBlue)) << "the quasi-peak label";
    EXPECT_EQ(canvas.PixelAt(195, 262), ToPixel(kDarkGreen)) << "the metered-value label";
    EXPECT_EQ(canvas.PixelAt(190, 310), ToPixel(kMagenta)) << "the average label";
}

TEST_F(RasterTest, PeakOverEnvelopeTurnsEveryBlackPixelRed) {
    RasterSurface surface(canvas, glyphs);
    Envelope(surface);
    const int black = Count(ToPixel(kBlack));
    ASSERT_GT(black, 0);
    Peak(surface);
    EXPECT_EQ(Count(ToPixel(kBlack)), 0);
    EXPECT_GE(Count(ToPixel(kRed)), black) << "the envelope's pixels, and the label";
    Peak(surface);
    EXPECT_EQ(Count(ToPixel(kBlack)), black);
}

// Each pixel of one stroke is toggled once: the envelope's corners are solid,
// and a collapsed pulse, drawn up and down the same column, is still a line.
TEST_F(RasterTest, StrokesHaveNoHolesAtTheirJoints) {
    {
        RasterSurface surface(canvas, glyphs);
        Envelope(surface);
    }
    const Point corners[] = {{250, 150}, {260, 150}, {260, 450}, {300, 450}, {249, 149}, {259, 449}};
    for (const Point p : corners) {
        EXPECT_EQ(canvas.PixelAt(p.x, p.y), ToPixel(kBlack)) << p.x << "," << p.y;
    }

    Prepare(1000, 600);
    detectorState.pulseWidth = 0.5;
    RasterSurface surface(canvas, glyphs);
    Envelope(surface);
    EXPECT_EQ(canvas.PixelAt(250, 300), ToPixel(kBlack)) << "a collapsed pulse cancels itself";
}

TEST_F(RasterTest, TwoPixelPenCoversExactlyTwoRowsOrColumns) {
    RasterSurface surface(canvas, glyphs);
    surface.SelectObject(ToPen(&kBlackPen));
    surface.SetROP2(RasterOp::NotXorPen);
    surface.MoveToEx(100, 100);
    surface.LineTo(200, 100);
    surface.MoveToEx(300, 100);
    surface.LineTo(300, 200);
    for (int y = 95; y < 105; ++y) {
        const bool inked = y == 99 || y == 100;
        EXPECT_EQ(canvas.PixelAt(150, y) == ToPixel(kBlack), inked) << "row " << y;
    }
    for (int x = 295; x < 305; ++x) {
        const bool inked = x == 299 || x == 300;
        EXPECT_EQ(canvas.PixelAt(x, 150) == ToPixel(kBlack), inked) << "column " << x;
    }
    EXPECT_EQ(surface.GetCurrentPositionEx(), (Point{300, 200}));
}

TEST_F(RasterTest, SeparateStrokesEachToggleTheirPixels) {
    RasterSurface surface(canvas, glyphs);
    surface.SetROP2(RasterOp::XorPen);
    const auto before = Snapshot();
    surface.SelectObject(ToPen(&kRedPen));
    surface.MoveToEx(10, 10);
    surface.LineTo(90, 40);
    surface.MoveToEx(10, 10);
    surface.LineTo(90, 40);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(RasterTest, CopyPenIgnoresTheOldPixelAndTextIgnoresTheRasterOp) {
    RasterSurface surface(canvas, glyphs);
    surface.SelectObject(ToPen(&kRedPen));
    surface.SetROP2(RasterOp::CopyPen);
    surface.MoveToEx(10, 10);
    surface.LineTo(50, 10);
    surface.MoveToEx(10, 10);
    surface.LineTo(50, 10);
    EXPECT_EQ(canvas.PixelAt(30, 10), ToPixel(kRed));

    surface.SetROP2(RasterOp::XorPen);
    surface.SetTextColor(kBlue);
    surface.TextOutA(100, 100, "AB", 2);
    EXPECT_EQ(canvas.PixelAt(101, 105), ToPixel(kBlue));
    surface.SetTextColor(kWhite);
    surface.TextOutA(100, 100, "AB", 2);
    EXPECT_EQ(canvas.PixelAt(101, 105), ToPixel(kWhite));
}

TEST_F(RasterTest, TextAlignmentPlacesTheReferencePoint) {
    struct Case {
        TextAlign align;
        int firstInkX; // three characters, 18 pixels wide, reference at x = 100
    };
    const Case cases[] = {{TextAlign::LeftTop, 100}, {TextAlign::Right, 82}, {TextAlign::Center, 91}};
    for (const Case& c : cases) {
        canvas.Resize(200, 40);
        RasterSurface surface(canvas, glyphs);
        surface.SetTextAlign(c.align);
        surface.TextOutA(100, 10, "abc", 3);
        EXPECT_EQ(canvas.PixelAt(c.firstInkX - 1, 15), ToPixel(kWhite)) << static_cast<int>(c.align);
        EXPECT_EQ(canvas.PixelAt(c.firstInkX, 15), ToPixel(kBlack)) << static_cast<int>(c.align);
        EXPECT_EQ(canvas.PixelAt(c.firstInkX + 17, 15), ToPixel(kWhite)) << "the blank column ends the text";
    }
}

// One row of 256 pixels whose coverage is its x.
class CoverageRamp final : public GlyphSource {
public:
    Font SystemFont() override { return Font{1}; }
    TextMetrics Metrics(Font) override { return {1, 0, 256}; }
    const GlyphRun& Render(Font, std::string_view) override {
        run_ = {256, 1, {}};
        for (int a = 0; a < 256; ++a) {
            run_.coverage.push_back(static_cast<std::uint8_t>(a));
        }
        return run_;
    }

private:
    GlyphRun run_;
};

// Each channel is the ink's weighted by the coverage over white, to the
// nearest value with halves up.
TEST(RasterTextTest, PartialCoverageBlendsTheInkOverWhite) {
    CoverageRamp ramp;
    RasterCanvas canvas(256, 1);
    RasterSurface surface(canvas, ramp);
    for (const Color ink : {kBlack, kRed, kDarkGreen, Rgb(12, 201, 77)}) {
        surface.SetTextColor(ink);
        surface.TextOutA(0, 0, "x", 1);
        for (int a = 0; a < 256; ++a) {
            auto expected = [a](std::uint32_t value) {
                const double mixed = (static_cast<double>(value) * a + 255.0 * (255 - a)) / 255.0;
                return static_cast<std::uint32_t>(std::floor(mixed + 0.5));
            };
            const std::uint32_t pen = ToPixel(ink);
            const std::uint32_t want = 0xFF000000U | expected((pen >> 16) & 0xFFU) << 16 |
                                       expected((pen >> 8) & 0xFFU) << 8 | expected(pen & 0xFFU);
            ASSERT_EQ(canvas.PixelAt(a, 0), want) << "ink " << std::hex << ink << std::dec << ", coverage " << a;
        }
    }
}

TEST_F(RasterTest, ClippedSurfaceTouchesNothingOutsideItsArea) {
    const Rect area{300, 100, 400, 500};
    const auto before = Snapshot();
    {
        RasterSurface surface(canvas, glyphs, area);
        Envelope(surface);
        Peak(surface);
        QuasiPeak(surface);
    }
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const bool inside = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
            if (!inside) {
                ASSERT_EQ(canvas.PixelAt(x, y), before[canvas.Index(x, y)]) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(canvas.PixelAt(300, 150), ToPixel(kRed)) << "inside, the peak trace is drawn";
}

TEST_F(RasterTest, LinesFarOutsideTheCanvasAndAnEmptyCanvasAreHarmless) {
    RasterSurface surface(canvas, glyphs);
    surface.SelectObject(ToPen(&kBlackPen));
    surface.MoveToEx(INT32_MIN, INT32_MIN);
    surface.LineTo(INT32_MAX, INT32_MAX);
    surface.LineTo(INT32_MIN, 300);
    surface.TextOutA(INT32_MAX, INT32_MAX, "x", 1);
    surface.TextOutA(INT32_MIN, 0, "x", 1);

    canvas.Resize(0, 0);
    RasterSurface empty(canvas, glyphs);
    Envelope(empty);
    Peak(empty);
    empty.TextOutA(0, 0, "x", 1);
    EXPECT_EQ(canvas.Width() * canvas.Height(), 0);
}

} // namespace
} // namespace qv

// The painters on the real GDI (under Wine in the cross build): self-inverse
// passes, the peak over the envelope, one stroke per run of LineTo, the
// surface's settings, text, and the pen footprint measured against the raster
// surface.
#include "platform/win32/GdiSurface.h"

#include "model/DetectorState.h"
#include "platform/raster/RasterSurface.h"
#include "tests/BlockGlyphs.h"
#include "tests/GdiBitmap.h"
#include "traces/Painters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace qv {
namespace {

using test::GdiBitmap;
using win32::GdiSurface;

constexpr std::uint32_t kWhitePixel = 0xFFFFFF;
constexpr std::uint32_t kBlackPixel = 0x000000;
constexpr std::uint32_t kRedPixel = 0xFF0000;

// The program's drawing kit, made by the Win32 window system.
struct GdiKit {
    GdiKit() {
        envelope = CreatePen(2, kBlack);
        peak = CreatePen(2, kRed);
        quasiPeak = CreatePen(2, kBlue);
        average = CreatePen(2, kMagenta);
        metered = CreatePen(2, kDarkGreen);
        label = CreateFontIndirectA(FontDescription{30, 700, "Arial"});
    }
    ~GdiKit() {
        for (Pen pen : {envelope, peak, quasiPeak, average, metered}) {
            DeleteObject(pen);
        }
        DeleteObject(label);
    }
    Pen envelope, peak, quasiPeak, average, metered;
    Font label;
};

class GdiTest : public ::testing::Test {
public:
    void Prepare(int width, int height) {
        detectorState = DetectorState{};
        detectorState.clientWidth = width;
        detectorState.clientHeight = height;
        ResetPulseParameters();
        bitmap.emplace(width, height);
    }
    void SetUp() override { Prepare(1000, 600); }

    int Width() const { return bitmap->Width(); }
    int Height() const { return bitmap->Height(); }

    int Count(std::uint32_t pixel) const {
        const auto pixels = bitmap->Snapshot();
        return static_cast<int>(std::count(pixels.begin(), pixels.end(), pixel));
    }

    void Envelope(DrawingSurface& surface) { DrawEnvelope(surface, Width(), Height(), kit.envelope); }
    void Peak(DrawingSurface& surface) { DrawPeakTrace(surface, Width(), Height(), kit.peak, kit.label); }
    void QuasiPeak(DrawingSurface& surface) {
        DrawQuasiPeakTrace(surface, Width(), Height(), kit.quasiPeak, kit.metered, kit.label, 30);
    }
    void Average(DrawingSurface& surface) { DrawAverageTrace(surface, Width(), Height(), kit.average, kit.label); }

    GdiKit kit;
    std::optional<GdiBitmap> bitmap;
};

TEST_F(GdiTest, EveryPainterCalledTwiceLeavesTheBitmapAsItWas) {
    struct Case {
        const char* name;
        void (GdiTest::*painter)(DrawingSurface&);
    };
    const Case cases[] = {{"envelope", &GdiTest::Envelope},
                          {"peak", &GdiTest::Peak},
                          {"quasi-peak", &GdiTest::QuasiPeak},
                          {"average", &GdiTest::Average}};
    for (const Case& c : cases) {
        Prepare(992, 673);
        GdiSurface surface(bitmap->Dc());
        Envelope(surface); // a black background the traces cross
        const auto before = bitmap->Snapshot();
        (this->*c.painter)(surface);
        EXPECT_NE(bitmap->Snapshot(), before) << c.name << " drew nothing";
        (this->*c.painter)(surface);
        EXPECT_EQ(bitmap->Snapshot(), before) << c.name;
    }
}

TEST_F(GdiTest, PeakOverEnvelopeTurnsEveryBlackPixelRed) {
    Prepare(992, 673);
    GdiSurface surface(bitmap->Dc());
    Envelope(surface);
    const int black = Count(kBlackPixel);
    ASSERT_GT(black, 1000);
    Peak(surface);
    EXPECT_EQ(Count(kBlackPixel), 0);
    EXPECT_GE(Count(kRedPixel), black) << "the envelope's pixels, and the label";
    Peak(surface);
    EXPECT_EQ(Count(kBlackPixel), black);
    EXPECT_EQ(Count(kRedPixel), 0);
}

// A collapsed pulse goes up and down one column in one stroke, which GDI
// fills once; drawn as separate lines it would cancel itself out.
TEST_F(GdiTest, ARunOfLineToIsOneStrokeAndAMoveStartsAnother) {
    {
        detectorState.pulseWidth = 0.5;
        GdiSurface surface(bitmap->Dc());
        Envelope(surface);
    }
    EXPECT_EQ(bitmap->PixelAt(250, 300), kBlackPixel) << "the collapsed pulse";
    EXPECT_EQ(bitmap->PixelAt(260, 450), kBlackPixel) << "a corner of the baseline";

    Prepare(200, 200);
    GdiSurface surface(bitmap->Dc());
    surface.SelectObject(kit.peak);
    surface.SetROP2(RasterOp::XorPen);
    surface.MoveToEx(10, 10);
    surface.LineTo(90, 40);
    surface.MoveToEx(10, 10);
    surface.LineTo(90, 40);
    surface.MoveToEx(0, 0);
    EXPECT_EQ(Count(kWhitePixel), 200 * 200) << "two strokes over the same line cancel";
}

TEST_F(GdiTest, CurrentPositionFollowsLinesNotYetDrawn) {
    GdiSurface surface(bitmap->Dc());
    EXPECT_EQ(surface.GetCurrentPositionEx(), (Point{0, 0}));
    surface.SelectObject(kit.envelope);
    surface.MoveToEx(100, 100);
    EXPECT_EQ(surface.GetCurrentPositionEx(), (Point{100, 100}));
    surface.LineTo(150, 100);
    surface.LineTo(150, 120);
    EXPECT_EQ(surface.GetCurrentPositionEx(), (Point{150, 120}));
    EXPECT_EQ(bitmap->PixelAt(125, 100), kWhitePixel) << "held until the run ends";
    surface.SelectObject(StockObject::BlackPen);
    EXPECT_EQ(bitmap->PixelAt(125, 100), kBlackPixel);
    POINT position{};
    ::GetCurrentPositionEx(bitmap->Dc(), &position);
    EXPECT_EQ((Point{static_cast<int>(position.x), static_cast<int>(position.y)}), (Point{150, 120}));
}

TEST_F(GdiTest, LinesStillHeldAreDrawnWhenTheSurfaceEnds) {
    {
        GdiSurface surface(bitmap->Dc());
        surface.SelectObject(kit.envelope);
        surface.MoveToEx(100, 100);
        surface.LineTo(200, 100);
    }
    EXPECT_EQ(bitmap->PixelAt(150, 100), kBlackPixel);
}

// A surface starts from the documented settings whatever the context held,
// and gives the context back as it found it.
TEST_F(GdiTest, SurfaceStartsFromTheDefaultsAndRestoresTheContext) {
    const HDC dc = bitmap->Dc();
    const HGDIOBJ contextPen = ::SelectObject(dc, win32::HpenOf(kit.peak));
    ::SelectObject(dc, win32::HfontOf(kit.label));
    ::SetROP2(dc, R2_XORPEN);
    ::SetTextColor(dc, RGB(0, 0, 255));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextAlign(dc, TA_RIGHT);
    ::MoveToEx(dc, 7, 9, nullptr);
    {
        GdiSurface surface(dc);
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), ::GetStockObject(BLACK_PEN));
        EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), ::GetStockObject(SYSTEM_FONT));
        EXPECT_EQ(::GetROP2(dc), R2_COPYPEN);
        EXPECT_EQ(::GetTextColor(dc), RGB(0, 0, 0));
        EXPECT_EQ(::GetBkMode(dc), OPAQUE);
        EXPECT_EQ(::GetBkColor(dc), RGB(255, 255, 255));
        EXPECT_EQ(::GetTextAlign(dc), static_cast<UINT>(TA_LEFT | TA_TOP));
        EXPECT_EQ(surface.GetCurrentPositionEx(), (Point{0, 0}));
        surface.SelectObject(kit.metered);
        surface.SetROP2(RasterOp::NotXorPen);
    }
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), win32::HpenOf(kit.peak));
    EXPECT_EQ(::GetROP2(dc), R2_XORPEN);
    EXPECT_EQ(::GetTextAlign(dc), static_cast<UINT>(TA_RIGHT));
    ::SelectObject(dc, contextPen);
    ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
}

struct InkBox {
    int left = INT32_MAX;
    int top = INT32_MAX;
    int right = INT32_MIN;
    int bottom = INT32_MIN;
    int pixels = 0;
};

InkBox InkOf(const GdiBitmap& bitmap, std::uint32_t pixel) {
    const auto pixels = bitmap.Snapshot();
    InkBox box;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (pixels[bitmap.Index(x, y)] == pixel) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y),
                       box.pixels + 1};
            }
        }
    }
    return box;
}

// Text sits below its reference point, on the side the alignment says, in
// an opaque white box that covers what was there; the raster operation
// does not apply to it.
TEST_F(GdiTest, TextIsPlacedByItsAlignmentAndPaintedOpaque) {
    struct Case {
        TextAlign align;
        int minLeft;
        int maxRight;
    };
    const Case cases[] = {{TextAlign::LeftTop, 300, 400}, {TextAlign::Right, 200, 300}, {TextAlign::Center, 250, 350}};
    for (const Case& c : cases) {
        Prepare(600, 200);
        GdiSurface surface(bitmap->Dc());
        surface.SetROP2(RasterOp::XorPen);
        surface.SelectObject(kit.label);
        surface.SetTextColor(kRed);
        surface.SetTextAlign(c.align);
        DrawLabel(surface, 300, 50, "Peak");
        const InkBox ink = InkOf(*bitmap, kRedPixel);
        const int align = static_cast<int>(c.align);
        EXPECT_GT(ink.pixels, 100) << align;
        EXPECT_GE(ink.left, c.minLeft) << align;
        EXPECT_LE(ink.right, c.maxRight) << align;
        EXPECT_GE(ink.top, 50) << align;
        EXPECT_LT(ink.bottom, 80) << align << ": the 30-pixel cell";
    }

    Prepare(600, 200);
    GdiSurface surface(bitmap->Dc());
    surface.SelectObject(kit.envelope);
    surface.SetROP2(RasterOp::NotXorPen);
    surface.MoveToEx(0, 65);
    surface.LineTo(599, 65);
    surface.SelectObject(kit.label);
    surface.SetTextColor(kRed);
    DrawLabel(surface, 300, 50, "Peak");
    surface.SetTextColor(kWhite);
    DrawLabel(surface, 300, 50, "Peak");
    EXPECT_EQ(bitmap->PixelAt(310, 65), kWhitePixel) << "the line under the label is painted over";
    EXPECT_EQ(bitmap->PixelAt(100, 65), kBlackPixel) << "the line beside it is not";
}

TEST_F(GdiTest, LabelFontIsABoldThirtyPixelCell) {
    GdiSurface surface(bitmap->Dc());
    surface.SelectObject(kit.label);
    const TextMetrics metrics = surface.GetTextMetricsA();
    EXPECT_EQ(metrics.tmHeight, 30);
    EXPECT_GT(metrics.tmAveCharWidth, 0);
    TEXTMETRICA full{};
    ::GetTextMetricsA(bitmap->Dc(), &full);
    EXPECT_GE(full.tmWeight, FW_BOLD);
    char face[LF_FACESIZE] = {};
    ::GetTextFaceA(bitmap->Dc(), LF_FACESIZE, face);
    std::printf("label font: %s, weight %ld, height %ld, average width %ld\n", face, static_cast<long>(full.tmWeight),
                static_cast<long>(full.tmHeight), static_cast<long>(full.tmAveCharWidth));
}

// The same traces on GDI and on the raster surface of the Qt program, with
// the labels in white so only the pens' footprints remain. The two agree
// on the geometry; they differ in how a 2-pixel pen covers its path.
struct TracePens {
    Pen envelope, quasiPeak, metered, average;
    Font label;
};

constexpr int kFootprintWidth = 992;
constexpr int kFootprintHeight = 673;

void PaintEnvelope(DrawingSurface& s, const TracePens& p) {
    DrawEnvelope(s, kFootprintWidth, kFootprintHeight, p.envelope);
}
void PaintQuasiPeak(DrawingSurface& s, const TracePens& p) {
    DrawQuasiPeakTrace(s, kFootprintWidth, kFootprintHeight, p.quasiPeak, p.metered, p.label, 30);
}
void PaintAverage(DrawingSurface& s, const TracePens& p) {
    DrawAverageTrace(s, kFootprintWidth, kFootprintHeight, p.average, p.label);
}

TEST_F(GdiTest, PenFootprintAgainstTheRasterSurface) {
    const RasterPen black{2, kBlack};
    const RasterPen blue{2, kBlue};
    const RasterPen green{2, kDarkGreen};
    const RasterPen magenta{2, kMagenta};
    const TracePens gdiPens{kit.envelope, kit.quasiPeak, kit.metered, kit.average, kit.label};
    const TracePens rasterPens{ToPen(&black), ToPen(&blue), ToPen(&green), ToPen(&magenta), Font{30}};
    struct Case {
        const char* name;
        void (*paint)(DrawingSurface&, const TracePens&);
    };
    const Case cases[] = {{"envelope", PaintEnvelope}, {"quasi-peak", PaintQuasiPeak}, {"average", PaintAverage}};
    int totalInk = 0;
    int totalDiffer = 0;
    for (const Case& c : cases) {
        Prepare(kFootprintWidth, kFootprintHeight);
        detectorState.quasiPeakInk = detectorState.averageInk = 0;
        {
            GdiSurface surface(bitmap->Dc());
            c.paint(surface, gdiPens);
        }
        detectorState.quasiPeakInk = detectorState.averageInk = 0;
        RasterCanvas canvas(kFootprintWidth, kFootprintHeight);
        test::BlockGlyphs glyphs;
        {
            RasterSurface surface(canvas, glyphs);
            c.paint(surface, rasterPens);
        }
        const auto gdiPixels = bitmap->Snapshot();
        int gdiInk = 0;
        int rasterInk = 0;
        int differ = 0;
        for (int y = 0; y < kFootprintHeight; ++y) {
            for (int x = 0; x < kFootprintWidth; ++x) {
                const std::uint32_t gdi = gdiPixels[bitmap->Index(x, y)];
                const std::uint32_t raster = canvas.PixelAt(x, y) & 0x00FFFFFFU;
                gdiInk += gdi != kWhitePixel ? 1 : 0;
                rasterInk += raster != kWhitePixel ? 1 : 0;
                differ += gdi != raster ? 1 : 0;
            }
        }
        std::printf("%-10s GDI %5d inked, raster %5d inked, %5d pixels differ\n", c.name, gdiInk, rasterInk, differ);
        EXPECT_GT(gdiInk, 0) << c.name;
        EXPECT_GT(rasterInk, 0) << c.name;
        EXPECT_LE(differ, rasterInk / 2) << c.name << ": the footprints should mostly coincide";
        totalInk += rasterInk;
        totalDiffer += differ;
    }
    std::printf("all traces: %d pixels differ, against %d inked on the raster surface\n", totalDiffer, totalInk);
}

} // namespace
} // namespace qv

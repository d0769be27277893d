// Exact geometry of the static screen and the painters, on the recording
// surface.
#include "app/MainWindow.h"
#include "model/DetectorState.h"
#include "tests/RecordingSurface.h"
#include "traces/Painters.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

using test::RecordedStroke;
using test::RecordingSurface;

constexpr Pen kEnvelopePen{101};
constexpr Pen kPeakPen{102};
constexpr Pen kQuasiPeakPen{103};
constexpr Pen kAveragePen{104};
constexpr Pen kMeteredPen{105};
constexpr Font kTitleFont{50};
constexpr Font kLabelFont{30};

class GeometryTest : public ::testing::Test {
protected:
    void SetUp() override {
        detectorState = DetectorState{};
        drawingKit =
            DrawingKit{kEnvelopePen, kPeakPen, kQuasiPeakPen, kAveragePen, kMeteredPen, kTitleFont, kLabelFont};
        surface.fontMetrics[kLabelFont.handle] = TextMetrics{30, 0, 15};
        surface.fontMetrics[kTitleFont.handle] = TextMetrics{50, 0, 25};
    }

    static void Repaint(int width, int height) {
        OnSizeNotification(static_cast<LParam>((height << 16) | width));
        ResetPulseParameters();
    }

    RecordingSurface surface;
};

std::vector<Point> PulseTrain(int x, int base, int top, int pulse, int period) {
    std::vector<Point> points{{x, base}};
    for (int i = 0; i < 5; ++i) {
        points.insert(points.end(), {{x, top}, {x + pulse, top}, {x + pulse, base}, {x + period, base}});
        x += period;
    }
    return points;
}

TEST_F(GeometryTest, EnvelopeIsFivePulsesFromAQuarterOfTheWidth) {
    struct Case {
        int width;
        int height;
        std::vector<Point> expected;
    };
    const Case cases[] = {
        {1000, 600, PulseTrain(250, 450, 150, 10, 50)},
        {992, 673, PulseTrain(248, 504, 168, 9, 49)},
    };
    for (const Case& c : cases) {
        surface.strokes.clear();
        Repaint(c.width, c.height);
        DrawEnvelope(surface, c.width, c.height, kEnvelopePen);
        ASSERT_EQ(surface.strokes.size(), 1U);
        const RecordedStroke& train = surface.strokes[0];
        EXPECT_EQ(train.points, c.expected) << c.width << " x " << c.height;
        EXPECT_EQ(train.points.size(), 21U);
        EXPECT_EQ(train.pen, kEnvelopePen);
        EXPECT_EQ(train.op, RasterOp::NotXorPen);
        EXPECT_TRUE(surface.stockPen) << "the stock black pen is selected afterwards";
    }
}

TEST_F(GeometryTest, EnvelopeAtTheWorkedPointsOfTheSecondSize) {
    Repaint(992, 673);
    DrawEnvelope(surface, 992, 673, kEnvelopePen);
    const std::vector<Point>& points = surface.strokes.at(0).points;
    const int starts[] = {points[1].x, points[5].x, points[9].x, points[13].x, points[17].x};
    EXPECT_EQ(std::vector<int>(std::begin(starts), std::end(starts)), (std::vector<int>{248, 297, 346, 395, 444}));
    EXPECT_EQ(points.back(), (Point{493, 504}));
}

TEST_F(GeometryTest, PeakTraceDrawsTheSameTrainAndItsLabelAlternatesColour) {
    Repaint(1000, 600);
    DrawPeakTrace(surface, 1000, 600, kPeakPen, kLabelFont);
    DrawPeakTrace(surface, 1000, 600, kPeakPen, kLabelFont);

    ASSERT_EQ(surface.strokes.size(), 2U);
    EXPECT_EQ(surface.strokes[0].points, PulseTrain(250, 450, 150, 10, 50));
    EXPECT_EQ(surface.strokes[0].op, RasterOp::XorPen);
    EXPECT_EQ(surface.strokes[0].pen, kPeakPen);
    ASSERT_EQ(surface.texts.size(), 2U);
    for (const auto& label : surface.texts) {
        EXPECT_EQ(label.text, "Peak");
        EXPECT_EQ(label.x, 200);
        EXPECT_EQ(label.y, 150);
        EXPECT_EQ(label.align, TextAlign::Right);
        EXPECT_EQ(label.font, kLabelFont);
    }
    EXPECT_EQ(surface.texts[0].color, kRed);
    EXPECT_EQ(surface.texts[1].color, kWhite);
    EXPECT_EQ(detectorState.peakInk, 1);
    EXPECT_TRUE(surface.stockPen);
}

TEST_F(GeometryTest, NarrowPulseCollapsesToAVerticalLine) {
    Repaint(1000, 600);
    detectorState.pulseWidth = 0.5;
    DrawEnvelope(surface, 1000, 600, kEnvelopePen);
    const std::vector<Point>& points = surface.strokes.at(0).points;
    EXPECT_EQ(points[1], (Point{250, 150}));
    EXPECT_EQ(points[2], (Point{250, 150}));
    EXPECT_EQ(points[3], (Point{250, 450}));
}

TEST_F(GeometryTest, StaticScreenLayout) {
    Repaint(1000, 600);
    surface.systemMetrics = TextMetrics{16, 0, 8};
    DrawStaticScreen(surface);

    const auto* title = surface.FindText("Lindrossa");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->x, 500);
    EXPECT_EQ(title->y, 5);
    EXPECT_EQ(title->align, TextAlign::Center);
    EXPECT_EQ(title->font, kTitleFont);
    EXPECT_EQ(title->color, kBlack);

    ASSERT_GE(surface.texts.size(), 2U);
    const auto& credit = surface.texts[1];
    EXPECT_EQ(credit.x, 990);
    EXPECT_EQ(credit.y, 5);
    EXPECT_EQ(credit.align, TextAlign::Right);
    EXPECT_TRUE(credit.systemFont);
    EXPECT_EQ(credit.color, kBlack);

    struct Line {
        const char* text;
        int x;
        int y;
    };
    const Line lines[] = {
        {"Press up arrow to increase pulse width", 8, 504},
        {"Press down arrow to decrease pulse width", 8, 520},
        {"Press right arrow to increase pulse period", 8, 536},
        {"Press left arrow to decrease pulse period", 8, 552},
        {"Press F1 for peak detector on/off", 500, 504},
        {"Press F2 for quasi-peak detector on/off", 500, 520},
        {"Press F3 for average detector on/off", 500, 536},
        {"Press F4 for supporting text", 500, 552},
        {"Press F5 to reset program", 500, 568},
    };
    for (const Line& line : lines) {
        const auto* text = surface.FindText(line.text);
        ASSERT_NE(text, nullptr) << line.text;
        EXPECT_EQ(text->x, line.x) << line.text;
        EXPECT_EQ(text->y, line.y) << line.text;
        EXPECT_EQ(text->color, kRed) << line.text;
        EXPECT_EQ(text->align, TextAlign::LeftTop) << line.text;
        EXPECT_TRUE(text->systemFont) << line.text;
    }
    EXPECT_EQ(surface.texts.size(), 11U);

    ASSERT_EQ(surface.strokes.size(), 1U);
    EXPECT_EQ(surface.strokes[0].points.front(), (Point{250, 450}));
    EXPECT_EQ(surface.font, kLabelFont) << "the label font is left selected";
    EXPECT_EQ(detectorState.lineHeight, 30) << "the label font's metrics are kept";
    EXPECT_EQ(detectorState.charWidth, 15);
}

// The quasi-peak curve at the defaults of 1000 x 600: the worked points of
// the first two pulses and the end of the last.
TEST_F(GeometryTest, QuasiPeakCurveAndMeteredLine) {
    Repaint(1000, 600);
    DrawQuasiPeakTrace(surface, 1000, 600, kQuasiPeakPen, kMeteredPen, kLabelFont, 30);

    ASSERT_EQ(surface.strokes.size(), 2U);
    const RecordedStroke& curve = surface.strokes[0];
    EXPECT_EQ(curve.pen, kQuasiPeakPen);
    EXPECT_EQ(curve.op, RasterOp::NotXorPen);
    ASSERT_EQ(curve.points.size(), 111U);
    const std::vector<Point> head(curve.points.begin(), curve.points.begin() + 6);
    EXPECT_EQ(head, (std::vector<Point>{{250, 233}, {255, 150}, {260, 150}, {261, 153}, {263, 158}, {265, 162}}));
    EXPECT_EQ(curve.points[22], (Point{299, 231})) << "the last discharge point of the first pulse";
    EXPECT_EQ(curve.points[23], (Point{304, 150}));
    EXPECT_EQ(curve.points[24], (Point{310, 150}));
    EXPECT_EQ(curve.points.back(), (Point{499, 231}));

    const RecordedStroke& meter = surface.strokes[1];
    EXPECT_EQ(meter.pen, kMeteredPen);
    EXPECT_EQ(meter.op, RasterOp::NotXorPen);
    EXPECT_EQ(meter.points, (std::vector<Point>{{250, 184}, {500, 184}}));

    ASSERT_EQ(surface.texts.size(), 2U);
    EXPECT_EQ(surface.texts[0].text, "Quasi-peak");
    EXPECT_EQ(surface.texts[0].x, 200);
    EXPECT_EQ(surface.texts[0].y, 225);
    EXPECT_EQ(surface.texts[0].color, kBlue);
    EXPECT_EQ(surface.texts[0].font, kLabelFont);
    EXPECT_EQ(surface.texts[1].text, "(metered value)");
    EXPECT_EQ(surface.texts[1].x, 200);
    EXPECT_EQ(surface.texts[1].y, 255);
    EXPECT_EQ(surface.texts[1].color, kDarkGreen);
    EXPECT_TRUE(surface.texts[1].systemFont);
    EXPECT_EQ(surface.texts[1].align, TextAlign::Right);
    EXPECT_EQ(detectorState.quasiPeakInk, 0);
    EXPECT_EQ(surface.pen, kMeteredPen) << "the metered pen is left selected";
    EXPECT_TRUE(surface.systemFont);
}

TEST_F(GeometryTest, AverageLineAtTheMeanLevel) {
    struct Case {
        double pulse;
        int expectedY;
    };
    const Case cases[] = {{10, 390}, {45, 180}};
    for (const Case& c : cases) {
        surface.strokes.clear();
        surface.texts.clear();
        Repaint(1000, 600);
        detectorState.pulseWidth = c.pulse;
        detectorState.averageInk = 1;
        DrawAverageTrace(surface, 1000, 600, kAveragePen, kLabelFont);
        ASSERT_EQ(surface.strokes.size(), 1U);
        EXPECT_EQ(surface.strokes[0].points, (std::vector<Point>{{250, c.expectedY}, {500, c.expectedY}}));
        EXPECT_EQ(surface.strokes[0].op, RasterOp::NotXorPen);
        ASSERT_EQ(surface.texts.size(), 1U);
        EXPECT_EQ(surface.texts[0].text, "Average");
        EXPECT_EQ(surface.texts[0].x, 200);
        EXPECT_EQ(surface.texts[0].y, 300);
        EXPECT_EQ(surface.texts[0].color, kMagenta);
    }
}

// With a zero-width client at the last repaint there is no period and no time
// constant: the painters draw nothing and keep their ink flags.
TEST_F(GeometryTest, ZeroWidthClientDrawsNoDetectorTrace) {
    Repaint(0, 0);
    DrawQuasiPeakTrace(surface, 0, 0, kQuasiPeakPen, kMeteredPen, kLabelFont, 30);
    DrawAverageTrace(surface, 0, 0, kAveragePen, kLabelFont);
    EXPECT_TRUE(surface.strokes.empty());
    EXPECT_TRUE(surface.texts.empty());
    EXPECT_EQ(detectorState.quasiPeakInk, 1);
    EXPECT_EQ(detectorState.averageInk, 1);
}

// The widest pulse the rules allow, the longest period, and client sizes from
// nothing to the largest a size notification can carry: every painter runs
// and its points stay where the formulas put them (the sanitizer build turns
// any undefined conversion into a failure).
TEST_F(GeometryTest, ExtremeParametersStayDefined) {
    const int sizes[][2] = {{0, 0}, {1, 1}, {3, 2}, {7, 600}, {1000, 0}, {1000, 600}, {4096, 4096}, {65535, 65535}};
    for (const auto& size : sizes) {
        for (void (*rule)() : {WidenPulse, LengthenPeriod}) {
            detectorState = DetectorState{};
            Repaint(size[0], size[1]);
            for (int i = 0; i < 10000; ++i) {
                rule();
            }
            surface.strokes.clear();
            DrawEnvelope(surface, size[0], size[1], kEnvelopePen);
            DrawPeakTrace(surface, size[0], size[1], kPeakPen, kLabelFont);
            DrawQuasiPeakTrace(surface, size[0], size[1], kQuasiPeakPen, kMeteredPen, kLabelFont, 30);
            DrawAverageTrace(surface, size[0], size[1], kAveragePen, kLabelFont);
            // The quasi-peak charge always takes 5 pixels, even past a tiny period.
            const int right = size[0] / 4 + static_cast<int>(5.0 * detectorState.pulsePeriod) + 6;
            for (const RecordedStroke& stroke : surface.strokes) {
                for (const Point p : stroke.points) {
                    EXPECT_GE(p.x, size[0] / 4) << size[0] << " x " << size[1];
                    EXPECT_LE(p.x, right) << size[0] << " x " << size[1];
                    EXPECT_GE(p.y, 0) << size[0] << " x " << size[1];
                    EXPECT_LE(p.y, (3 * size[1]) / 4) << size[0] << " x " << size[1];
                }
            }
        }
    }
}

} // namespace
} // namespace qv

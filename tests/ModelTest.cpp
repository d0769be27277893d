#include "model/DetectorState.h"
#include "model/Numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace qv {
namespace {

class DetectorStateTest : public ::testing::Test {
protected:
    void SetUp() override { detectorState = DetectorState{}; }

    static void ResizeAndRepaint(int width, int height) {
        OnSizeNotification(static_cast<LParam>((height << 16) | width));
        ResetPulseParameters();
    }
};

TEST(TruncTest, TruncatesTowardZeroAndSaturatesWhatHasNoIntegerValue) {
    struct Case {
        double value;
        std::int32_t expected;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {217.84, 217},
        {-217.84, -217},
        {0.99, 0},
        {-0.99, 0},
        {2147483647.9, 2147483647},
        {-2147483648.9, INT32_MIN},
        {1e300, INT32_MAX},
        {-1e300, INT32_MIN},
        {inf, INT32_MAX},
        {-inf, INT32_MIN},
        {std::nan(""), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Trunc(c.value), c.expected) << c.value;
    }
}

TEST_F(DetectorStateTest, StartsZeroedWithTheInkFlagsSet) {
    const DetectorState fresh;
    EXPECT_EQ(fresh.clientWidth, 0);
    EXPECT_EQ(fresh.pulseWidth, 0.0);
    EXPECT_EQ(fresh.peakOn + fresh.quasiPeakOn + fresh.averageOn, 0);
    EXPECT_EQ(fresh.peakInk + fresh.quasiPeakInk + fresh.averageInk, 3);
}

TEST_F(DetectorStateTest, RepaintDerivesThePulseParametersFromTheWidth) {
    ResizeAndRepaint(1000, 600);
    EXPECT_EQ(detectorState.pulseWidth, 10.0);
    EXPECT_EQ(detectorState.pulsePeriod, 50.0);
    EXPECT_EQ(detectorState.dischargeTau, 125.0);

    ResizeAndRepaint(992, 673);
    EXPECT_DOUBLE_EQ(detectorState.pulseWidth, 9.92);
    EXPECT_DOUBLE_EQ(detectorState.pulsePeriod, 49.6);
    EXPECT_DOUBLE_EQ(detectorState.dischargeTau, 124.0);
}

TEST_F(DetectorStateTest, SizeNotificationTakesTheTwoHalvesAndLeavesThePulseAlone) {
    ResizeAndRepaint(1000, 600);
    OnSizeNotification(static_cast<LParam>((0xFFFFLL << 16) | 0x1234));
    EXPECT_EQ(detectorState.clientWidth, 0x1234);
    EXPECT_EQ(detectorState.clientHeight, 0xFFFF);
    EXPECT_EQ(detectorState.pulseWidth, 10.0);
    EXPECT_EQ(detectorState.pulsePeriod, 50.0);
}

TEST_F(DetectorStateTest, ResetFlagsClearsOnFlagsAndSetsInk) {
    detectorState.peakOn = detectorState.quasiPeakOn = detectorState.averageOn = 1;
    detectorState.peakInk = detectorState.quasiPeakInk = detectorState.averageInk = 0;
    ResetFlags();
    EXPECT_EQ(detectorState.peakOn + detectorState.quasiPeakOn + detectorState.averageOn, 0);
    EXPECT_EQ(detectorState.peakInk + detectorState.quasiPeakInk + detectorState.averageInk, 3);
}

// Each rule is held down far longer than it can move, from the defaults of
// the given width (or from a prepared pulse), and must stop where its test
// says.
TEST_F(DetectorStateTest, RulesStopAtTheirLimits) {
    struct Case {
        const char* name;
        int width;
        double startPulse; // 0: the default
        void (*rule)();
        double expectedPulse;
        double expectedPeriod;
    };
    const Case cases[] = {
        {"narrow stays at the minimum", 1000, 0, NarrowPulse, 10, 50},
        {"widen stops at 0.91 P", 1000, 0, WidenPulse, 45, 50},
        {"lengthen stops at 5/8 of the width", 1000, 0, LengthenPeriod, 10, 125},
        {"shorten stops at w / 0.91", 1000, 0, ShortenPeriod, 10, 11},
        {"narrow from a wide pulse", 1000, 30, NarrowPulse, 10, 50},
        {"zero width: widen cannot step", 0, 0, WidenPulse, 0, 0},
        {"zero width: lengthen cannot step", 0, 0, LengthenPeriod, 0, 0},
        {"zero width: shorten cannot step", 0, 0, ShortenPeriod, 0, 0},
        {"zero width: narrow cannot step", 0, 0, NarrowPulse, 0, 0},
    };
    for (const Case& c : cases) {
        detectorState = DetectorState{};
        ResizeAndRepaint(c.width, 600);
        if (c.startPulse > 0) {
            detectorState.pulseWidth = c.startPulse;
        }
        for (int i = 0; i < 200; ++i) {
            c.rule();
        }
        EXPECT_EQ(detectorState.pulseWidth, c.expectedPulse) << c.name;
        EXPECT_EQ(detectorState.pulsePeriod, c.expectedPeriod) << c.name;
    }
}

// A step that fails is taken back by the opposite step, so the value after
// a refused step is the old value plus and minus 1.0, not the saved value.
TEST_F(DetectorStateTest, RefusedStepIsUndoneByTheOppositeStep) {
    ResizeAndRepaint(7, 600);
    const double before = detectorState.pulseWidth;
    NarrowPulse();
    EXPECT_NE(detectorState.pulseWidth, before) << "0.07 - 1 + 1 is not 0.07 in doubles";
    EXPECT_EQ(detectorState.pulseWidth, (before - 1.0) + 1.0);
}

// The narrow test reads the current width, not the width of the last repaint.
TEST_F(DetectorStateTest, NarrowTestUsesTheCurrentClientWidth) {
    ResizeAndRepaint(1000, 600);
    detectorState.pulseWidth = 12;
    OnSizeNotification(static_cast<LParam>((600 << 16) | 500));
    NarrowPulse();
    NarrowPulse();
    NarrowPulse();
    EXPECT_EQ(detectorState.pulseWidth, 9.0) << "the minimum is now 5, not 10";
}

} // namespace
} // namespace qv

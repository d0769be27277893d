// The keyboard commands on the Qt program, checked against the retained image
// of the window. The strongest check: while the flags are in step with the
// screen, the image is a fresh render of the state now in force.
#include "tests/FreshRender.h"
#include "tests/QtProgram.h"

#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <malloc.h>
#include <vector>

namespace qv {
namespace {

using test::FindMainWindow;
using test::FreshRender;
using test::RunProgram;
using test::Settle;

void Press(Window* window, int key, bool repeat = false) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), repeat);
    QApplication::sendEvent(window, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(), repeat);
    QApplication::sendEvent(window, &release);
}

void Hold(Window* window, int key, int repeats) {
    for (int i = 0; i < repeats; ++i) {
        Press(window, key, i > 0);
    }
}

// Runs the program at a 1000 x 600 client area, the size the worked numbers
// of the rules are given for.
void RunAt1000x600(const std::function<void(Window*)>& script) {
    RunProgram([&] {
        Window* window = FindMainWindow();
        ASSERT_NE(window, nullptr);
        Settle();
        window->resize(1000, 600);
        Settle();
        ASSERT_EQ(detectorState.clientWidth, 1000);
        script(window);
    });
}

bool Matches(Window* window) { return window->Image() == FreshRender(window->width(), window->height()); }

TEST(QtKeyTest, ArrowKeysWithAllTracesOnLeaveExactlyAFreshRender) {
    const std::vector<std::vector<int>> sequences = {
        {Qt::Key_Up},
        {Qt::Key_Down},
        {Qt::Key_Up, Qt::Key_Up, Qt::Key_Right, Qt::Key_Left, Qt::Key_Left},
        {Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Up, Qt::Key_Down, Qt::Key_Right},
        std::vector<int>(60, Qt::Key_Right),
        std::vector<int>(50, Qt::Key_Up),
    };
    RunAt1000x600([&](Window* window) {
        for (const int key : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3}) {
            Press(window, key);
        }
        ASSERT_TRUE(Matches(window)) << "the three traces on the default screen";
        for (std::size_t i = 0; i < sequences.size(); ++i) {
            for (const int key : sequences[i]) {
                Press(window, key);
            }
            EXPECT_TRUE(Matches(window)) << "after sequence " << i << ", w = " << detectorState.pulseWidth
                                         << ", P = " << detectorState.pulsePeriod;
        }
    });
}

TEST(QtKeyTest, EachToggleKeyTwiceRestoresTheImage) {
    RunAt1000x600([](Window* window) {
        const QImage clean = window->Image().copy();
        struct Case {
            int key;
            int* on;
        };
        const Case cases[] = {{Qt::Key_F1, &detectorState.peakOn},
                              {Qt::Key_F2, &detectorState.quasiPeakOn},
                              {Qt::Key_F3, &detectorState.averageOn}};
        for (const Case& c : cases) {
            Press(window, c.key);
            EXPECT_NE(window->Image(), clean) << c.key;
            EXPECT_EQ(*c.on, 1);
            EXPECT_TRUE(Matches(window)) << "drawn with its coloured label";
            Press(window, c.key);
            EXPECT_EQ(window->Image(), clean) << c.key;
            EXPECT_EQ(*c.on, 0);
        }
    });
}

TEST(QtKeyTest, QuasiPeakKeyDrawsCurveLineAndBothLabels) {
    RunAt1000x600([](Window* window) {
        Press(window, Qt::Key_F2);
        const QImage& image = window->Image();
        EXPECT_EQ(image.pixel(281, 197) & 0xFFFFFFU, 0x0000FFU) << "the blue curve discharging";
        EXPECT_EQ(image.pixel(420, 184) & 0xFFFFFFU, 0x006400U) << "the green metered line";
        int blueLabel = 0;
        int greenLabel = 0;
        for (int y = 225; y < 285; ++y) {
            for (int x = 40; x < 200; ++x) {
                const QRgb pixel = image.pixel(x, y) & 0xFFFFFFU;
                blueLabel += pixel == 0x0000FFU ? 1 : 0;
                greenLabel += pixel == 0x006400U ? 1 : 0;
            }
        }
        EXPECT_GT(blueLabel, 50) << "\"Quasi-peak\"";
        EXPECT_GT(greenLabel, 5) << "\"(metered value)\"";
    });
}

TEST(QtKeyTest, HeldArrowsStopAtTheirLimits) {
    struct Case {
        int key;
        double startPulse;
        double expectedPulse;
        double expectedPeriod;
    };
    const Case cases[] = {
        {Qt::Key_Up, 10, 45, 50},
        {Qt::Key_Right, 10, 10, 125},
        {Qt::Key_Left, 10, 10, 11},
        {Qt::Key_Down, 10, 10, 50},
    };
    RunAt1000x600([&](Window* window) {
        Press(window, Qt::Key_F1);
        for (const Case& c : cases) {
            ResetPulseParameters();
            detectorState.pulseWidth = c.startPulse;
            InvalidateRect(window, true);
            Settle(); // a repaint: the defaults again, and the peak trace gone
            detectorState.peakOn = 0;
            detectorState.peakInk = 1;
            const QImage before = window->Image().copy();
            Hold(window, c.key, 120);
            EXPECT_EQ(detectorState.pulseWidth, c.expectedPulse) << c.key;
            EXPECT_EQ(detectorState.pulsePeriod, c.expectedPeriod) << c.key;
            EXPECT_TRUE(Matches(window)) << c.key;
            if (c.key == Qt::Key_Down) {
                EXPECT_EQ(window->Image(), before) << "narrowing at the minimum changes nothing";
            }
        }
    });
}

TEST(QtKeyTest, ResetClearsTracesAndTheNextTogglesDrawInColour) {
    RunAt1000x600([](Window* window) {
        const QImage clean = window->Image().copy();
        for (const int key : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_Up, Qt::Key_Right, Qt::Key_F1}) {
            Press(window, key);
        }
        Press(window, Qt::Key_F5);
        Settle();
        EXPECT_EQ(window->Image(), clean) << "the clean default screen";
        EXPECT_EQ(detectorState.pulseWidth, 10.0);
        EXPECT_EQ(detectorState.pulsePeriod, 50.0);
        for (const int key : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3}) {
            Press(window, key);
        }
        EXPECT_TRUE(Matches(window)) << "all three traces with coloured labels";
    });
}

TEST(QtKeyTest, OtherKeysChangeNothing) {
    RunAt1000x600([](Window* window) {
        Press(window, Qt::Key_F2);
        const QImage before = window->Image().copy();
        const DetectorState state = detectorState;
        for (const int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Tab, Qt::Key_A,
                              Qt::Key_9, Qt::Key_F6, Qt::Key_F12, Qt::Key_Home, Qt::Key_Shift}) {
            Press(window, key);
            Press(window, key, true);
        }
        Settle();
        EXPECT_EQ(window->Image(), before);
        EXPECT_EQ(detectorState.pulseWidth, state.pulseWidth);
        EXPECT_EQ(detectorState.quasiPeakOn, state.quasiPeakOn);
        EXPECT_EQ(detectorState.quasiPeakInk, state.quasiPeakInk);
        EXPECT_TRUE(window->isVisible());
    });
}

// A resize repaints the static screen only; the on flags stay as they were,
// so the next toggle takes the trace "off" by drawing it.
TEST(QtKeyTest, ResizeKeepsTheOnFlags) {
    RunAt1000x600([](Window* window) {
        Press(window, Qt::Key_F1);
        Press(window, Qt::Key_F3);
        window->resize(900, 500);
        Settle();
        EXPECT_EQ(detectorState.peakOn, 1);
        EXPECT_EQ(detectorState.averageOn, 1);
        detectorState.peakOn = detectorState.averageOn = 0;
        const bool clean = Matches(window);
        detectorState.peakOn = detectorState.averageOn = 1;
        EXPECT_TRUE(clean) << "the repaint drew no trace";
    });
}

// Ten thousand key commands allocate and free their surfaces; the heap in use
// afterwards is what it was. (The sanitizer build finds leaks its own way.)
TEST(QtKeyTest, KeyCommandsDoNotGrowMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator keeps its own books";
#endif
    RunAt1000x600([](Window* window) {
        const int keys[] = {Qt::Key_F1,    Qt::Key_F2,   Qt::Key_F3,   Qt::Key_Up,
                            Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Escape};
        auto run = [&](int count) {
            for (int i = 0; i < count; ++i) {
                Press(window, keys[i % 8]);
            }
            Settle();
        };
        run(1000); // glyph caches and Qt's own first-use allocations
        const std::size_t before = mallinfo2().uordblks;
        run(10000);
        const std::size_t after = mallinfo2().uordblks;
        EXPECT_LT(after, before + std::size_t{16384}) << before << " bytes in use before, " << after << " after";
    });
}

} // namespace
} // namespace qv

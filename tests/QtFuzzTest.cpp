// Random sequences of events through the real window procedure on the Qt
// window: every virtual key with and without repeat, resizes from nothing to
// 4096 x 4096, repaints and resets. After every event the rules' invariants
// hold while the width is the one of the last repaint, and whenever the flags
// are in step with the screen, the image is exactly a fresh render. The
// sanitizer build runs the same sequences.
#include "platform/qt/QtPlatform.h"
#include "tests/FreshRender.h"
#include "tests/QtProgram.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace qv {
namespace {

using test::FreshRender;
using test::Settle;

struct Tracker {
    int paints = 0;
    int paintedWidth = -1;
};

Tracker tracker;

LResult FuzzProc(Window* window, unsigned message, WParam wParam, LParam lParam) {
    const LResult result = MainWndProc(window, message, wParam, lParam);
    if (message == Msg::Paint) {
        ++tracker.paints;
        tracker.paintedWidth = detectorState.clientWidth;
    }
    return result;
}

bool AnyTraceOn() { return detectorState.peakOn || detectorState.quasiPeakOn || detectorState.averageOn; }

// A refused step is undone by the opposite step, which can land one rounding
// step below where it started (0.22 - 1 + 1 is 0.21999999999999997), so the
// lower bound holds to within that rounding.
void ExpectRuleInvariants(const char* after) {
    const DetectorState& s = detectorState;
    if (s.clientWidth != tracker.paintedWidth) {
        return;
    }
    constexpr double kRounding = 1e-9;
    EXPECT_LE(s.clientWidth * 0.01, s.pulseWidth + kRounding) << after;
    EXPECT_LE(s.pulseWidth, 0.91 * s.pulsePeriod) << after;
    EXPECT_LE(5.0 * s.pulsePeriod, static_cast<double>((5 * s.clientWidth) / 8)) << after;
}

// Labels are taken off by drawing them again in white, which also whitens
// whatever lies under them. From this height on they lie clear of the title
// and the instruction lines; below it a label taken off leaves a white box
// on the text until the next repaint, as on the real platform.
bool LabelsClearOfText() { return detectorState.clientHeight >= 280; }

unsigned SeedFromEnvironment() {
    const char* seed = std::getenv("QUORVANE_FUZZ_SEED");
    return seed != nullptr ? static_cast<unsigned>(std::strtoul(seed, nullptr, 10)) : 20261211U;
}

TEST(QtFuzzTest, RandomEventsKeepTheScreenInStepWithTheState) {
    const unsigned seed = SeedFromEnvironment();
    std::mt19937 random(seed);
    auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };

    detectorState = DetectorState{};
    tracker = Tracker{};
    WindowClass windowClass;
    windowClass.style = kClassRedrawOnResize;
    windowClass.procedure = FuzzProc;
    windowClass.className = "QuorvaneFuzz";
    RegisterClassExA(windowClass);
    Window* window = CreateWindowExA("QuorvaneFuzz", "Quorvane", 0, 0, 640, 480, nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, kShowDefault);
    window->resize(640, 480);
    Settle();
    UpdateWindow(window);

    bool inStep = true; // the flags say what is on the screen
    int compared = 0;
    const unsigned functionKeys[] = {Vk::F1, Vk::F2, Vk::F3, Vk::F5, Vk::Up, Vk::Down, Vk::Left, Vk::Right};
    for (int event = 0; event < 600 && !HasFailure(); ++event) {
        const int kind = below(100);
        std::string what;
        if (kind < 55) {
            const unsigned key = kind < 40 ? functionKeys[below(8)] : static_cast<unsigned>(below(256));
            if (key == Vk::F4) {
                continue; // a modal dialog; its own tests cover it
            }
            const int repeats = below(4) == 0 ? 1 + below(30) : 1;
            for (int i = 0; i < repeats; ++i) {
                window->Send(Msg::KeyDown, key, 1 | (i > 0 ? (LParam{1} << 30) : 0));
            }
            what = "key " + std::to_string(key) + " x" + std::to_string(repeats);
            if (key == Vk::F5) {
                Settle();
                inStep = true;
            }
        } else if (kind < 85) {
            const int side = below(10) == 0 ? 4097 : 700;
            const int width = below(side);
            const int height = below(side);
            window->resize(width, height);
            what = "resize to " + std::to_string(width) + " x " + std::to_string(height);
            if (below(3) != 0) {
                Settle();
                inStep = inStep && !AnyTraceOn();
            } else {
                inStep = false; // keys may arrive before the repaint
            }
        } else {
            InvalidateRect(window, true);
            Settle();
            inStep = inStep && !AnyTraceOn();
            what = "repaint";
        }
        ExpectRuleInvariants(what.c_str());
        if (inStep && tracker.paintedWidth == detectorState.clientWidth && LabelsClearOfText()) {
            ++compared;
            ASSERT_EQ(window->Image(), FreshRender(window->Canvas().Width(), window->Canvas().Height()))
                << "after event " << event << ": " << what << " (seed " << seed << ")";
        }
    }
    EXPECT_GT(tracker.paints, 50);
    EXPECT_GT(compared, 40) << "the screen was compared too rarely to mean much";
    window->Destroy();
    Message quit;
    EXPECT_FALSE(GetMessageA(quit));
    EXPECT_EQ(qt::LiveDrawingObjects(), 0);
}

} // namespace
} // namespace qv

// The Qt program as a user meets it: its window, first paint, resizes, close
// and the timer's failure path, on the offscreen platform.
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtPlatform.h"
#include "tests/QtProgram.h"

#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::FindMainWindow;
using test::RunProgram;
using test::Settle;

bool IsRed(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 90 && qBlue(pixel) < 90; }
bool IsInk(QRgb pixel) { return (pixel & 0xFFFFFFU) != 0xFFFFFFU; }

int CountIn(const QImage& image, QRect area, bool (*test)(QRgb)) {
    int count = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += test(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// The envelope of the parameters now in force, checked where its formulas put
// it for the window's actual client size.
void ExpectEnvelope(const QImage& image, int width, int height) {
    const int x = width / 4;
    const int base = (3 * height) / 4;
    const int top = base - height / 2;
    const int pulse = static_cast<int>(width * 0.01);
    const int period = static_cast<int>(width * 0.05);
    for (int i = 0; i < 5; ++i) {
        const int start = x + i * period;
        EXPECT_EQ(image.pixel(start, (top + base) / 2) & 0xFFFFFFU, 0U) << "rising edge of pulse " << i;
        EXPECT_EQ(image.pixel(start + pulse / 2, top) & 0xFFFFFFU, 0U) << "top of pulse " << i;
        EXPECT_EQ(image.pixel(start + pulse + 2, top) & 0xFFFFFFU, 0xFFFFFFU) << "after pulse " << i;
        EXPECT_EQ(image.pixel(start + (pulse + period) / 2, base) & 0xFFFFFFU, 0U) << "baseline " << i;
    }
    EXPECT_EQ(image.pixel(x + 5 * period + 3, base) & 0xFFFFFFU, 0xFFFFFFU) << "the train ends";
}

TEST(QtFontTest, ArialBoldResolvesToLiberationSansBoldWithTheCellAskedFor) {
    const FontDescription asFamily{30, 700, "Arial"};
    const FontDescription asFullName{50, 0, "Arial Bold"};
    for (const FontDescription& description : {asFamily, asFullName}) {
        const QFont font = qt::MatchFont(description);
        const QFontInfo info(font);
        EXPECT_EQ(info.family(), QString("Liberation Sans")) << "install fonts-liberation";
        EXPECT_EQ(info.style(), QFont::StyleNormal);
        EXPECT_GE(info.weight(), static_cast<int>(QFont::Bold));
        const int cell = QFontMetrics(font).height();
        EXPECT_LE(cell, description.height);
        EXPECT_GE(cell, description.height - 2);
    }
}

TEST(QtWindowTest, FirstPaintDrawsTheStaticScreenAndResetsThePulse) {
    int width = 0;
    int height = 0;
    QSize outer;
    const int exitCode = RunProgram([&] {
        Window* window = FindMainWindow();
        ASSERT_NE(window, nullptr);
        Settle();
        EXPECT_EQ(window->windowTitle(), QString("Quorvane"));
        EXPECT_TRUE(window->isVisible());
        width = window->width();
        height = window->height();
        outer = window->frameGeometry().size();
        EXPECT_EQ(detectorState.clientWidth, width);
        EXPECT_EQ(detectorState.clientHeight, height);
        EXPECT_EQ(detectorState.pulseWidth, width * 0.01);
        EXPECT_EQ(detectorState.pulsePeriod, width * 0.05);
        EXPECT_EQ(detectorState.dischargeTau, width * 0.125);

        const QImage& image = window->Image();
        ASSERT_EQ(image.size(), window->size());
        EXPECT_GT(CountIn(image, QRect(width / 2 - 120, 5, 240, 50), IsInk), 200) << "the heading";
        EXPECT_GT(CountIn(image, QRect(width - 300, 5, 290, 16), IsInk), 20) << "the credit line";
        const int line = 16;
        for (int row = 2; row <= 6; ++row) {
            EXPECT_GT(CountIn(image, QRect(width / 2, height - row * line, 300, line), IsRed), 10)
                << "right column, " << row << " lines from the bottom";
        }
        for (int row = 3; row <= 6; ++row) {
            EXPECT_GT(CountIn(image, QRect(0, height - row * line, 300, line), IsRed), 10)
                << "left column, " << row << " lines from the bottom";
        }
        ExpectEnvelope(image, width, height);
        EXPECT_GE(detectorState.lineHeight, 28) << "the label font is measured last";
        EXPECT_EQ(qt::LiveDrawingObjects(), 7);
    });
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(outer, QSize(1000, 700)) << "the outer size the window asks for";
    EXPECT_LT(width, 1000) << "the client area is the outer size less the frame";
    EXPECT_EQ(qt::LiveDrawingObjects(), 0) << "closing frees the drawing kit";
    EXPECT_EQ(FindMainWindow(), nullptr);
}

TEST(QtWindowTest, ResizeRepaintsEverythingAtTheNewWidthsDefaults) {
    RunProgram([] {
        Window* window = FindMainWindow();
        ASSERT_NE(window, nullptr);
        Settle();
        detectorState.peakOn = 1;
        detectorState.pulseWidth = 20;
        window->resize(800, 500);
        Settle();
        EXPECT_EQ(detectorState.clientWidth, 800);
        EXPECT_EQ(detectorState.clientHeight, 500);
        EXPECT_EQ(detectorState.pulseWidth, 8.0);
        EXPECT_EQ(detectorState.pulsePeriod, 40.0);
        EXPECT_EQ(detectorState.peakOn, 1) << "a repaint leaves the on flags";
        ASSERT_EQ(window->Image().size(), QSize(800, 500));
        ExpectEnvelope(window->Image(), 800, 500);
    });
}

// Minimised, the client area has no pixels; repaint and every key command run
// on it without fault.
TEST(QtWindowTest, ZeroSizeClientAreaIsHarmless) {
    RunProgram([] {
        Window* window = FindMainWindow();
        ASSERT_NE(window, nullptr);
        Settle();
        window->Send(Msg::Size, 0, 0);
        InvalidateRect(window, true);
        Settle();
        EXPECT_EQ(detectorState.clientWidth, 0);
        EXPECT_EQ(detectorState.pulsePeriod, 0.0);
        for (unsigned key : {Vk::F1, Vk::F2, Vk::F3, Vk::Up, Vk::Down, Vk::Left, Vk::Right, Vk::F5}) {
            window->Send(Msg::KeyDown, key, 1);
        }
        Settle();
        EXPECT_EQ(detectorState.pulseWidth, 0.0);
    });
}

// The window system holds the window to the largest client area whose pixels
// it can keep; asking for more is not an error.
TEST(QtWindowTest, HugeSizesAreHeldToTheLargestClientArea) {
    RunProgram([] {
        Window* window = FindMainWindow();
        ASSERT_NE(window, nullptr);
        Settle();
        window->resize(100000, 70000);
        Settle();
        EXPECT_EQ(window->width(), kMaxClientSide);
        EXPECT_EQ(window->height(), kMaxClientSide);
        EXPECT_EQ(detectorState.clientWidth, kMaxClientSide);
        EXPECT_EQ(window->Image().size(), window->size());
        window->resize(300, 200);
        Settle();
        EXPECT_EQ(detectorState.clientWidth, 300);
    });
}

// The timer is refused once: the user sees the message box while the window
// is still hidden, and answers it.
TEST(QtWindowTest, TimerFailureOffersRetryAndCancel) {
    struct Case {
        QMessageBox::StandardButton answer;
        bool windowShown;
    };
    for (const Case c : {Case{QMessageBox::Retry, true}, Case{QMessageBox::Cancel, false}}) {
        detectorState = DetectorState{};
        qt::FailNextTimerCreations(1);
        bool sawBox = false;
        bool shownDuringBox = true;
        QTimer::singleShot(5, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            sawBox = true;
            EXPECT_EQ(box->text(), QString("Too many clocks or timers!"));
            EXPECT_EQ(box->windowTitle(), QString("Quorvane"));
            EXPECT_EQ(box->icon(), QMessageBox::Warning);
            EXPECT_NE(box->button(QMessageBox::Retry), nullptr);
            Window* window = FindMainWindow();
            shownDuringBox = window != nullptr && window->isVisible();
            box->button(c.answer)->click();
            if (c.windowShown) {
                QTimer::singleShot(5, [] {
                    Window* shown = FindMainWindow();
                    EXPECT_TRUE(shown != nullptr && shown->isVisible());
                    if (shown != nullptr) {
                        shown->close();
                    }
                });
            }
        });
        EXPECT_EQ(WinMain(nullptr, kShowDefault), 0);
        EXPECT_TRUE(sawBox);
        EXPECT_FALSE(shownDuringBox);
        if (!c.windowShown) {
            Window* hidden = FindMainWindow();
            ASSERT_NE(hidden, nullptr);
            EXPECT_FALSE(hidden->isVisible()) << "cancel ends the program before the window is shown";
            hidden->close(); // what the end of the process would do, so the next test starts clean
            Message quit;
            EXPECT_FALSE(GetMessageA(quit));
        }
        EXPECT_EQ(qt::LiveDrawingObjects(), 0);
    }
}

} // namespace
} // namespace qv

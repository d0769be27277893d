#include "app/MainWindow.h"
#include "dialog/SupportTextDialog.h"
#include "model/DetectorState.h"
#include "resources/resource.h"
#include "traces/Painters.h"

namespace qv {

namespace {

void DrawEnvelopeAndDetectors(DrawingSurface& surface) {
    DrawEnvelope(surface, detectorState.clientWidth, detectorState.clientHeight, drawingKit.envelopePen);
    DrawActiveDetectors(surface);
}

// Everything on screen is drawn once more to take it off, the rule runs, and
// everything is drawn again at the new parameters: both passes run even when
// the rule took its step back.
void RedrawCycle(Window* window, void (*rule)()) {
    DrawingSurface* surface = GetDC(window);
    DrawEnvelopeAndDetectors(*surface);
    rule();
    DrawEnvelopeAndDetectors(*surface);
    surface->SetROP2(RasterOp::CopyPen);
    ReleaseDC(window, surface);
}

void Peak(DrawingSurface& surface) {
    DrawPeakTrace(surface, detectorState.clientWidth, detectorState.clientHeight, drawingKit.peakPen,
                  drawingKit.labelFont);
}

void QuasiPeak(DrawingSurface& surface) {
    DrawQuasiPeakTrace(surface, detectorState.clientWidth, detectorState.clientHeight, drawingKit.quasiPeakPen,
                       drawingKit.meteredPen, drawingKit.labelFont, detectorState.lineHeight);
}

void Average(DrawingSurface& surface) {
    DrawAverageTrace(surface, detectorState.clientWidth, detectorState.clientHeight, drawingKit.averagePen,
                     drawingKit.labelFont);
}

// F1 to F3 draw their trace once, which shows it or takes it off; the on flag
// records which. The quasi-peak and average keys set not-xor first.
void ToggleTrace(Window* window, void (*trace)(DrawingSurface&), int& on, bool notXorFirst) {
    DrawingSurface* surface = GetDC(window);
    if (notXorFirst) {
        surface->SetROP2(RasterOp::NotXorPen);
    }
    trace(*surface);
    on = !on;
    surface->SetROP2(RasterOp::CopyPen);
    ReleaseDC(window, surface);
}

// Runs modally: the command returns once OK has closed the dialog.
void ShowSupportText(Window* window) {
    DialogBoxParamA(programInstance, IDD_SUPPORT_TEXT, window, SupportTextDlgProc, 0);
}

// The flags go back to a clean screen, and the whole area is repainted.
void ResetDisplay(Window* window) {
    DrawingSurface* surface = GetDC(window);
    ResetFlags();
    InvalidateRect(window, true);
    ReleaseDC(window, surface);
}

} // namespace

void DrawActiveDetectors(DrawingSurface& surface) {
    if (detectorState.peakOn) {
        Peak(surface);
    }
    if (detectorState.quasiPeakOn) {
        QuasiPeak(surface);
    }
    if (detectorState.averageOn) {
        Average(surface);
    }
}

void OnKeyDown(Window* window, unsigned virtualKey) {
    switch (virtualKey) {
    case Vk::Up:
        RedrawCycle(window, WidenPulse);
        break;
    case Vk::Down:
        RedrawCycle(window, NarrowPulse);
        break;
    case Vk::Right:
        RedrawCycle(window, LengthenPeriod);
        break;
    case Vk::Left:
        RedrawCycle(window, ShortenPeriod);
        break;
    case Vk::F1:
        ToggleTrace(window, Peak, detectorState.peakOn, false);
        break;
    case Vk::F2:
        ToggleTrace(window, QuasiPeak, detectorState.quasiPeakOn, true);
        break;
    case Vk::F3:
        ToggleTrace(window, Average, detectorState.averageOn, true);
        break;
    case Vk::F4:
        ShowSupportText(window);
        break;
    case Vk::F5:
        ResetDisplay(window);
        break;
    default:
        break;
    }
}

} // namespace qv

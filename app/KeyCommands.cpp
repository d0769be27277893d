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

void TogglePeak(Window* window) {
    DrawingSurface* surface = GetDC(window);
    DrawPeakTrace(*surface, detectorState.clientWidth, detectorState.clientHeight, drawingKit.peakPen,
                  drawingKit.labelFont);
    detectorState.peakOn = !detectorState.peakOn;
    surface->SetROP2(RasterOp::CopyPen);
    ReleaseDC(window, surface);
}

void ToggleQuasiPeak(Window* window) {
    DrawingSurface* surface = GetDC(window);
    surface->SetROP2(RasterOp::NotXorPen);
    DrawQuasiPeakTrace(*surface, detectorState.clientWidth, detectorState.clientHeight, drawingKit.quasiPeakPen,
                       drawingKit.meteredPen, drawingKit.labelFont, detectorState.lineHeight);
    detectorState.quasiPeakOn = !detectorState.quasiPeakOn;
    surface->SetROP2(RasterOp::CopyPen);
    ReleaseDC(window, surface);
}

void ToggleAverage(Window* window) {
    DrawingSurface* surface = GetDC(window);
    surface->SetROP2(RasterOp::NotXorPen);
    DrawAverageTrace(*surface, detectorState.clientWidth, detectorState.clientHeight, drawingKit.averagePen,
                     drawingKit.labelFont);
    detectorState.averageOn = !detectorState.averageOn;
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
    const int width = detectorState.clientWidth;
    const int height = detectorState.clientHeight;
    if (detectorState.peakOn) {
        DrawPeakTrace(surface, width, height, drawingKit.peakPen, drawingKit.labelFont);
    }
    if (detectorState.quasiPeakOn) {
        DrawQuasiPeakTrace(surface, width, height, drawingKit.quasiPeakPen, drawingKit.meteredPen, drawingKit.labelFont,
                           detectorState.lineHeight);
    }
    if (detectorState.averageOn) {
        DrawAverageTrace(surface, width, height, drawingKit.averagePen, drawingKit.labelFont);
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
        TogglePeak(window);
        break;
    case Vk::F2:
        ToggleQuasiPeak(window);
        break;
    case Vk::F3:
        ToggleAverage(window);
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

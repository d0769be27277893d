#include "app/MainWindow.h"
#include "model/DetectorState.h"

namespace qv {

namespace {

// Both fonts come from one description; only the height differs. The face is
// asked for as family and weight, which Windows and Wine both resolve to
// Arial Bold (a face name "Arial Bold" with weight 0 is plain under Wine).
Font CreateLabelFont(int height) {
    FontDescription description;
    description.height = height;
    description.weight = 700;
    description.faceName = "Arial";
    return CreateFontIndirectA(description);
}

void OnCreate() {
    drawingKit.envelopePen = CreatePen(2, kBlack);
    drawingKit.peakPen = CreatePen(2, kRed);
    drawingKit.quasiPeakPen = CreatePen(2, kBlue);
    drawingKit.averagePen = CreatePen(2, kMagenta);
    drawingKit.meteredPen = CreatePen(2, kDarkGreen);
    drawingKit.titleFont = CreateLabelFont(50);
    drawingKit.labelFont = CreateLabelFont(30);
}

void OnDestroy(Window* window) {
    DeleteObject(drawingKit.envelopePen);
    DeleteObject(drawingKit.peakPen);
    DeleteObject(drawingKit.quasiPeakPen);
    DeleteObject(drawingKit.averagePen);
    DeleteObject(drawingKit.meteredPen);
    DeleteObject(drawingKit.titleFont);
    DeleteObject(drawingKit.labelFont);
    drawingKit = DrawingKit{};
    KillTimer(window, ID_CLOCK);
    PostQuitMessage(0);
}

} // namespace

LResult MainWndProc(Window* window, unsigned message, WParam wParam, LParam lParam) {
    switch (message) {
    case Msg::Create:
        OnCreate();
        return 0;
    case Msg::Destroy:
        OnDestroy(window);
        return 0;
    case Msg::Size:
        OnSizeNotification(lParam);
        return 0;
    case Msg::Paint:
        PaintScreen(window);
        return 0;
    case Msg::KeyDown:
        OnKeyDown(window, static_cast<unsigned>(wParam));
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace qv

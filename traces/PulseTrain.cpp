#include "model/DetectorState.h"
#include "model/Numeric.h"
#include "traces/Painters.h"

namespace qv {

namespace {

// Five rectangular pulses from (W/4, (3H)/4). Each repetition starts where the
// previous one ended, read back from the surface.
void DrawPulseTrain(DrawingSurface& surface, int width, int height) {
    const int pulse = Trunc(detectorState.pulseWidth);
    const int period = Trunc(detectorState.pulsePeriod);
    surface.MoveToEx(width / 4, (3 * height) / 4);
    for (int i = 0; i < 5; ++i) {
        const Point c = surface.GetCurrentPositionEx();
        surface.LineTo(c.x, c.y - height / 2);
        surface.LineTo(c.x + pulse, c.y - height / 2);
        surface.LineTo(c.x + pulse, c.y);
        surface.LineTo(c.x + period, c.y);
    }
}

} // namespace

void DrawEnvelope(DrawingSurface& surface, int width, int height, Pen pen) {
    surface.SelectObject(pen);
    surface.SetROP2(RasterOp::NotXorPen);
    DrawPulseTrain(surface, width, height);
    surface.SelectObject(StockObject::BlackPen);
}

// Xor-ed over the black envelope, the red pen turns it red; a second call
// turns it black again.
void DrawPeakTrace(DrawingSurface& surface, int width, int height, Pen pen, Font font) {
    surface.SelectObject(pen);
    surface.SetROP2(RasterOp::XorPen);
    DrawPulseTrain(surface, width, height);

    surface.SelectObject(font);
    surface.SetTextColor(detectorState.peakInk ? kRed : kWhite);
    surface.SetTextAlign(TextAlign::Right);
    DrawLabel(surface, width / 5, (3 * height) / 4 - height / 2, "Peak");
    detectorState.peakInk = !detectorState.peakInk;
    surface.SelectObject(StockObject::BlackPen);
}

} // namespace qv

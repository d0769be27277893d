#include "model/DetectorState.h"
#include "model/Numeric.h"
#include "traces/Painters.h"

namespace qv {

// The mean of the envelope: the amplitude times the duty cycle w/P. With no
// period there is no mean; nothing is drawn and the ink flag stays.
void DrawAverageTrace(DrawingSurface& surface, int width, int height, Pen pen, Font font) {
    const double period = detectorState.pulsePeriod;
    if (!(period > 0.0)) {
        return;
    }
    const double amplitude = static_cast<double>(height / 2);

    surface.SelectObject(pen);
    surface.SetROP2(RasterOp::NotXorPen);
    const int yAvg = (3 * height) / 4 - Trunc(detectorState.pulseWidth * amplitude / period);
    surface.MoveToEx(width / 4, yAvg);
    surface.LineTo(width / 4 - Trunc(-5.0 * period), yAvg);

    surface.SelectObject(font);
    surface.SetTextColor(detectorState.averageInk ? kMagenta : kWhite);
    surface.SetTextAlign(TextAlign::Right);
    DrawLabel(surface, width / 5, (3 * height) / 4 - (height / 2) / 2, "Average");
    detectorState.averageInk = !detectorState.averageInk;
}

} // namespace qv

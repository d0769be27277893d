#include "model/DetectorState.h"
#include "model/Numeric.h"
#include "traces/Painters.h"

#include <cmath>

namespace qv {

namespace {

struct QuasiPeakCurve {
    double off; // off-time between two pulses
    double amplitude;
    int x0;
    int top;
    int yStart; // the full amplitude decayed over one off-time
    int n;      // the off-time rounded to whole pixels
};

QuasiPeakCurve DeriveCurve(int width, int height) {
    const DetectorState& s = detectorState;
    QuasiPeakCurve q{};
    q.off = s.pulsePeriod - s.pulseWidth;
    q.amplitude = static_cast<double>(height / 2);
    q.x0 = width / 4;
    q.top = height / 4;
    q.yStart = height / 2 - Trunc(q.amplitude / std::exp(q.off / s.dischargeTau)) + height / 4;
    q.n = Trunc(q.off + 0.5);
    return q;
}

// Charges to the top in 5 pixels, holds to the end of the pulse, then decays
// with the discharge time constant, drawn at odd offsets only.
void DrawCurve(DrawingSurface& surface, const QuasiPeakCurve& q, int height) {
    const DetectorState& s = detectorState;
    surface.MoveToEx(q.x0, q.yStart);
    Point c = surface.GetCurrentPositionEx();
    for (int i = 0; i < 5; ++i) {
        surface.LineTo(c.x + 5, q.top);
        surface.LineTo(q.x0 + Trunc(i * s.pulsePeriod) + Trunc(s.pulseWidth), q.top);
        c = surface.GetCurrentPositionEx();
        for (int j = 1; j < q.n; j += 2) {
            surface.LineTo(c.x + j, c.y + height / 2 - Trunc(q.amplitude / std::exp(j / s.dischargeTau)));
        }
        c = surface.GetCurrentPositionEx();
    }
}

void DrawMeteredLine(DrawingSurface& surface, const QuasiPeakCurve& q, int height) {
    const double period = detectorState.pulsePeriod;
    const double factor = 1.0 - q.off / (2.0 * period);
    const int yMeter = q.yStart - Trunc(factor * static_cast<double>(q.yStart - height / 4));
    surface.MoveToEx(q.x0, yMeter);
    const Point c = surface.GetCurrentPositionEx();
    surface.LineTo(c.x - Trunc(-5.0 * period), c.y);
}

} // namespace

// With no period or no time constant (a zero-width client at the last
// repaint) there is no curve: nothing is drawn and the ink flag stays, so
// the next call is still this call's inverse.
void DrawQuasiPeakTrace(DrawingSurface& surface, int width, int height, Pen qpPen, Pen meteredPen, Font font,
                        int lineHeight) {
    if (!(detectorState.pulsePeriod > 0.0) || !(detectorState.dischargeTau > 0.0)) {
        return;
    }
    const QuasiPeakCurve q = DeriveCurve(width, height);

    surface.SelectObject(qpPen);
    surface.SetROP2(RasterOp::NotXorPen);
    DrawCurve(surface, q, height);

    surface.SelectObject(meteredPen);
    DrawMeteredLine(surface, q, height);

    const int ink = detectorState.quasiPeakInk;
    const int labelTop = height / 4 + (height / 2) / 4;
    surface.SelectObject(font);
    surface.SetTextColor(ink ? kBlue : kWhite);
    surface.SetTextAlign(TextAlign::Right);
    DrawLabel(surface, width / 5, labelTop, "Quasi-peak");
    surface.SelectObject(StockObject::SystemFont);
    surface.SetTextColor(ink ? kDarkGreen : kWhite);
    DrawLabel(surface, width / 5, labelTop + lineHeight, "(metered value)");
    detectorState.quasiPeakInk = !ink;
}

} // namespace qv

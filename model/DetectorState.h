// The one process-wide record that drives the display, and the rules by which
// the arrow keys may change it. Every quantity is a distance in pixels.
#pragma once

#include "platform/WindowSystem.h"

namespace qv {

struct DetectorState {
    int clientWidth = 0;
    int clientHeight = 0;
    double pulseWidth = 0.0;
    double pulsePeriod = 0.0;
    double dischargeTau = 0.0;
    int peakOn = 0;
    int quasiPeakOn = 0;
    int averageOn = 0;
    int peakInk = 1;
    int quasiPeakInk = 1;
    int averageInk = 1;
    int lineHeight = 0;
    int charWidth = 0;
};

extern DetectorState detectorState;

// The drawing objects, alive from window creation to window destruction.
struct DrawingKit {
    Pen envelopePen;
    Pen peakPen;
    Pen quasiPeakPen;
    Pen averagePen;
    Pen meteredPen;
    Font titleFont;
    Font labelFont;
};

extern DrawingKit drawingKit;

void ResetPulseParameters();
void OnSizeNotification(LParam size);
void ResetFlags();

void WidenPulse();
void NarrowPulse();
void LengthenPeriod();
void ShortenPeriod();

} // namespace qv

#include "model/DetectorState.h"

namespace qv {

DetectorState detectorState;
DrawingKit drawingKit;

namespace {

// Both period rules keep the five-pulse train within about 7/8 of the width.
bool TrainTooLong(const DetectorState& s) { return static_cast<double>((5 * s.clientWidth) / 8) < 5.0 * s.pulsePeriod; }

} // namespace

void ResetPulseParameters() {
    const double width = detectorState.clientWidth;
    detectorState.pulseWidth = width * 0.01;
    detectorState.pulsePeriod = width * 0.05;
    detectorState.dischargeTau = width * 0.125;
}

void OnSizeNotification(LParam size) {
    detectorState.clientWidth = LoWord(size);
    detectorState.clientHeight = HiWord(size);
}

void ResetFlags() {
    detectorState.peakOn = 0;
    detectorState.quasiPeakOn = 0;
    detectorState.averageOn = 0;
    detectorState.peakInk = 1;
    detectorState.quasiPeakInk = 1;
    detectorState.averageInk = 1;
}

// Each rule steps first and tests the stepped value; a failed test is undone
// by the opposite step, not by restoring a saved value.
void WidenPulse() {
    DetectorState& s = detectorState;
    s.pulseWidth += 1.0;
    if (TrainTooLong(s) || 0.91 * s.pulsePeriod < s.pulseWidth) {
        s.pulseWidth -= 1.0;
    }
}

void NarrowPulse() {
    DetectorState& s = detectorState;
    s.pulseWidth -= 1.0;
    if (s.pulseWidth < s.clientWidth * 0.01) {
        s.pulseWidth += 1.0;
    }
}

void LengthenPeriod() {
    DetectorState& s = detectorState;
    s.pulsePeriod += 1.0;
    if (TrainTooLong(s)) {
        s.pulsePeriod -= 1.0;
    }
}

void ShortenPeriod() {
    DetectorState& s = detectorState;
    s.pulsePeriod -= 1.0;
    if (!(s.pulseWidth <= 0.91 * s.pulsePeriod)) {
        s.pulsePeriod += 1.0;
    }
}

} // namespace qv

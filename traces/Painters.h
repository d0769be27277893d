// The four trace painters. Each reads the pulse parameters and its ink flag
// from the detector state, and each call toggles: it draws what is absent and
// removes what is present, because lines go down with self-inverting raster
// operations and labels alternate between colour and white.
#pragma once

#include "platform/DrawingSurface.h"

#include <string_view>

namespace qv {

void DrawEnvelope(DrawingSurface& surface, int width, int height, Pen pen);
void DrawPeakTrace(DrawingSurface& surface, int width, int height, Pen pen, Font font);
void DrawQuasiPeakTrace(DrawingSurface& surface, int width, int height, Pen qpPen, Pen meteredPen, Font font,
                        int lineHeight);
void DrawAverageTrace(DrawingSurface& surface, int width, int height, Pen pen, Font font);

// Draws a fixed label with its length.
inline void DrawLabel(DrawingSurface& surface, int x, int y, std::string_view text) {
    surface.TextOutA(x, y, text.data(), static_cast<int>(text.size()));
}

} // namespace qv

#include "app/MainWindow.h"
#include "model/DetectorState.h"

namespace qv {

// Every repaint starts the pulse parameters afresh from the width; traces and
// their flags are left to the keyboard commands.
void PaintScreen(Window* window) {
    DrawingSurface* surface = BeginPaint(window);
    ResetPulseParameters();
    DrawStaticScreen(*surface);
    EndPaint(window, surface);
}

} // namespace qv

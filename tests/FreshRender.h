// What the screen must look like: the static screen, the envelope and the
// traces whose on flags are set, rendered afresh at the parameters now in
// force on a canvas of the given size. The detector state is left as found.
#pragma once

#include "app/MainWindow.h"
#include "model/DetectorState.h"
#include "platform/qt/QtFonts.h"
#include "platform/raster/RasterSurface.h"

#include <QImage>

namespace qv::test {

inline QImage FreshRender(int width, int height) {
    const DetectorState saved = detectorState;
    RasterCanvas canvas(width, height);
    {
        RasterSurface surface(canvas, qt::Glyphs());
        DrawStaticScreen(surface);
        detectorState.peakInk = detectorState.quasiPeakInk = detectorState.averageInk = 1;
        DrawActiveDetectors(surface);
    }
    detectorState = saved;
    if (canvas.Width() == 0 || canvas.Height() == 0) {
        return {};
    }
    return QImage(reinterpret_cast<const uchar*>(canvas.Pixels()), canvas.Width(), canvas.Height(), canvas.Width() * 4,
                  QImage::Format_RGB32)
        .copy();
}

} // namespace qv::test

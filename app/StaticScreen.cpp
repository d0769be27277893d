#include "app/MainWindow.h"
#include "app/Version.h"
#include "model/DetectorState.h"
#include "traces/Painters.h"

namespace qv {

namespace {

struct InstructionLine {
    const char* text;
    bool rightColumn;
    int linesFromBottom;
};

constexpr InstructionLine kInstructions[] = {
    {"Press up arrow to increase pulse width", false, 6},
    {"Press down arrow to decrease pulse width", false, 5},
    {"Press right arrow to increase pulse period", false, 4},
    {"Press left arrow to decrease pulse period", false, 3},
    {"Press F1 for peak detector on/off", true, 6},
    {"Press F2 for quasi-peak detector on/off", true, 5},
    {"Press F3 for average detector on/off", true, 4},
    {"Press F4 for supporting text", true, 3},
    {"Press F5 to reset program", true, 2},
};

void MeasureFont(DrawingSurface& surface) {
    const TextMetrics metrics = surface.GetTextMetricsA();
    detectorState.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    detectorState.charWidth = metrics.tmAveCharWidth;
}

} // namespace

void DrawStaticScreen(DrawingSurface& surface) {
    const int width = detectorState.clientWidth;
    const int height = detectorState.clientHeight;

    surface.SelectObject(drawingKit.titleFont);
    surface.SetTextAlign(TextAlign::Center);
    DrawLabel(surface, width / 2, 5, "Lindrossa");

    surface.SelectObject(StockObject::SystemFont);
    surface.SetTextAlign(TextAlign::Right);
    DrawLabel(surface, width - 10, 5, "Quorvane " QUORVANE_VERSION " - detectors of an EMC receiver");

    surface.SetTextColor(kRed);
    surface.SetTextAlign(TextAlign::LeftTop);
    MeasureFont(surface);
    const int lineHeight = detectorState.lineHeight;
    for (const InstructionLine& line : kInstructions) {
        const int x = line.rightColumn ? width / 2 : detectorState.charWidth;
        DrawLabel(surface, x, height - line.linesFromBottom * lineHeight, line.text);
    }

    DrawEnvelope(surface, width, height, drawingKit.envelopePen);

    surface.SelectObject(drawingKit.labelFont);
    MeasureFont(surface);
}

} // namespace qv

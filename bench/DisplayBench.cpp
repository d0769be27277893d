// How long the display's drawing takes, at the default window size and at
// 4K. The names stay fixed so figures compare from release to release.
#include "app/MainWindow.h"
#include "bench/BenchSurfaces.h"
#include "model/DetectorState.h"
#include "platform/qt/QtFonts.h"
#include "traces/Painters.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <string>

namespace qv::bench {
namespace {

const RasterPen kPens[] = {{2, kBlack}, {2, kRed}, {2, kBlue}, {2, kMagenta}, {2, kDarkGreen}};

// The window's state after a repaint with all three traces put on: the flags
// are in step with the screen, and every label was last drawn in colour.
struct Display {
    RasterCanvas canvas;

    Display(int width, int height) : canvas(width, height) {
        detectorState = DetectorState{};
        detectorState.clientWidth = width;
        detectorState.clientHeight = height;
        ResetPulseParameters();
        RasterSurface surface(canvas, qt::Glyphs());
        DrawStaticScreen(surface);
        detectorState.peakOn = detectorState.quasiPeakOn = detectorState.averageOn = 1;
        DrawActiveDetectors(surface);
    }
};

void MakeKit() {
    drawingKit.envelopePen = ToPen(&kPens[0]);
    drawingKit.peakPen = ToPen(&kPens[1]);
    drawingKit.quasiPeakPen = ToPen(&kPens[2]);
    drawingKit.averagePen = ToPen(&kPens[3]);
    drawingKit.meteredPen = ToPen(&kPens[4]);
    drawingKit.titleFont = Font{reinterpret_cast<std::uintptr_t>(qt::NewFont({50, 700, "Arial"}))};
    drawingKit.labelFont = Font{reinterpret_cast<std::uintptr_t>(qt::NewFont({30, 700, "Arial"}))};
}

// The arrow-key cycle: everything off, the rule, everything on. Up and Down
// alternate so the picture stays the same from one iteration to the next.
void Cycle(DrawingSurface& surface, bool up) {
    const int width = detectorState.clientWidth;
    const int height = detectorState.clientHeight;
    DrawEnvelope(surface, width, height, drawingKit.envelopePen);
    DrawActiveDetectors(surface);
    up ? WidenPulse() : NarrowPulse();
    DrawEnvelope(surface, width, height, drawingKit.envelopePen);
    DrawActiveDetectors(surface);
    surface.SetROP2(RasterOp::CopyPen);
}

void ArrowCycle(benchmark::State& state, int width, int height) {
    Display display(width, height);
    bool up = true;
    for (auto _ : state) {
        RasterSurface surface(display.canvas, qt::Glyphs());
        Cycle(surface, up);
        up = !up;
        benchmark::DoNotOptimize(display.canvas.Pixels());
    }
}

void ArrowCycleLines(benchmark::State& state, int width, int height) {
    Display display(width, height);
    bool up = true;
    for (auto _ : state) {
        RasterSurface surface(display.canvas, qt::Glyphs());
        LinesOnly lines(surface);
        Cycle(lines, up);
        up = !up;
        benchmark::DoNotOptimize(display.canvas.Pixels());
    }
}

void ArrowCycleQPainter(benchmark::State& state, int width, int height) {
    Display display(width, height);
    QImage image(reinterpret_cast<uchar*>(display.canvas.Pixels()), width, height, width * 4, QImage::Format_RGB32);
    bool up = true;
    for (auto _ : state) {
        QPainterSurface surface(image);
        Cycle(surface, up);
        up = !up;
        benchmark::DoNotOptimize(image.bits());
    }
}

// The pixels one lines-only cycle changes, stroke by stroke: each stroke is
// replayed alone on white, where every pixel it covers changes.
std::vector<std::size_t> TouchedPixels(int width, int height) {
    Display display(width, height);
    StrokeRecorder recorder;
    Cycle(recorder, true);
    NarrowPulse();
    RasterCanvas blank(width, height);
    std::vector<std::size_t> touched;
    for (const Stroke& stroke : recorder.strokes) {
        {
            RasterSurface surface(blank, qt::Glyphs());
            surface.SelectObject(stroke.pen);
            surface.SetROP2(stroke.op);
            surface.MoveToEx(stroke.points[0].x, stroke.points[0].y);
            for (std::size_t i = 1; i < stroke.points.size(); ++i) {
                surface.LineTo(stroke.points[i].x, stroke.points[i].y);
            }
        }
        for (std::size_t i = 0; i < static_cast<std::size_t>(width) * static_cast<std::size_t>(height); ++i) {
            if (blank.Pixels()[i] != ToPixel(kWhite)) {
                touched.push_back(i);
                blank.Pixels()[i] = ToPixel(kWhite);
            }
        }
    }
    return touched;
}

void TouchFloor(benchmark::State& state, int width, int height) {
    const std::vector<std::size_t> touched = TouchedPixels(width, height);
    Display display(width, height);
    std::uint32_t* pixels = display.canvas.Pixels();
    for (auto _ : state) {
        for (const std::size_t index : touched) {
            pixels[index] ^= 0x00FF00FFU;
        }
        benchmark::DoNotOptimize(pixels);
    }
    state.counters["pixels"] = static_cast<double>(touched.size());
}

void FullClear(benchmark::State& state, int width, int height) {
    RasterCanvas canvas(width, height);
    for (auto _ : state) {
        canvas.Fill(canvas.Bounds(), kWhite);
        benchmark::DoNotOptimize(canvas.Pixels());
    }
}

void PaintScreenBench(benchmark::State& state, int width, int height) {
    Display display(width, height);
    for (auto _ : state) {
        display.canvas.Fill(display.canvas.Bounds(), kWhite);
        RasterSurface surface(display.canvas, qt::Glyphs());
        ResetPulseParameters();
        DrawStaticScreen(surface);
        benchmark::DoNotOptimize(display.canvas.Pixels());
    }
}

void ToggleF2(benchmark::State& state, int width, int height) {
    Display display(width, height);
    for (auto _ : state) {
        RasterSurface surface(display.canvas, qt::Glyphs());
        surface.SetROP2(RasterOp::NotXorPen);
        DrawQuasiPeakTrace(surface, width, height, drawingKit.quasiPeakPen, drawingKit.meteredPen, drawingKit.labelFont,
                           detectorState.lineHeight);
        benchmark::DoNotOptimize(display.canvas.Pixels());
    }
}

void RegisterAll() {
    using Bench = void (*)(benchmark::State&, int, int);
    const std::pair<const char*, Bench> benches[] = {
        {"BM_ArrowCycle", ArrowCycle},
        {"BM_ArrowCycleLines", ArrowCycleLines},
        {"BM_ArrowCycleQPainter", ArrowCycleQPainter},
        {"BM_TouchFloor", TouchFloor},
        {"BM_FullClear", FullClear},
        {"BM_PaintScreen", PaintScreenBench},
        {"BM_ToggleF2", ToggleF2},
    };
    const int sizes[][2] = {{1000, 700}, {3840, 2160}};
    for (const auto& [name, bench] : benches) {
        for (const auto& size : sizes) {
            const std::string label = std::string(name) + "/" + std::to_string(size[0]) + "x" + std::to_string(size[1]);
            benchmark::RegisterBenchmark(label.c_str(), bench, size[0], size[1])->Unit(benchmark::kMicrosecond);
        }
    }
}

} // namespace
} // namespace qv::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    qv::bench::MakeKit();
    qv::bench::RegisterAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

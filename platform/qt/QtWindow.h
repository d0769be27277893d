// The main window on Qt 6 Widgets.
//
// The client area is a retained image, the window's own memory of what is on
// screen: key commands draw straight into it and the widget shows it. A paint
// message goes to the window procedure after the first show, after every size
// change (the whole area is invalid) and after invalidation; nothing else
// invalidates it, because the toolkit's backing store keeps the pixels when
// another window or a dialog covers them.
#pragma once

#include "platform/WindowSystem.h"
#include "platform/raster/RasterCanvas.h"

#include <QImage>
#include <QWidget>

#include <map>

namespace qv {

struct Window final : public QWidget {
public:
    explicit Window(WindowProcedure procedure);

    LResult Send(unsigned message, WParam wParam, LParam lParam);
    void Invalidate(const Rect& area);
    void PaintNowIfInvalid();
    Rect TakeInvalidArea();
    void Destroy();

    RasterCanvas& Canvas() { return canvas_; }
    const QImage& Image() const { return image_; }
    std::map<unsigned, int>& Timers() { return timers_; }
    bool Destroyed() const { return destroyed_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void KeyDown(QKeyEvent* event);
    void SizeCanvas(int width, int height);

    WindowProcedure procedure_;
    RasterCanvas canvas_;
    QImage image_;
    Rect invalid_;
    bool paintPosted_ = false;
    bool shownOnce_ = false;
    bool destroyed_ = false;
    int sentWidth_ = -1;
    int sentHeight_ = -1;
    std::map<unsigned, int> timers_; // the program's timer id to Qt's
};

// The largest client area the window takes; the toolkit holds the window to
// it, as the pixels of a bigger one would not fit in memory.
inline constexpr int kMaxClientSide = 8192;

unsigned VirtualKeyOf(int qtKey);

} // namespace qv

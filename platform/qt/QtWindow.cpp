#include "platform/qt/QtWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QTimerEvent>

#include <new>

namespace qv {

Window::Window(WindowProcedure procedure) : procedure_(procedure) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
    setMaximumSize(kMaxClientSide, kMaxClientSide);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
}

LResult Window::Send(unsigned message, WParam wParam, LParam lParam) {
    return procedure_(this, message, wParam, lParam);
}

// Paint messages are posted, so several invalidations make one repaint.
void Window::Invalidate(const Rect& area) {
    invalid_ = Intersect(Union(invalid_, area), canvas_.Bounds());
    if (invalid_.Empty() || paintPosted_ || destroyed_) {
        return;
    }
    paintPosted_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            paintPosted_ = false;
            PaintNowIfInvalid();
        },
        Qt::QueuedConnection);
}

void Window::PaintNowIfInvalid() {
    if (!invalid_.Empty() && !destroyed_) {
        Send(Msg::Paint, 0, 0);
    }
}

Rect Window::TakeInvalidArea() {
    const Rect area = invalid_;
    invalid_ = Rect{};
    return area;
}

void Window::Destroy() {
    if (destroyed_) {
        return;
    }
    Send(Msg::Destroy, 0, 0);
    destroyed_ = true;
    for (const auto& [id, qtId] : timers_) {
        killTimer(qtId);
    }
    timers_.clear();
    hide();
    deleteLater();
}

// Keys go to the window procedure before Qt's own handling, so Tab and the
// function keys are the program's like every other key.
bool Window::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        KeyDown(static_cast<QKeyEvent*>(event));
        return true;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void Window::KeyDown(QKeyEvent* event) {
    const unsigned virtualKey = VirtualKeyOf(event->key());
    if (virtualKey != 0 && !destroyed_) {
        const LParam repeat = 1 | (event->isAutoRepeat() ? (LParam{1} << 30) : 0);
        Send(Msg::KeyDown, virtualKey, repeat);
    }
}

void Window::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

// The maximum size keeps the pixels within reach, but memory can still run
// out; the window then stays blank, and says why, until it is made smaller.
void Window::SizeCanvas(int width, int height) {
    try {
        canvas_.Resize(width, height);
    } catch (const std::bad_alloc&) {
        canvas_.Resize(0, 0);
        qWarning("Quorvane: not enough memory to draw a %d x %d window; it stays blank until it is smaller", width,
                 height);
    }
    image_ = canvas_.Width() > 0 && canvas_.Height() > 0
                 ? QImage(reinterpret_cast<uchar*>(canvas_.Pixels()), canvas_.Width(), canvas_.Height(),
                          static_cast<qsizetype>(canvas_.Width()) * 4, QImage::Format_RGB32)
                 : QImage();
}

// The class redraws on any change of width or height, so a new size makes the
// whole client area invalid.
void Window::resizeEvent(QResizeEvent*) {
    if (width() == sentWidth_ && height() == sentHeight_) {
        return;
    }
    sentWidth_ = width();
    sentHeight_ = height();
    SizeCanvas(width(), height());
    const LParam size = static_cast<LParam>((static_cast<std::uint32_t>(height() & 0xFFFF) << 16) |
                                            static_cast<std::uint32_t>(width() & 0xFFFF));
    Send(Msg::Size, 0, size);
    Invalidate(canvas_.Bounds());
}

void Window::showEvent(QShowEvent*) {
    if (!shownOnce_) {
        shownOnce_ = true;
        Invalidate(canvas_.Bounds());
    }
}

// Closing is the window procedure's to decide; its default processing
// destroys the window.
void Window::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!destroyed_) {
        Send(Msg::Close, 0, 0);
    }
}

void Window::timerEvent(QTimerEvent* event) {
    for (const auto& [id, qtId] : timers_) {
        if (qtId == event->timerId()) {
            Send(Msg::Timer, id, 0);
            return;
        }
    }
}

unsigned VirtualKeyOf(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Left:
        return Vk::Left;
    case Qt::Key_Up:
        return Vk::Up;
    case Qt::Key_Right:
        return Vk::Right;
    case Qt::Key_Down:
        return Vk::Down;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Vk::Return;
    case Qt::Key_Escape:
        return Vk::Escape;
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Tab:
        return 0x09;
    case Qt::Key_Shift:
        return 0x10;
    case Qt::Key_Control:
        return 0x11;
    case Qt::Key_Alt:
        return 0x12;
    case Qt::Key_Pause:
        return 0x13;
    case Qt::Key_CapsLock:
        return 0x14;
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_PageDown:
        return 0x22;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_Insert:
        return 0x2D;
    case Qt::Key_Delete:
        return 0x2E;
    default:
        break;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return Vk::F1 + static_cast<unsigned>(qtKey - Qt::Key_F1);
    }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        return static_cast<unsigned>(qtKey); // the same codes as the virtual keys
    }
    return 0;
}

} // namespace qv

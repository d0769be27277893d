// The window system of the Qt program: one registered class, its windows as
// Qt widgets, a message loop that runs Qt's until the quit message, Qt timers,
// a QMessageBox, and the raster surface for all drawing.
#include "platform/WindowSystem.h"
#include "platform/qt/QtFonts.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtWindow.h"
#include "platform/raster/RasterSurface.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <map>
#include <string>

namespace qv {

namespace {

struct QtSystem {
    std::map<std::string, WindowClass> classes;
    bool quitPosted = false;
    int quitCode = 0;
    int failingTimers = 0;
    int liveObjects = 0;
};

QtSystem& System() {
    static QtSystem system;
    return system;
}

// The outer size as close to the one asked for as the desktop allows; the
// frame is only known once the window is shown, so the client is fitted then.
QSize ClientSizeFor(const QWidget& widget, int outerWidth, int outerHeight) {
    const QSize frame = widget.frameGeometry().size() - widget.size();
    QSize client(outerWidth - frame.width(), outerHeight - frame.height());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        client = client.boundedTo(screen->availableGeometry().size() - frame);
    }
    return client.expandedTo(QSize(0, 0));
}

void DestroyWindow(Window* window) { window->Destroy(); }

} // namespace

bool RegisterClassExA(const WindowClass& windowClass) {
    if (windowClass.className == nullptr || windowClass.procedure == nullptr) {
        return false;
    }
    return System().classes.emplace(windowClass.className, windowClass).second;
}

Window* CreateWindowExA(const char* className, const char* caption, int x, int y, int width, int height, Instance*) {
    const auto found = System().classes.find(className != nullptr ? className : "");
    if (found == System().classes.end()) {
        return nullptr;
    }
    auto* window = new Window(found->second.procedure);
    window->setWindowTitle(QString::fromLatin1(caption));
    window->move(x, y);
    window->resize(ClientSizeFor(*window, width, height));
    window->setProperty("qvOuterSize", QSize(width, height));
    window->Send(Msg::Create, 0, 0);
    return window;
}

void ShowWindow(Window* window, int showState) {
    switch (showState) {
    case 0:
        window->hide();
        return;
    case 2:
    case 6:
    case 7:
        window->showMinimized();
        return;
    case 3:
        window->showMaximized();
        return;
    default:
        window->show();
        break;
    }
    const QSize outer = window->property("qvOuterSize").toSize();
    const QSize client = ClientSizeFor(*window, outer.width(), outer.height());
    if (client != window->size()) {
        window->resize(client);
    }
}

void UpdateWindow(Window* window) { window->PaintNowIfInvalid(); }

LResult DefWindowProcA(Window* window, unsigned message, WParam, LParam) {
    switch (message) {
    case Msg::Close:
        DestroyWindow(window);
        return 0;
    case Msg::Paint:
        window->TakeInvalidArea(); // as the real platform validates an unpainted area
        return 0;
    default:
        return 0;
    }
}

// Everything Qt delivers goes to the window procedures as it arrives, as
// sent messages do; the only posted message is the quit message.
bool GetMessageA(Message& message) {
    QtSystem& system = System();
    while (!system.quitPosted) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    system.quitPosted = false;
    message = Message{nullptr, 0x0012, static_cast<WParam>(system.quitCode), 0};
    return false;
}

void TranslateMessage(const Message&) {}

void DispatchMessageA(const Message& message) {
    if (message.window != nullptr) {
        message.window->Send(message.message, message.wParam, message.lParam);
    }
}

void PostQuitMessage(int exitCode) {
    System().quitPosted = true;
    System().quitCode = exitCode;
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        dispatcher->wakeUp();
    }
}

bool SetTimer(Window* window, unsigned id, unsigned milliseconds) {
    if (System().failingTimers > 0) {
        --System().failingTimers;
        return false;
    }
    KillTimer(window, id);
    const int qtId = window->startTimer(static_cast<int>(milliseconds));
    if (qtId == 0) {
        return false;
    }
    window->Timers()[id] = qtId;
    return true;
}

void KillTimer(Window* window, unsigned id) {
    const auto found = window->Timers().find(id);
    if (found != window->Timers().end()) {
        window->killTimer(found->second);
        window->Timers().erase(found);
    }
}

int MessageBoxA(Window* owner, const char* text, const char* caption, unsigned) {
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(caption), QString::fromLatin1(text),
                    QMessageBox::Retry | QMessageBox::Cancel, owner);
    box.setDefaultButton(QMessageBox::Retry);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Cancel ? kIdCancel : kIdRetry;
}

void InvalidateRect(Window* window, bool) { window->Invalidate(window->Canvas().Bounds()); }

DrawingSurface* GetDC(Window* window) { return new RasterSurface(window->Canvas(), qt::Glyphs()); }

void ReleaseDC(Window* window, DrawingSurface* surface) {
    delete surface;
    window->update();
}

DrawingSurface* BeginPaint(Window* window) {
    const Rect area = window->TakeInvalidArea();
    window->Canvas().Fill(area, kWhite);
    return new RasterSurface(window->Canvas(), qt::Glyphs(), area);
}

void EndPaint(Window* window, DrawingSurface* surface) {
    delete surface;
    window->update();
}

Pen CreatePen(int width, Color color) {
    ++System().liveObjects;
    return ToPen(new RasterPen{width, color});
}

Font CreateFontIndirectA(const FontDescription& description) {
    ++System().liveObjects;
    return Font{reinterpret_cast<std::uintptr_t>(qt::NewFont(description))};
}

void DeleteObject(Pen pen) {
    if (pen.handle != 0) {
        --System().liveObjects;
        delete &PenOf(pen);
    }
}

void DeleteObject(Font font) {
    if (font.handle != 0) {
        --System().liveObjects;
        delete reinterpret_cast<qt::QtFont*>(font.handle);
    }
}

namespace qt {

void FailNextTimerCreations(int count) { System().failingTimers = count; }

int LiveDrawingObjects() { return System().liveObjects; }

} // namespace qt

} // namespace qv

#include "app/MainWindow.h"

namespace qv {

namespace {

constexpr const char* kClassName = "Quorvane";

// While the timer cannot be had, the user may retry or give up.
bool AcquireClock(Window* window) {
    while (!SetTimer(window, ID_CLOCK, 50)) {
        if (MessageBoxA(window, "Too many clocks or timers!", "Quorvane", kRetryCancelExclamation) == kIdCancel) {
            return false;
        }
    }
    return true;
}

} // namespace

Instance* programInstance = nullptr;

int WinMain(Instance* instance, int showState) {
    programInstance = instance;
    WindowClass windowClass;
    windowClass.style = kClassRedrawOnResize;
    windowClass.procedure = MainWndProc;
    windowClass.icon = StockIcon::Application;
    windowClass.cursor = StockCursor::Arrow;
    windowClass.background = StockBrush::White;
    windowClass.className = kClassName;
    RegisterClassExA(windowClass);

    Window* window = CreateWindowExA(kClassName, "Quorvane", 0, 0, 1000, 700, instance);
    if (!AcquireClock(window)) {
        return 0;
    }
    ShowWindow(window, showState);
    UpdateWindow(window);

    Message message;
    while (GetMessageA(message)) {
        TranslateMessage(message);
        DispatchMessageA(message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace qv

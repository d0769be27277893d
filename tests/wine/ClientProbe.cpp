// Tells the program test what the window system reports for the running
// program: where its client area is on the screen, its size, and the system
// font's line height and average character width, and whether it is
// minimised. Prints one line: left top width height lineHeight charWidth
// minimised. With the argument "close" it asks the window to close instead.
#include "platform/win32/Win32Handles.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const HWND window = ::FindWindowA("Quorvane", "Quorvane");
    if (window == nullptr) {
        return 1;
    }
    if (argc > 1 && std::strcmp(argv[1], "close") == 0) {
        return ::PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    RECT client{};
    ::GetClientRect(window, &client);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    const HDC dc = ::GetDC(window);
    ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    ::ReleaseDC(window, dc);
    std::printf("%ld %ld %ld %ld %ld %ld %d\n", static_cast<long>(origin.x), static_cast<long>(origin.y),
                static_cast<long>(client.right), static_cast<long>(client.bottom),
                static_cast<long>(metrics.tmHeight + metrics.tmExternalLeading),
                static_cast<long>(metrics.tmAveCharWidth), ::IsIconic(window) ? 1 : 0);
    return 0;
}

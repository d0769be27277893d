// The program's entry on Windows. The show state comes from the start-up
// information the process was created with; the command line is not read.
#include "app/MainWindow.h"
#include "platform/win32/Win32Handles.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    ::GetStartupInfoA(&startup);
    const int showState = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
    return qv::WinMain(qv::win32::InstanceOf(instance), showState);
}

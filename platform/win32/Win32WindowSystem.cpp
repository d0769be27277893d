// The window system over USER32 and GDI32. Every function is the platform's
// own with the portable types turned into handles; the window and dialog
// procedures are reached through trampolines, because the portable ones take
// the opaque types and the platform calls with HWNDs.
#include "platform/win32/GdiSurface.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Platform.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace qv {

using namespace win32;

namespace {

struct Win32System {
    std::map<ATOM, WindowProcedure> procedures; // by class atom
    int failingTimers = 0;
};

Win32System& System() {
    static Win32System system;
    return system;
}

LRESULT CALLBACK WindowTrampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto atom = static_cast<ATOM>(::GetClassWord(window, GCW_ATOM));
    const auto found = System().procedures.find(atom);
    if (found == System().procedures.end()) {
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    return found->second(WindowOf(window), message, wParam, lParam);
}

// The dialog's own procedure and creation parameter, handed over with
// WM_INITDIALOG and kept in the dialog's user slot from then on. Messages
// that come before it (WM_SETFONT) get the dialog manager's default.
struct DialogStart {
    DialogProcedure procedure;
    LParam parameter;
};

INT_PTR CALLBACK DialogTrampoline(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* start = reinterpret_cast<const DialogStart*>(lParam);
        ::SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(start->procedure));
        return start->procedure(DialogOf(dialog), message, wParam, start->parameter);
    }
    const auto procedure = reinterpret_cast<DialogProcedure>(::GetWindowLongPtrA(dialog, DWLP_USER));
    return procedure != nullptr ? procedure(DialogOf(dialog), message, wParam, lParam) : FALSE;
}

HINSTANCE ProgramModule(Instance* instance) {
    return instance != nullptr ? InstanceOf(instance) : ::GetModuleHandleA(nullptr);
}

// A paint surface keeps what EndPaint must be given back.
class PaintSurface final : public GdiSurface {
public:
    PaintSurface(HDC dc, const PAINTSTRUCT& paint) : GdiSurface(dc), paint_(paint) {}
    const PAINTSTRUCT& Paint() const { return paint_; }

private:
    PAINTSTRUCT paint_;
};

} // namespace

bool RegisterClassExA(const WindowClass& windowClass) {
    WNDCLASSEXA description{};
    description.cbSize = sizeof(description);
    description.style = windowClass.style;
    description.lpfnWndProc = WindowTrampoline;
    description.cbClsExtra = 0;
    description.cbWndExtra = 0;
    description.hInstance = ::GetModuleHandleA(nullptr);
    description.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    description.hIconSm = ::LoadIconA(nullptr, IDI_APPLICATION);
    description.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    description.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    description.lpszMenuName = nullptr;
    description.lpszClassName = windowClass.className;
    const ATOM atom = ::RegisterClassExA(&description);
    if (atom == 0) {
        return false;
    }
    System().procedures[atom] = windowClass.procedure;
    return true;
}

Window* CreateWindowExA(const char* className, const char* caption, int x, int y, int width, int height,
                        Instance* instance) {
    return WindowOf(::CreateWindowExA(0, className, caption, WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr, nullptr,
                                      ProgramModule(instance), nullptr));
}

void ShowWindow(Window* window, int showState) { ::ShowWindow(HwndOf(window), showState); }

void UpdateWindow(Window* window) { ::UpdateWindow(HwndOf(window)); }

LResult DefWindowProcA(Window* window, unsigned message, WParam wParam, LParam lParam) {
    return ::DefWindowProcA(HwndOf(window), message, wParam, lParam);
}

// GetMessageA answers -1 only for an invalid window filter, which this loop
// never passes; it ends the loop like the quit message all the same.
bool GetMessageA(Message& message) {
    MSG msg{};
    const BOOL result = ::GetMessageA(&msg, nullptr, 0, 0);
    message = Message{WindowOf(msg.hwnd), msg.message, msg.wParam, msg.lParam};
    return result > 0;
}

namespace {

MSG ToMsg(const Message& message) {
    MSG msg{};
    msg.hwnd = HwndOf(message.window);
    msg.message = message.message;
    msg.wParam = message.wParam;
    msg.lParam = message.lParam;
    msg.time = static_cast<DWORD>(::GetMessageTime());
    const DWORD position = ::GetMessagePos();
    msg.pt = POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    return msg;
}

} // namespace

void TranslateMessage(const Message& message) {
    const MSG msg = ToMsg(message);
    ::TranslateMessage(&msg);
}

void DispatchMessageA(const Message& message) {
    const MSG msg = ToMsg(message);
    ::DispatchMessageA(&msg);
}

void PostQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

bool SetTimer(Window* window, unsigned id, unsigned milliseconds) {
    if (System().failingTimers > 0) {
        --System().failingTimers;
        return false;
    }
    return ::SetTimer(HwndOf(window), id, milliseconds, nullptr) != 0;
}

void KillTimer(Window* window, unsigned id) { ::KillTimer(HwndOf(window), id); }

int MessageBoxA(Window* owner, const char* text, const char* caption, unsigned style) {
    return ::MessageBoxA(HwndOf(owner), text, caption, style);
}

void InvalidateRect(Window* window, bool erase) { ::InvalidateRect(HwndOf(window), nullptr, erase ? TRUE : FALSE); }

DrawingSurface* GetDC(Window* window) { return new GdiSurface(::GetDC(HwndOf(window))); }

void ReleaseDC(Window* window, DrawingSurface* surface) {
    auto* gdi = static_cast<GdiSurface*>(surface);
    const HDC dc = gdi->Dc();
    delete gdi;
    ::ReleaseDC(HwndOf(window), dc);
}

DrawingSurface* BeginPaint(Window* window) {
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(HwndOf(window), &paint);
    return new PaintSurface(dc, paint);
}

void EndPaint(Window* window, DrawingSurface* surface) {
    auto* painted = static_cast<PaintSurface*>(surface);
    const PAINTSTRUCT paint = painted->Paint();
    delete painted;
    ::EndPaint(HwndOf(window), &paint);
}

LResult DialogBoxParamA(Instance* instance, int templateId, Window* owner, DialogProcedure procedure,
                        LParam parameter) {
    DialogStart start{procedure, parameter};
    return ::DialogBoxParamA(ProgramModule(instance), MAKEINTRESOURCEA(templateId), HwndOf(owner), DialogTrampoline,
                             reinterpret_cast<LPARAM>(&start));
}

void EndDialog(Dialog* dialog, LResult result) { ::EndDialog(HwndOf(dialog), result); }

Control* GetDlgItem(Dialog* dialog, int controlId) { return ControlOf(::GetDlgItem(HwndOf(dialog), controlId)); }

void SetWindowTextA(Control* control, const char* text) { ::SetWindowTextA(HwndOf(control), text); }

void SetFocus(Control* control) { ::SetFocus(HwndOf(control)); }

Pen CreatePen(int width, Color color) {
    return Pen{reinterpret_cast<std::uintptr_t>(::CreatePen(PS_SOLID, width, color))};
}

// Every field the description does not name stays zero: default precision,
// quality, pitch and family, character set 0.
Font CreateFontIndirectA(const FontDescription& description) {
    LOGFONTA font{};
    font.lfHeight = description.height;
    font.lfWeight = description.weight;
    const char* face = description.faceName != nullptr ? description.faceName : "";
    const std::size_t length = std::min(std::strlen(face), static_cast<std::size_t>(LF_FACESIZE - 1));
    std::memcpy(font.lfFaceName, face, length);
    return Font{reinterpret_cast<std::uintptr_t>(::CreateFontIndirectA(&font))};
}

void DeleteObject(Pen pen) { ::DeleteObject(HpenOf(pen)); }

void DeleteObject(Font font) { ::DeleteObject(HfontOf(font)); }

namespace win32 {

void FailNextTimerCreations(int count) { System().failingTimers = count; }

} // namespace win32

} // namespace qv

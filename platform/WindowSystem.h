// The window, message, timer and dialog services the application takes from
// its platform. Each platform layer (platform/qt/, platform/win32/) defines
// these functions; the application code reaches the platform only here.
#pragma once

#include "platform/DrawingSurface.h"

#include <cstdint>

namespace qv {

struct Window;   // a window of the platform's
struct Instance; // the program module, where its resources live
struct Dialog;   // a modal dialog box
struct Control;  // a control of a dialog box

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;
using WindowProcedure = LResult (*)(Window* window, unsigned message, WParam wParam, LParam lParam);
using DialogProcedure = LResult (*)(Dialog* dialog, unsigned message, WParam wParam, LParam lParam);

// Message and key numbers as the platform numbers them.
namespace Msg {
inline constexpr unsigned Create = 0x0001;
inline constexpr unsigned Destroy = 0x0002;
inline constexpr unsigned Size = 0x0005;
inline constexpr unsigned Paint = 0x000F;
inline constexpr unsigned Close = 0x0010;
inline constexpr unsigned KeyDown = 0x0100;
inline constexpr unsigned Command = 0x0111;
inline constexpr unsigned Timer = 0x0113;
inline constexpr unsigned InitDialog = 0x0110;
} // namespace Msg

namespace Vk {
inline constexpr unsigned Return = 0x0D;
inline constexpr unsigned Escape = 0x1B;
inline constexpr unsigned Left = 0x25;
inline constexpr unsigned Up = 0x26;
inline constexpr unsigned Right = 0x27;
inline constexpr unsigned Down = 0x28;
inline constexpr unsigned F1 = 0x70;
inline constexpr unsigned F2 = 0x71;
inline constexpr unsigned F3 = 0x72;
inline constexpr unsigned F4 = 0x73;
inline constexpr unsigned F5 = 0x74;
} // namespace Vk

inline constexpr unsigned kClassRedrawOnResize = 0x0003;  // CS_HREDRAW | CS_VREDRAW
inline constexpr int kShowDefault = 10;                   // SW_SHOWDEFAULT
inline constexpr unsigned kRetryCancelExclamation = 0x35; // MB_ICONEXCLAMATION | MB_RETRYCANCEL
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdRetry = 4;

enum class StockIcon { Application };
enum class StockCursor { Arrow };
enum class StockBrush { White };

struct WindowClass {
    unsigned style = 0;
    WindowProcedure procedure = nullptr;
    StockIcon icon = StockIcon::Application;
    StockCursor cursor = StockCursor::Arrow;
    StockBrush background = StockBrush::White;
    const char* className = nullptr;
};

struct Message {
    Window* window = nullptr;
    unsigned message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
};

constexpr int LoWord(LParam value) { return static_cast<int>(static_cast<std::uint32_t>(value) & 0xFFFFU); }
constexpr int HiWord(LParam value) { return static_cast<int>((static_cast<std::uint32_t>(value) >> 16) & 0xFFFFU); }

struct FontDescription {
    int height = 0;
    int weight = 0;
    const char* faceName = "";
};

bool RegisterClassExA(const WindowClass& windowClass);
// Delivers Create before it returns; Size follows no later than the first show.
Window* CreateWindowExA(const char* className, const char* caption, int x, int y, int width, int height,
                        Instance* instance);
void ShowWindow(Window* window, int showState);
void UpdateWindow(Window* window);
LResult DefWindowProcA(Window* window, unsigned message, WParam wParam, LParam lParam);

bool GetMessageA(Message& message);
void TranslateMessage(const Message& message);
void DispatchMessageA(const Message& message);
void PostQuitMessage(int exitCode);

bool SetTimer(Window* window, unsigned id, unsigned milliseconds);
void KillTimer(Window* window, unsigned id);
int MessageBoxA(Window* owner, const char* text, const char* caption, unsigned style);

void InvalidateRect(Window* window, bool erase); // the whole client area
DrawingSurface* GetDC(Window* window);
void ReleaseDC(Window* window, DrawingSurface* surface);
DrawingSurface* BeginPaint(Window* window);
void EndPaint(Window* window, DrawingSurface* surface);

// Runs the dialog of the program's template `templateId` modally, owned by
// `owner`, until the procedure calls EndDialog; returns that result.
LResult DialogBoxParamA(Instance* instance, int templateId, Window* owner, DialogProcedure procedure, LParam parameter);
void EndDialog(Dialog* dialog, LResult result);
Control* GetDlgItem(Dialog* dialog, int controlId);
void SetWindowTextA(Control* control, const char* text);
void SetFocus(Control* control);

Pen CreatePen(int width, Color color);
Font CreateFontIndirectA(const FontDescription& description);
void DeleteObject(Pen pen);
void DeleteObject(Font font);

} // namespace qv

// The window system's opaque types are the platform's own handles: a Window,
// Dialog or Control is an HWND, an Instance an HINSTANCE, and a Pen or Font
// handle the HPEN or HFONT itself.
#pragma once

#include "platform/WindowSystem.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace qv::win32 {

inline HWND HwndOf(Window* window) { return reinterpret_cast<HWND>(window); }
inline HWND HwndOf(Dialog* dialog) { return reinterpret_cast<HWND>(dialog); }
inline HWND HwndOf(Control* control) { return reinterpret_cast<HWND>(control); }
inline Window* WindowOf(HWND window) { return reinterpret_cast<Window*>(window); }
inline Dialog* DialogOf(HWND dialog) { return reinterpret_cast<Dialog*>(dialog); }
inline Control* ControlOf(HWND control) { return reinterpret_cast<Control*>(control); }

inline HINSTANCE InstanceOf(Instance* instance) { return reinterpret_cast<HINSTANCE>(instance); }
inline Instance* InstanceOf(HINSTANCE instance) { return reinterpret_cast<Instance*>(instance); }

inline HPEN HpenOf(Pen pen) { return reinterpret_cast<HPEN>(pen.handle); }
inline HFONT HfontOf(Font font) { return reinterpret_cast<HFONT>(font.handle); }

} // namespace qv::win32

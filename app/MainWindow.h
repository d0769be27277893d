// The program's entry, its one window and the window's keyboard commands.
#pragma once

#include "platform/WindowSystem.h"

namespace qv {

inline constexpr unsigned ID_CLOCK = 1;

// The module WinMain was started with; the dialog template is among its resources.
extern Instance* programInstance;

int WinMain(Instance* instance, int showState);
LResult MainWndProc(Window* window, unsigned message, WParam wParam, LParam lParam);

void PaintScreen(Window* window);
void OnKeyDown(Window* window, unsigned virtualKey);
void DrawActiveDetectors(DrawingSurface& surface);

// The static screen without acquiring a surface: the repaint's drawing, for
// the repaint itself and for anything that renders the screen elsewhere.
void DrawStaticScreen(DrawingSurface& surface);

} // namespace qv

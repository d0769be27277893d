// The supporting-text dialog of F4: its text and its dialog procedure.
#pragma once

#include "platform/WindowSystem.h"

namespace qv {

// 20 lines joined by CR LF, 7-bit ASCII.
extern const char kSupportText[];

LResult SupportTextDlgProc(Dialog* dialog, unsigned message, WParam wParam, LParam lParam);

} // namespace qv

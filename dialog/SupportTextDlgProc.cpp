#include "dialog/SupportTextDialog.h"
#include "resources/resource.h"

namespace qv {

namespace {

void OnInitDialog(Dialog* dialog) {
    SetWindowTextA(GetDlgItem(dialog, IDC_SUPPORT_TEXT), kSupportText);
    SetFocus(GetDlgItem(dialog, IDOK));
}

} // namespace

// Only OK ends the dialog. Escape and the close box arrive as the cancel
// command, which is ignored on purpose, so the text stays up until it is
// acknowledged. Returning 0 from InitDialog keeps the focus on OK.
LResult SupportTextDlgProc(Dialog* dialog, unsigned message, WParam wParam, LParam) {
    switch (message) {
    case Msg::InitDialog:
        OnInitDialog(dialog);
        break;
    case Msg::Command:
        if (LoWord(static_cast<LParam>(wParam)) == IDOK) {
            EndDialog(dialog, IDOK);
        }
        break;
    default:
        break;
    }
    return 0;
}

} // namespace qv

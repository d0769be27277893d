// The program's dialog templates as data, for a platform layer that has no
// resource compiler. They are read from resource.h, as quorvane.rc is, so the
// two cannot drift apart.
#pragma once

#include "resources/resource.h"

#include <array>
#include <cstdint>

namespace qv {

enum class DialogItemKind { Button, Edit };

struct DialogItemTemplate {
    int id;
    DialogItemKind kind;
    const char* text;
    int x, y, width, height;
    std::uint32_t style;
};

struct DialogTemplate {
    int id;
    std::uint32_t style;
    int x, y, width, height;
    const char* caption;
    int pointSize;
    const char* faceName;
    std::array<DialogItemTemplate, 2> items;
};

// Style bits the dialogs' controls use.
inline constexpr std::uint32_t kStyleDefPushButton = 0x00000001; // BS_DEFPUSHBUTTON
inline constexpr std::uint32_t kStyleReadOnly = 0x00000800;      // ES_READONLY
inline constexpr std::uint32_t kStyleVScroll = 0x00200000;       // WS_VSCROLL
inline constexpr std::uint32_t kStyleBorder = 0x00800000;        // WS_BORDER

inline constexpr DialogTemplate kSupportTextTemplate{
    IDD_SUPPORT_TEXT,
    SUPPORT_DIALOG_STYLE,
    SUPPORT_DIALOG_X,
    SUPPORT_DIALOG_Y,
    SUPPORT_DIALOG_WIDTH,
    SUPPORT_DIALOG_HEIGHT,
    SUPPORT_DIALOG_CAPTION,
    SUPPORT_DIALOG_FONT_SIZE,
    SUPPORT_DIALOG_FONT_FACE,
    {{{IDOK, DialogItemKind::Button, SUPPORT_OK_TEXT, SUPPORT_OK_X, SUPPORT_OK_Y, SUPPORT_OK_WIDTH, SUPPORT_OK_HEIGHT,
       SUPPORT_OK_STYLE},
      {IDC_SUPPORT_TEXT, DialogItemKind::Edit, "", SUPPORT_EDIT_X, SUPPORT_EDIT_Y, SUPPORT_EDIT_WIDTH,
       SUPPORT_EDIT_HEIGHT, SUPPORT_EDIT_STYLE}}},
};

inline const DialogTemplate* FindDialogTemplate(int id) {
    return id == kSupportTextTemplate.id ? &kSupportTextTemplate : nullptr;
}

} // namespace qv

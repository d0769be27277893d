// Modal dialogs on Qt 6 Widgets, built from the program's dialog templates.
//
// Dialog units become pixels through the dialog font's base units, as the
// real platform converts them. Push buttons and Escape reach the dialog
// procedure as command messages; the dialog closes only when the procedure
// ends it, so Escape and the close box do no more than send the cancel command.
#pragma once

#include "platform/WindowSystem.h"
#include "resources/DialogTemplates.h"

#include <QDialog>

#include <vector>

namespace qv {

struct Control {
    int id;
    QWidget* widget;
};

struct Dialog final : public QDialog {
public:
    Dialog(const DialogTemplate& dialogTemplate, DialogProcedure procedure, QWidget* owner);

    LResult Run(LParam parameter);
    void End(LResult result);
    Control* Item(int id);

    void reject() override; // Escape and the close box

private:
    void AddItem(const DialogItemTemplate& item, QSize baseUnits);
    LResult Send(unsigned message, WParam wParam, LParam lParam);

    DialogProcedure procedure_;
    std::vector<Control> controls_;
    LResult result_ = 0;
    bool ended_ = false;
};

// Pixels per 4 horizontal and per 8 vertical dialog units.
QSize DialogBaseUnits(const QFont& font);

} // namespace qv

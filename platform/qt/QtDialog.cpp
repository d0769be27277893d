#include "platform/qt/QtDialog.h"

#include "platform/qt/QtWindow.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>

namespace qv {

namespace {

QRect ToPixels(int x, int y, int width, int height, QSize baseUnits) {
    const int unitX = baseUnits.width();
    const int unitY = baseUnits.height();
    return QRect(x * unitX / 4, y * unitY / 8, width * unitX / 4, height * unitY / 8);
}

QFont DialogFont(const DialogTemplate& dialogTemplate) {
    QFont font(QString::fromLatin1(dialogTemplate.faceName));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(dialogTemplate.pointSize);
    return font;
}

QWidget* MakeButton(const DialogItemTemplate& item, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(item.text), parent);
    button->setDefault((item.style & kStyleDefPushButton) != 0);
    return button;
}

// The edit control is multi-line and wraps at its width, as an edit without
// automatic horizontal scrolling does.
QWidget* MakeEdit(const DialogItemTemplate& item, QWidget* parent) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setPlainText(QString::fromLatin1(item.text));
    if ((item.style & kStyleReadOnly) != 0) {
        edit->setReadOnly(true);
        edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    edit->setVerticalScrollBarPolicy((item.style & kStyleVScroll) != 0 ? Qt::ScrollBarAlwaysOn
                                                                       : Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setFrameStyle((item.style & kStyleBorder) != 0 ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    return edit;
}

} // namespace

QSize DialogBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    return QSize(metrics.averageCharWidth(), metrics.height());
}

// The position is the frame's, relative to the owner's client area; the size
// is the client area's.
Dialog::Dialog(const DialogTemplate& dialogTemplate, DialogProcedure procedure, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      procedure_(procedure) {
    setWindowTitle(QString::fromLatin1(dialogTemplate.caption));
    setFont(DialogFont(dialogTemplate));
    const QSize baseUnits = DialogBaseUnits(font());
    const QRect frame =
        ToPixels(dialogTemplate.x, dialogTemplate.y, dialogTemplate.width, dialogTemplate.height, baseUnits);
    const QPoint origin = owner != nullptr ? owner->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
    move(origin + frame.topLeft());
    setFixedSize(frame.size());
    for (const DialogItemTemplate& item : dialogTemplate.items) {
        AddItem(item, baseUnits);
    }
}

void Dialog::AddItem(const DialogItemTemplate& item, QSize baseUnits) {
    QWidget* widget = item.kind == DialogItemKind::Button ? MakeButton(item, this) : MakeEdit(item, this);
    widget->setGeometry(ToPixels(item.x, item.y, item.width, item.height, baseUnits));
    controls_.push_back(Control{item.id, widget});
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        const int id = item.id;
        connect(button, &QPushButton::clicked, this, [this, id] { Send(Msg::Command, static_cast<WParam>(id), 0); });
    }
}

LResult Dialog::Send(unsigned message, WParam wParam, LParam lParam) {
    return procedure_(this, message, wParam, lParam);
}

// A procedure may end the dialog while it initialises it; then it is never shown.
LResult Dialog::Run(LParam parameter) {
    Send(Msg::InitDialog, 0, parameter);
    if (!ended_) {
        exec();
    }
    return result_;
}

void Dialog::End(LResult result) {
    result_ = result;
    ended_ = true;
    done(0);
}

Control* Dialog::Item(int id) {
    for (Control& control : controls_) {
        if (control.id == id) {
            return &control;
        }
    }
    return nullptr;
}

void Dialog::reject() { Send(Msg::Command, static_cast<WParam>(kIdCancel), 0); }

LResult DialogBoxParamA(Instance*, int templateId, Window* owner, DialogProcedure procedure, LParam parameter) {
    const DialogTemplate* dialogTemplate = FindDialogTemplate(templateId);
    if (dialogTemplate == nullptr || procedure == nullptr) {
        return -1;
    }
    Dialog dialog(*dialogTemplate, procedure, owner);
    const LResult result = dialog.Run(parameter);
    // The real platform activates the owner when its dialog ends, so keys go
    // back to it; without a window manager that does so, nothing would be active.
    if (owner != nullptr) {
        owner->activateWindow();
    }
    return result;
}

void EndDialog(Dialog* dialog, LResult result) { dialog->End(result); }

Control* GetDlgItem(Dialog* dialog, int controlId) { return dialog->Item(controlId); }

// Qt's text field, like the edit control, breaks lines at CR LF, and new text
// starts at the top with the cursor at its start.
void SetWindowTextA(Control* control, const char* text) {
    if (control == nullptr) {
        return;
    }
    const QString string = QString::fromLatin1(text);
    if (auto* edit = qobject_cast<QPlainTextEdit*>(control->widget)) {
        edit->setPlainText(string);
    } else if (auto* button = qobject_cast<QPushButton*>(control->widget)) {
        button->setText(string);
    }
}

void SetFocus(Control* control) {
    if (control != nullptr) {
        control->widget->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace qv

// The supporting-text dialog on Qt, driven as a user drives it: keys and
// clicks go through the window system, so modality and focus are the real
// ones. The dialog procedure is the program's own.
#include "platform/qt/QtDialog.h"

#include "dialog/SupportTextDialog.h"
#include "resources/resource.h"
#include "tests/QtProgram.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

namespace qv {
namespace {

// What a script that left the dialog open has it ended with, so a failing
// test cannot hang the run.
constexpr LResult kLeftOpen = -2;

std::vector<std::pair<unsigned, int>> received; // message, LOWORD(wParam)

LResult RecordingProcedure(Dialog* dialog, unsigned message, WParam wParam, LParam lParam) {
    received.emplace_back(message, LoWord(static_cast<LParam>(wParam)));
    return SupportTextDlgProc(dialog, message, wParam, lParam);
}

Dialog* FindDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = dynamic_cast<Dialog*>(widget);
        if (dialog != nullptr && dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

QPushButton* OkButton(Dialog* dialog) { return qobject_cast<QPushButton*>(GetDlgItem(dialog, IDOK)->widget); }

QPlainTextEdit* TextField(Dialog* dialog) {
    return qobject_cast<QPlainTextEdit*>(GetDlgItem(dialog, IDC_SUPPORT_TEXT)->widget);
}

QString ExpectedText() { return QString::fromLatin1(kSupportText).replace(QLatin1String("\r\n"), QLatin1String("\n")); }

void Press(Dialog* dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(dialog->windowHandle(), key, modifiers);
}

void FocusTextField(Dialog* dialog) {
    QTest::mouseClick(TextField(dialog)->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
}

// Opens the dialog as F4 does and lets `script` act once it is up.
LResult RunSupportDialog(const std::function<void(Dialog*)>& script) {
    received.clear();
    QTimer::singleShot(5, [script] {
        Dialog* dialog = FindDialog();
        if (dialog == nullptr) {
            ADD_FAILURE() << "no dialog is open";
            return;
        }
        script(dialog);
        if (FindDialog() == dialog) {
            EndDialog(dialog, kLeftOpen);
        }
    });
    return DialogBoxParamA(nullptr, IDD_SUPPORT_TEXT, nullptr, RecordingProcedure, 0);
}

TEST(QtDialogTest, OpensModalWithTheTextFromItsStartAndTheFocusOnOk) {
    const LResult result = RunSupportDialog([](Dialog* dialog) {
        EXPECT_EQ(QApplication::activeModalWidget(), dialog);
        EXPECT_EQ(dialog->windowTitle(), QString("Dialog"));
        QPlainTextEdit* field = TextField(dialog);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->toPlainText(), ExpectedText());
        EXPECT_EQ(field->textCursor().position(), 0);
        EXPECT_EQ(field->verticalScrollBar()->value(), 0);
        EXPECT_GT(field->verticalScrollBar()->maximum(), 0) << "the text is longer than the field";
        EXPECT_TRUE(field->verticalScrollBar()->isVisible());
        EXPECT_NE(field->frameShape(), QFrame::NoFrame);
        EXPECT_EQ(field->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QPushButton* ok = OkButton(dialog);
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), QString("OK"));
        EXPECT_TRUE(ok->isDefault());
        EXPECT_EQ(dialog->focusWidget(), ok);
    });
    EXPECT_EQ(result, kLeftOpen);
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.front().first, Msg::InitDialog);
}

// 271 x 165 dialog units at the dialog font's base units; the field fills the
// upper part and OK sits centred below it.
TEST(QtDialogTest, LaysOutTheTemplateInDialogUnits) {
    RunSupportDialog([](Dialog* dialog) {
        const QSize base = DialogBaseUnits(dialog->font());
        ASSERT_GT(base.width(), 0);
        ASSERT_GT(base.height(), 0);
        EXPECT_EQ(dialog->size(), QSize(271 * base.width() / 4, 165 * base.height() / 8));
        const QRect field = TextField(dialog)->geometry();
        const QRect ok = OkButton(dialog)->geometry();
        EXPECT_EQ(field, QRect(15 * base.width() / 4, 17 * base.height() / 8, 241 * base.width() / 4,
                               112 * base.height() / 8));
        EXPECT_EQ(ok.size(), QSize(50 * base.width() / 4, 14 * base.height() / 8));
        EXPECT_GT(ok.top(), field.bottom());
        EXPECT_LE(std::abs(ok.center().x() - field.center().x()), base.width());
        EXPECT_TRUE(dialog->rect().contains(ok));
    });
}

// Escape and the close box deliver the cancel command, which leaves the
// dialog up; Enter and OK deliver the OK command, which ends it with 1.
TEST(QtDialogTest, OnlyOkEndsIt) {
    struct Case {
        const char* name;
        std::function<void(Dialog*)> act;
        int command;
        LResult result;
    };
    const std::vector<Case> cases = {
        {"Escape", [](Dialog* dialog) { Press(dialog, Qt::Key_Escape); }, kIdCancel, kLeftOpen},
        {"Escape in the text",
         [](Dialog* dialog) {
             FocusTextField(dialog);
             Press(dialog, Qt::Key_Escape);
         },
         kIdCancel, kLeftOpen},
        {"close box", [](Dialog* dialog) { dialog->close(); }, kIdCancel, kLeftOpen},
        {"Enter", [](Dialog* dialog) { Press(dialog, Qt::Key_Return); }, IDOK, 1},
        {"keypad Enter", [](Dialog* dialog) { Press(dialog, Qt::Key_Enter, Qt::KeypadModifier); }, IDOK, 1},
        {"Enter in the text",
         [](Dialog* dialog) {
             FocusTextField(dialog);
             Press(dialog, Qt::Key_Return);
         },
         IDOK, 1},
        {"click on OK", [](Dialog* dialog) { QTest::mouseClick(OkButton(dialog), Qt::LeftButton); }, IDOK, 1},
    };
    for (const Case& c : cases) {
        bool openAfter = false;
        const LResult result = RunSupportDialog([&](Dialog* dialog) {
            c.act(dialog);
            openAfter = FindDialog() == dialog;
        });
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(openAfter, c.result == kLeftOpen) << c.name;
        const std::vector<std::pair<unsigned, int>> expected = {{Msg::InitDialog, 0}, {Msg::Command, c.command}};
        EXPECT_EQ(received, expected) << c.name;
    }
}

// The procedure itself, called with what the platform might send: the command
// is recognised by its low word alone, and nothing but OK ends the dialog.
TEST(QtDialogTest, ProcedureEndsTheDialogOnTheOkCommandOnly) {
    struct Case {
        WParam wParam;
        unsigned message;
        bool ends;
    };
    const Case cases[] = {
        {1, Msg::Command, true},
        {0x00010001, Msg::Command, true}, // a notification code in the high word
        {2, Msg::Command, false},
        {0x00010002, Msg::Command, false},
        {IDC_SUPPORT_TEXT, Msg::Command, false},
        {0x00010000, Msg::Command, false},
        {0, Msg::Close, false},
        {1, Msg::KeyDown, false},
        {1, Msg::Timer, false},
    };
    for (const Case& c : cases) {
        LResult returned = -1;
        const LResult result =
            RunSupportDialog([&](Dialog* dialog) { returned = SupportTextDlgProc(dialog, c.message, c.wParam, 0); });
        EXPECT_EQ(returned, 0) << c.message << " " << c.wParam;
        EXPECT_EQ(result, c.ends ? 1 : kLeftOpen) << c.message << " " << c.wParam;
    }
}

TEST(QtDialogTest, TextCannotBeChangedButCanBeSelected) {
    RunSupportDialog([](Dialog* dialog) {
        QPlainTextEdit* field = TextField(dialog);
        FocusTextField(dialog);
        ASSERT_EQ(dialog->focusWidget(), field);
        for (const char c : {'t', 'y', 'p', 'e', 'd'}) {
            QTest::keyClick(dialog->windowHandle(), c);
        }
        for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Space}) {
            Press(dialog, key);
        }
        Press(dialog, Qt::Key_X, Qt::ControlModifier);
        Press(dialog, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(field->toPlainText(), ExpectedText());

        Press(dialog, Qt::Key_Home, Qt::ControlModifier);
        Press(dialog, Qt::Key_End, Qt::ShiftModifier);
        const QString selected = field->textCursor().selectedText();
        EXPECT_GT(selected.size(), 20) << "keyboard selection";
        EXPECT_TRUE(ExpectedText().startsWith(selected)) << selected.toStdString();

        Press(dialog, Qt::Key_Home, Qt::ControlModifier);
        ASSERT_FALSE(field->textCursor().hasSelection());

        QTest::mousePress(field->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseMove(field->viewport(), QPoint(120, 40));
        QTest::mouseRelease(field->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(120, 40));
        EXPECT_TRUE(field->textCursor().hasSelection()) << "mouse selection";
        EXPECT_EQ(field->toPlainText(), ExpectedText());
    });
}

// Each F4 makes a new dialog, so where the last one was scrolled to and
// where its cursor stood is gone.
TEST(QtDialogTest, OpensAgainAtTheStartOfTheText) {
    const LResult first = RunSupportDialog([](Dialog* dialog) {
        QPlainTextEdit* field = TextField(dialog);
        FocusTextField(dialog);
        Press(dialog, Qt::Key_End, Qt::ControlModifier);
        EXPECT_GT(field->textCursor().position(), 3000);
        EXPECT_GT(field->verticalScrollBar()->value(), 0);
        QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
    });
    EXPECT_EQ(first, 1);
    RunSupportDialog([](Dialog* dialog) {
        QPlainTextEdit* field = TextField(dialog);
        EXPECT_EQ(field->verticalScrollBar()->value(), 0);
        EXPECT_EQ(field->textCursor().position(), 0);
        EXPECT_FALSE(field->textCursor().hasSelection());
        EXPECT_EQ(dialog->focusWidget(), OkButton(dialog));
    });
}

TEST(QtDialogTest, UnknownTemplateShowsNothing) {
    received.clear();
    EXPECT_EQ(DialogBoxParamA(nullptr, IDD_SUPPORT_TEXT + 1, nullptr, RecordingProcedure, 0), -1);
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(FindDialog(), nullptr);
}

int CountRed(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            count += qRed(pixel) > 200 && qGreen(pixel) < 90 && qBlue(pixel) < 90 ? 1 : 0;
        }
    }
    return count;
}

// F4 in the running program: the dialog is modal over the main window, which
// still repaints but takes no keys while it is up; after OK the window's
// picture is as it was and its keys work again.
TEST(QtProgramDialogTest, F4ShowsTheTextAndTheWindowCarriesOn) {
    test::RunProgram([] {
        Window* window = test::FindMainWindow();
        ASSERT_NE(window, nullptr);
        test::Settle();
        const QImage before = window->Image().copy();
        const int redBefore = CountRed(before);
        const double pulseWidth = detectorState.pulseWidth;
        bool sawDialog = false;
        QTimer::singleShot(5, [&] {
            Dialog* dialog = FindDialog();
            ASSERT_NE(dialog, nullptr);
            sawDialog = true;
            EXPECT_EQ(QApplication::activeModalWidget(), dialog);
            EXPECT_EQ(dialog->parentWidget(), window);
            EXPECT_EQ(TextField(dialog)->toPlainText(), ExpectedText());
            EXPECT_EQ(dialog->pos() - window->mapToGlobal(QPoint(0, 0)),
                      QPoint(80 * DialogBaseUnits(dialog->font()).width() / 4,
                             60 * DialogBaseUnits(dialog->font()).height() / 8));

            QTest::keyClick(window->windowHandle(), Qt::Key_F1);
            EXPECT_EQ(detectorState.peakOn, 0) << "keys do not reach the owner";

            detectorState.pulseWidth = pulseWidth + 10;
            InvalidateRect(window, true);
            EXPECT_TRUE(test::WaitFor([&] { return detectorState.pulseWidth == pulseWidth; }))
                << "the owner repaints while the dialog is up";

            QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
            if (FindDialog() == dialog) {
                EndDialog(dialog, kLeftOpen);
            }
        });
        QTest::keyClick(window->windowHandle(), Qt::Key_F4);
        EXPECT_TRUE(sawDialog);
        EXPECT_EQ(FindDialog(), nullptr);
        test::Settle();
        EXPECT_EQ(QApplication::activeWindow(), window) << "the owner is active again";
        EXPECT_EQ(window->Image(), before) << "the dialog leaves the window's pixels alone";

        QTest::keyClick(window->windowHandle(), Qt::Key_F1);
        EXPECT_EQ(detectorState.peakOn, 1);
        EXPECT_GT(CountRed(window->Image()), redBefore + 100) << "the peak trace is drawn";
    });
}

} // namespace
} // namespace qv

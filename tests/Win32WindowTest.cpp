// The program on the real USER32 (under Wine, on its null display driver in
// the cross build): the class and window it makes, its drawing kit, its
// timer and the timer's failure path, key messages through the real message
// loop, closing, and the dialog services.
#include "app/MainWindow.h"
#include "model/DetectorState.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace qv {
namespace {

using win32::HfontOf;
using win32::HpenOf;

constexpr int kGiveUpTicks = 500; // 10 s of 20 ms ticks

HWND MainWindow() {
    const HWND window = ::FindWindowA("Quorvane", "Quorvane");
    return window != nullptr && ::IsWindowVisible(window) ? window : nullptr;
}

HWND MessageBoxWindow() { return ::FindWindowA("#32770", "Quorvane"); }

std::string TextOf(HWND window) {
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof(text));
    return text;
}

// Runs the whole program, WinMain and its message loop, with a script called
// on every tick of a thread timer, which the program's own loops (and the
// message box's) dispatch. A script that never finishes is cut short: the
// program is closed, so a failure cannot hang the run.
struct ProgramRun {
    std::function<void()> script;
    int ticks = 0;
    bool gaveUp = false;
};

ProgramRun* currentRun = nullptr;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ProgramRun& run = *currentRun;
    if (++run.ticks < kGiveUpTicks) {
        run.script();
        return;
    }
    run.gaveUp = true;
    if (const HWND box = MessageBoxWindow()) {
        ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    }
    if (const HWND window = ::FindWindowA("Quorvane", "Quorvane")) {
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    }
}

int RunProgram(ProgramRun& run) {
    detectorState = DetectorState{};
    currentRun = &run;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, Tick);
    const HINSTANCE module = ::GetModuleHandleA(nullptr);
    const int exitCode = WinMain(win32::InstanceOf(module), SW_SHOWNORMAL);
    ::KillTimer(nullptr, timer);
    ::UnregisterClassA("Quorvane", module);
    currentRun = nullptr;
    return exitCode;
}

void Close(HWND window) { ::PostMessageA(window, WM_CLOSE, 0, 0); }

TEST(Win32WindowTest, ClassAndWindowAreTheOnesTheProgramAsksFor) {
    bool checked = false;
    HWND seen = nullptr;
    ProgramRun run;
    run.script = [&] {
        const HWND window = MainWindow();
        if (window == nullptr || checked) {
            return;
        }
        checked = true;
        seen = window;
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        ASSERT_TRUE(::GetClassInfoExA(::GetModuleHandleA(nullptr), "Quorvane", &windowClass));
        EXPECT_EQ(windowClass.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
        EXPECT_EQ(windowClass.cbClsExtra, 0);
        EXPECT_EQ(windowClass.cbWndExtra, 0);
        EXPECT_EQ(windowClass.hbrBackground, ::GetStockObject(WHITE_BRUSH));
        EXPECT_EQ(windowClass.hIcon, ::LoadIconA(nullptr, IDI_APPLICATION));
        EXPECT_EQ(windowClass.hCursor, ::LoadCursorA(nullptr, IDC_ARROW));
        EXPECT_EQ(windowClass.lpszMenuName, nullptr);

        EXPECT_EQ(TextOf(window), "Quorvane");
        const auto style = static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE));
        EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
        EXPECT_EQ(::GetMenu(window), nullptr);
        EXPECT_EQ(::GetParent(window), nullptr);
        RECT outer{};
        ::GetWindowRect(window, &outer);
        EXPECT_EQ(outer.left, 0);
        EXPECT_EQ(outer.top, 0);
        EXPECT_EQ(outer.right - outer.left, 1000);
        EXPECT_EQ(outer.bottom - outer.top, 700);
        RECT client{};
        ::GetClientRect(window, &client);
        EXPECT_EQ(detectorState.clientWidth, client.right) << "the size notification";
        EXPECT_EQ(detectorState.clientHeight, client.bottom);
        EXPECT_EQ(detectorState.pulsePeriod, client.right * 0.05) << "the first repaint has run";
        Close(window);
    };
    EXPECT_EQ(RunProgram(run), 0);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(run.gaveUp);
    EXPECT_FALSE(::IsWindow(seen)) << "closing destroys the window";
}

// Five pens and two fonts from one description, alive while the window is.
TEST(Win32WindowTest, DrawingKitIsMadeAtCreationAndDeletedAtDestruction) {
    DrawingKit kit;
    ProgramRun run;
    run.script = [&] {
        if (const HWND window = MainWindow()) {
            kit = drawingKit;
            Close(window);
        }
    };
    EXPECT_EQ(RunProgram(run), 0);

    struct PenCase {
        Pen pen;
        COLORREF color;
    };
    const PenCase pens[] = {{kit.envelopePen, RGB(0, 0, 0)},
                            {kit.peakPen, RGB(255, 0, 0)},
                            {kit.quasiPeakPen, RGB(0, 0, 255)},
                            {kit.averagePen, RGB(255, 0, 255)},
                            {kit.meteredPen, RGB(0, 100, 0)}};
    for (const PenCase& c : pens) {
        EXPECT_NE(c.pen.handle, 0U);
        EXPECT_EQ(::GetObjectType(HpenOf(c.pen)), 0U) << "deleted at destruction";
    }
    for (Font font : {kit.titleFont, kit.labelFont}) {
        EXPECT_NE(font.handle, 0U);
        EXPECT_EQ(::GetObjectType(HfontOf(font)), 0U) << "deleted at destruction";
    }

    // The same objects again, looked at while they live.
    std::vector<LOGPEN> livePens;
    std::vector<LOGFONTA> liveFonts;
    ProgramRun look;
    look.script = [&] {
        const HWND window = MainWindow();
        if (window == nullptr) {
            return;
        }
        for (Pen pen : {drawingKit.envelopePen, drawingKit.peakPen, drawingKit.quasiPeakPen, drawingKit.averagePen,
                        drawingKit.meteredPen}) {
            LOGPEN description{};
            EXPECT_EQ(::GetObjectType(HpenOf(pen)), static_cast<DWORD>(OBJ_PEN));
            ::GetObjectA(HpenOf(pen), sizeof(description), &description);
            livePens.push_back(description);
        }
        for (Font font : {drawingKit.titleFont, drawingKit.labelFont}) {
            LOGFONTA description{};
            ::GetObjectA(HfontOf(font), sizeof(description), &description);
            liveFonts.push_back(description);
        }
        Close(window);
    };
    EXPECT_EQ(RunProgram(look), 0);
    ASSERT_EQ(livePens.size(), 5U);
    for (std::size_t i = 0; i < livePens.size(); ++i) {
        EXPECT_EQ(livePens[i].lopnStyle, static_cast<UINT>(PS_SOLID)) << i;
        EXPECT_EQ(livePens[i].lopnWidth.x, 2) << i;
        EXPECT_EQ(livePens[i].lopnColor, pens[i].color) << i;
    }
    ASSERT_EQ(liveFonts.size(), 2U);
    const LONG heights[] = {50, 30};
    for (std::size_t i = 0; i < liveFonts.size(); ++i) {
        LOGFONTA expected{};
        expected.lfHeight = heights[i];
        expected.lfWeight = FW_BOLD;
        std::string("Arial").copy(expected.lfFaceName, LF_FACESIZE - 1);
        EXPECT_EQ(std::memcmp(&liveFonts[i], &expected, sizeof(expected)), 0)
            << "font " << i << ": " << liveFonts[i].lfHeight << ", " << liveFonts[i].lfWeight << ", "
            << liveFonts[i].lfFaceName;
    }
}

// The ticks are watched as the program's loop takes them from the queue; the
// window procedure hands them to default processing.
HWND tickWindow = nullptr;
bool sawTick = false;

LRESULT CALLBACK WatchMessages(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && message->message == WM_TIMER && message->hwnd == tickWindow &&
        message->wParam == ID_CLOCK) {
        sawTick = true;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(Win32WindowTest, TimerOneTicksOnTheWindow) {
    sawTick = false;
    const HHOOK hook = ::SetWindowsHookExA(WH_GETMESSAGE, WatchMessages, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    ProgramRun run;
    run.script = [&] {
        tickWindow = MainWindow();
        if (tickWindow != nullptr && sawTick) {
            Close(tickWindow);
        }
    };
    EXPECT_EQ(RunProgram(run), 0);
    ::UnhookWindowsHookEx(hook);
    EXPECT_TRUE(sawTick);
    EXPECT_FALSE(run.gaveUp);
}

// Key messages go through the program's own loop and window procedure.
TEST(Win32WindowTest, KeyMessagesReachTheKeyboardCommands) {
    int step = 0;
    ProgramRun run;
    run.script = [&] {
        const HWND window = MainWindow();
        if (window == nullptr) {
            return;
        }
        switch (step++) {
        case 0:
            ::PostMessageA(window, WM_KEYDOWN, VK_F1, 1);
            ::PostMessageA(window, WM_KEYDOWN, VK_F3, 1);
            ::PostMessageA(window, WM_KEYDOWN, VK_UP, 1);
            ::PostMessageA(window, WM_KEYDOWN, 'A', 1);
            break;
        case 1:
            EXPECT_EQ(detectorState.peakOn, 1);
            EXPECT_EQ(detectorState.averageOn, 1);
            EXPECT_EQ(detectorState.pulseWidth, detectorState.clientWidth * 0.01 + 1.0);
            Close(window);
            break;
        default:
            break;
        }
    };
    EXPECT_EQ(RunProgram(run), 0);
    EXPECT_EQ(step, 2);
}

// How many more GDI objects the process could make: it falls by one for
// every object the process holds. Wine's GetGuiResources is a stub that
// answers 0, so this is how the objects are counted there.
long FreeGdiSlots() {
    std::vector<HPEN> pens;
    while (pens.size() < 200000) {
        const HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
        if (pen == nullptr) {
            break;
        }
        pens.push_back(pen);
    }
    for (const HPEN pen : pens) {
        ::DeleteObject(pen);
    }
    return static_cast<long>(pens.size());
}

// A thousand key commands take and release their device contexts and select
// the kit's objects in and out; the process holds as many GDI objects after
// them as before.
TEST(Win32WindowTest, KeyCommandsLeaveTheGdiObjectCountAsItWas) {
    const UINT keys[] = {VK_F1, VK_F2, VK_F3, VK_UP, VK_RIGHT, VK_DOWN, VK_LEFT, VK_ESCAPE, 'Q', VK_F5};
    DWORD countedBefore = 0;
    DWORD countedAfter = 0;
    long freeBefore = 0;
    long freeAfter = 0;
    int step = 0;
    ProgramRun run;
    run.script = [&] {
        const HWND window = MainWindow();
        if (window == nullptr) {
            return;
        }
        switch (step++) {
        case 0:
            countedBefore = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
            freeBefore = FreeGdiSlots();
            for (int i = 0; i < 1000; ++i) {
                ::SendMessageA(window, WM_KEYDOWN, keys[i % 10], 1);
            }
            break;
        case 1:
            countedAfter = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
            freeAfter = FreeGdiSlots();
            Close(window);
            break;
        default:
            break;
        }
    };
    EXPECT_EQ(RunProgram(run), 0);
    const long freeWithoutProgram = FreeGdiSlots();
    std::printf("GDI objects: %lu counted, %ld slots free before 1000 key commands; %lu counted, %ld free after; "
                "%ld free once the window is gone\n",
                static_cast<unsigned long>(countedBefore), freeBefore, static_cast<unsigned long>(countedAfter),
                freeAfter, freeWithoutProgram);
    EXPECT_EQ(countedAfter, countedBefore);
    EXPECT_EQ(freeAfter, freeBefore);
    EXPECT_GE(freeWithoutProgram - freeBefore, 5) << "the count sees the drawing kit go";
}

// The system refuses the timer: the user is asked, with the main window not
// yet shown, and either gives up or retries until the timer is had.
TEST(Win32WindowTest, RefusedTimerAsksRetryOrCancel) {
    struct Case {
        int failures;
        std::vector<int> answers;
        bool windowShown;
    };
    const Case cases[] = {
        {1, {IDCANCEL}, false},
        {2, {IDRETRY, IDCANCEL}, false},
        {2, {IDRETRY, IDRETRY}, true},
    };
    for (const Case& c : cases) {
        win32::FailNextTimerCreations(c.failures);
        std::size_t asked = 0;
        bool shown = false;
        HWND lastBox = nullptr;
        ProgramRun run;
        run.script = [&] {
            const HWND box = MessageBoxWindow();
            if (box != nullptr && box != lastBox && asked < c.answers.size()) {
                lastBox = box;
                const HWND owner = ::GetWindow(box, GW_OWNER);
                EXPECT_EQ(owner, ::FindWindowA("Quorvane", "Quorvane"));
                EXPECT_FALSE(::IsWindowVisible(owner)) << "the window is shown only once the timer is had";
                EXPECT_NE(::GetDlgItem(box, IDRETRY), nullptr);
                EXPECT_NE(::GetDlgItem(box, IDCANCEL), nullptr);
                EXPECT_EQ(::GetDlgItem(box, IDOK), nullptr);
                EXPECT_EQ(TextOf(::GetDlgItem(box, 0xFFFF)), "Too many clocks or timers!");
                const int answer = c.answers[asked++];
                ::SendMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                               reinterpret_cast<LPARAM>(::GetDlgItem(box, answer)));
                return;
            }
            if (const HWND window = MainWindow()) {
                shown = true;
                Close(window);
            }
        };
        EXPECT_EQ(RunProgram(run), 0) << c.failures;
        EXPECT_EQ(asked, c.answers.size()) << c.failures;
        EXPECT_EQ(shown, c.windowShown) << c.failures;
        EXPECT_FALSE(run.gaveUp) << c.failures;
        win32::FailNextTimerCreations(0);
    }
}

struct DialogVisit {
    HWND owner = nullptr;
    LParam parameter = 0;
    bool ownerDisabled = false;
    std::string text;
    bool okFocused = false;
};

DialogVisit visit;

LResult TestDialogProcedure(Dialog* dialog, unsigned message, WParam wParam, LParam lParam) {
    const HWND hwnd = win32::HwndOf(dialog);
    if (message == WM_INITDIALOG) {
        visit.parameter = lParam;
        visit.ownerDisabled = !::IsWindowEnabled(visit.owner);
        SetWindowTextA(GetDlgItem(dialog, 1000), "supporting text");
        SetFocus(GetDlgItem(dialog, IDOK));
        ::PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
        return 0;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        visit.text = TextOf(::GetDlgItem(hwnd, 1000));
        visit.okFocused = ::GetFocus() == ::GetDlgItem(hwnd, IDOK);
        EndDialog(dialog, 42);
    }
    return 0;
}

TEST(Win32DialogTest, DialogFromTheProgramsResourcesRunsItsProcedureUntilEndDialog) {
    visit = DialogVisit{};
    visit.owner = ::CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(visit.owner, nullptr);
    const LResult result = DialogBoxParamA(win32::InstanceOf(::GetModuleHandleA(nullptr)), 201,
                                           win32::WindowOf(visit.owner), TestDialogProcedure, 77);
    EXPECT_EQ(result, 42);
    EXPECT_EQ(visit.parameter, 77);
    EXPECT_TRUE(visit.ownerDisabled);
    EXPECT_TRUE(::IsWindowEnabled(visit.owner)) << "enabled again when the dialog ends";
    EXPECT_EQ(visit.text, "supporting text");
    EXPECT_TRUE(visit.okFocused);
    ::DestroyWindow(visit.owner);
}

} // namespace
} // namespace qv

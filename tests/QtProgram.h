// Runs the whole program, WinMain and its message loop, with a script that
// acts as the user once the loop is running. The script may leave the window
// open; it is closed afterwards, so a failed assertion cannot hang the run.
#pragma once

#include "app/MainWindow.h"
#include "model/DetectorState.h"
#include "platform/qt/QtWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>

namespace qv::test {

inline Window* FindMainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = dynamic_cast<Window*>(widget);
        if (window != nullptr && !window->Destroyed()) {
            return window;
        }
    }
    return nullptr;
}

// Lets Qt deliver what is pending, posted paints included.
inline void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
}

inline bool WaitFor(const std::function<bool()>& condition, int milliseconds = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// The script starts from a timer, not a posted event: Qt does not deliver
// events posted earlier to loops nested inside a posted event's handler.
inline int RunProgram(const std::function<void()>& script) {
    detectorState = DetectorState{};
    QTimer::singleShot(5, [script] {
        script();
        if (Window* window = FindMainWindow()) {
            window->close();
        }
    });
    return WinMain(nullptr, kShowDefault);
}

} // namespace qv::test

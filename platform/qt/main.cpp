// The Qt program's entry: the toolkit first, then the display's own entry
// with the show state a Qt program starts with. An interrupt or termination
// signal (Ctrl+C in the terminal that started it, a session logging out)
// closes the window the way its close box does, so the program still ends
// through its own destruction handler with exit code 0.
#include "app/MainWindow.h"
#include "platform/qt/QtWindow.h"

#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
}

void CloseWindowsOnSignals(QApplication& application) {
    if (pipe(signalPipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = read(signalPipe[0], &byte, 1);
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = dynamic_cast<qv::Window*>(widget); window != nullptr && !window->Destroyed()) {
                window->close();
            }
        }
    });
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    CloseWindowsOnSignals(application);
    return qv::WinMain(nullptr, qv::kShowDefault);
}

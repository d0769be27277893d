// The Qt program's entry: the toolkit first, then the display's own entry
// with the show state a Qt program starts with.
#include "app/MainWindow.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    return qv::WinMain(nullptr, qv::kShowDefault);
}

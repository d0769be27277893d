// quorvane-snapshot: runs the display's own code headless, on the raster
// surface behind Qt's offscreen platform, presses the given keys and writes
// the client area as a PNG. The display itself reads no command line; this
// companion program is how teaching material gets its pictures.
//
//   quorvane-snapshot --size 1000x600 --keys F1,F2,F3,Up,Up -o detectors.png
#include "app/MainWindow.h"
#include "app/Version.h"
#include "platform/qt/QtWindow.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <map>
#include <string>

namespace {

struct Options {
    int width = 1000;
    int height = 600;
    QStringList keys;
    QString output;
};

const std::map<QString, unsigned>& KeyNames() {
    static const std::map<QString, unsigned> names = {
        {"Left", qv::Vk::Left}, {"Up", qv::Vk::Up}, {"Right", qv::Vk::Right}, {"Down", qv::Vk::Down},
        {"F1", qv::Vk::F1},     {"F2", qv::Vk::F2}, {"F3", qv::Vk::F3},       {"F5", qv::Vk::F5},
    };
    return names;
}

constexpr const char* kUsage =
    "usage: quorvane-snapshot [--size WxH] [--keys KEY,KEY,...] -o FILE.png\n"
    "       quorvane-snapshot --version\n"
    "Keys: Up, Down, Left, Right, F1, F2, F3, F5 (F4 opens a dialog and cannot be pictured).\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "quorvane-snapshot: %s\n%s", message.c_str(), kUsage);
    return 2;
}

bool ParseSize(const QString& text, Options& options) {
    const QStringList parts = text.split('x');
    bool wideOk = false;
    bool highOk = false;
    if (parts.size() == 2) {
        options.width = parts[0].toInt(&wideOk);
        options.height = parts[1].toInt(&highOk);
    }
    return wideOk && highOk && options.width > 0 && options.height > 0 && options.width <= qv::kMaxClientSide &&
           options.height <= qv::kMaxClientSide;
}

// Returns an empty string on success, else what was wrong.
std::string Parse(const QStringList& arguments, Options& options) {
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--size" && hasValue) {
            if (!ParseSize(arguments[++i], options)) {
                return "the size must be WxH, each from 1 to " + std::to_string(qv::kMaxClientSide);
            }
        } else if (argument == "--keys" && hasValue) {
            options.keys = arguments[++i].split(',', Qt::SkipEmptyParts);
            for (const QString& key : options.keys) {
                if (KeyNames().count(key.trimmed()) == 0) {
                    return "unknown key '" + key.toStdString() + "'";
                }
            }
        } else if ((argument == "-o" || argument == "--output") && hasValue) {
            options.output = arguments[++i];
        } else {
            return "unexpected argument '" + argument.toStdString() + "'";
        }
    }
    return options.output.isEmpty() ? "an output file is needed (-o FILE.png)" : "";
}

qv::LResult SnapshotProc(qv::Window* window, unsigned message, qv::WParam wParam, qv::LParam lParam) {
    return qv::MainWndProc(window, message, wParam, lParam);
}

// The program's start-up, without the message loop: the window is created,
// sized, shown and painted, then the keys go to its procedure one by one.
int Snapshot(const Options& options) {
    qv::WindowClass windowClass;
    windowClass.style = qv::kClassRedrawOnResize;
    windowClass.procedure = SnapshotProc;
    windowClass.className = "QuorvaneSnapshot";
    qv::RegisterClassExA(windowClass);
    qv::Window* window =
        qv::CreateWindowExA("QuorvaneSnapshot", "Quorvane", 0, 0, options.width, options.height, nullptr);
    qv::ShowWindow(window, qv::kShowDefault);
    window->resize(options.width, options.height);
    QCoreApplication::processEvents();
    qv::UpdateWindow(window);
    for (const QString& key : options.keys) {
        window->Send(qv::Msg::KeyDown, KeyNames().at(key.trimmed()), 1);
        QCoreApplication::processEvents();
        qv::UpdateWindow(window);
    }
    const bool saved = window->Image().save(options.output, "PNG");
    window->Destroy();
    qv::Message quit;
    qv::GetMessageA(quit);
    if (!saved) {
        std::fprintf(stderr, "quorvane-snapshot: cannot write %s\n", qPrintable(options.output));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.contains("--version")) {
        std::printf("quorvane-snapshot %s\n", QUORVANE_VERSION);
        return 0;
    }
    if (arguments.contains("--help") || arguments.contains("-h")) {
        std::printf("%s", kUsage);
        return 0;
    }
    Options options;
    const std::string error = Parse(arguments, options);
    if (!error.empty()) {
        return Fail(error);
    }
    return Snapshot(options);
}

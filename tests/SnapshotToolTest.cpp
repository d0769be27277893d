// The snapshot tool run as a teacher would run it: its picture is the
// program's own window after the same keys, and bad requests are refused.
#include "app/Version.h"
#include "tests/QtProgram.h"

#include <QDir>
#include <QKeyEvent>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qv {
namespace {

struct ToolRun {
    int exitCode = -1;
    QString output;
};

ToolRun Snapshot(const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QUORVANE_SNAPSHOT_PATH, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        return {};
    }
    return {process.exitCode(), QString::fromLocal8Bit(process.readAll())};
}

TEST(SnapshotToolTest, PictureIsTheWindowAfterTheSameKeys) {
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const QString file = directory.filePath("detectors.png");
    const ToolRun run = Snapshot({"--size", "900x560", "--keys", "F1,F2,F3,Up,Up,Right", "-o", file});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    const QImage picture(file);
    ASSERT_EQ(picture.size(), QSize(900, 560));

    test::RunProgram([&] {
        Window* window = test::FindMainWindow();
        ASSERT_NE(window, nullptr);
        test::Settle();
        window->resize(900, 560);
        test::Settle();
        for (const int key : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_Up, Qt::Key_Up, Qt::Key_Right}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(window, &press);
        }
        EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), window->Image());
    });
}

TEST(SnapshotToolTest, RefusesWhatItCannotPicture) {
    struct Case {
        QStringList arguments;
        const char* says;
    };
    const Case cases[] = {
        {{"--keys", "F1,F4", "-o", "x.png"}, "unknown key 'F4'"},
        {{"--keys", "Banana", "-o", "x.png"}, "unknown key"},
        {{"--size", "0x600", "-o", "x.png"}, "the size must be"},
        {{"--size", "100000x600", "-o", "x.png"}, "the size must be"},
        {{"--size", "wide", "-o", "x.png"}, "the size must be"},
        {{"--keys", "F1"}, "an output file is needed"},
        {{"--colour", "red", "-o", "x.png"}, "unexpected argument"},
    };
    for (const Case& c : cases) {
        const ToolRun run = Snapshot(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.output.contains(c.says)) << run.output.toStdString();
    }
    const ToolRun version = Snapshot({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.output.contains("quorvane-snapshot " QUORVANE_VERSION "\n")) << version.output.toStdString();
}

} // namespace
} // namespace qv

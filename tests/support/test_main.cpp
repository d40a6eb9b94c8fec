#include "widgets/Fonts.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Beside Qt's own first screen (800 x 800), the screens classes project onto, side by side; a
// test puts a window on one of them by moving it there (support/Screens.h).
constexpr const char* kScreens = R"({"screens": [
    {"name": "default", "x": 0, "y": 0, "width": 800, "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
    {"name": "projector", "x": 800, "y": 0, "width": 1280, "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
    {"name": "full-hd", "x": 2080, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
    {"name": "large", "x": 4000, "y": 0, "width": 3840, "height": 2160, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";

}   // namespace

// Every test runs with a real application object on Qt's offscreen platform.
int main(int argc, char** argv)
{
    QTemporaryDir runtime;
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen"));
    if (platform == QStringLiteral("offscreen")) {
        QFile screens(runtime.filePath(QStringLiteral("screens.json")));
        if (screens.open(QIODevice::WriteOnly) && screens.write(kScreens) > 0 && screens.flush())
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toUtf8());
        else
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    InstallFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Test entry point shared by every test executable: an offscreen QApplication (widgets, timers and
// sockets need one) and a private data folder, so no test touches the user's files.
#include "platform/chineselocale.h"
#include "platform/picture.h"
#include "platform/songface.h"
#include "platform/webengine_setup.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    // Every outside site points at a closed loopback port unless a test starts its own server, so no test
    // ever sends a request (or a name look-up) beyond this machine.
    qputenv("BRENNOC_SITES", "http://127.0.0.1:1");
    // The browser engine's smoke test runs offscreen, often as root in a container: no sandbox, no GPU.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    prepareWebEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("brennoc"));
    QApplication::setQuitOnLastWindowClosed(false);
    initPictureResources();
    // The program's own face and locale, so the windows are laid out and read in the tests as on the desktop.
    SongFace::useForApplication();
    ChineseLocale::useForApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

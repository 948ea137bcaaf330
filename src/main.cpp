// The program block: prepares the toolkit, creates the windows in their fixed order and runs the message loop.
#include "app/program.h"
#include "app/toolkittranslation.h"
#include "platform/chineselocale.h"
#include "platform/picture.h"
#include "platform/songface.h"
#include "platform/webengine_setup.h"

#include <QApplication>

namespace {

// Window placement and stay-on-top need the X11 platform; under Wayland ask for it through XWayland unless
// the user has chosen a platform.
void preferX11UnderWayland() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

} // namespace

int main(int argc, char** argv) {
    preferX11UnderWayland();
    prepareWebEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("brennoc"));
    loadToolkitTranslation();
    SongFace::useForApplication();
    ChineseLocale::useForApplication();
    // The program ends only by its own exit roads: the main window's close, the tray exit, the splash.
    QApplication::setQuitOnLastWindowClosed(false);
    initPictureResources();

    int result = 0;
    if (createWindows())
        result = runMessageLoop();
    destroyWindows();
    return result;
}

#include "platform/webengine_setup.h"

#include <QByteArray>
#include <QCoreApplication>

#include <unistd.h>

namespace {

constexpr char chromiumFlagsVariable[] = "QTWEBENGINE_CHROMIUM_FLAGS";
constexpr char noSandboxFlag[] = "--no-sandbox";

// Adds the no-sandbox switch to Chromium's flags, keeping whatever flags the user or a test already set.
void disableSandbox() {
    QByteArray flags = qgetenv(chromiumFlagsVariable);
    if (!flags.split(' ').contains(noSandboxFlag)) {
        if (!flags.isEmpty())
            flags += ' ';
        flags += noSandboxFlag;
        qputenv(chromiumFlagsVariable, flags);
    }
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

} // namespace

void prepareWebEngine() {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (geteuid() == 0)
        disableSandbox();
}

#include "platform/webengine_setup.h"

#include <QCoreApplication>
#include <QList>

#include <unistd.h>

namespace {

constexpr char chromiumFlagsVariable[] = "QTWEBENGINE_CHROMIUM_FLAGS";
constexpr char noSandboxFlag[] = "--no-sandbox";
// The engine's process models: one renderer for each page's site instance (its default), one per site, or one
// process for everything.
constexpr char processPerSiteFlag[] = "--process-per-site";
constexpr char processPerSiteInstanceFlag[] = "--process-per-site-instance";
constexpr char singleProcessFlag[] = "--single-process";

void addFlag(QByteArray& flags, const QByteArray& flag) {
    if (flags.split(' ').contains(flag))
        return;
    if (!flags.isEmpty())
        flags += ' ';
    flags += flag;
}

} // namespace

// The program's pages come from a handful of sites, several pages from each (the back-end's stock page and
// banner, the three big-order chart pages of one site), so pages of one site share one renderer process
// instead of taking one each.
QByteArray chromiumFlagsFor(const QByteArray& flags, bool asRoot) {
    QByteArray result = flags;
    const QList<QByteArray> given = flags.split(' ');
    const bool modelChosen = given.contains(processPerSiteFlag) || given.contains(processPerSiteInstanceFlag) ||
                             given.contains(singleProcessFlag);
    if (!modelChosen)
        addFlag(result, processPerSiteFlag);
    if (asRoot)
        addFlag(result, noSandboxFlag);
    return result;
}

void prepareWebEngine() {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    const bool asRoot = geteuid() == 0;
    qputenv(chromiumFlagsVariable, chromiumFlagsFor(qgetenv(chromiumFlagsVariable), asRoot));
    if (asRoot)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

// The reference that bench/measure holds the program against: the smallest Widgets program with one browser
// view on about:blank, set up for the browser engine as the program is (a shared GL context, and no sandbox as
// root, where the engine refuses to start with one).
#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QWebEngineView view;
    view.setWindowTitle(QStringLiteral("bench_bare_view"));
    view.resize(800, 600);
    view.load(QUrl(QStringLiteral("about:blank")));
    view.show();
    return QApplication::exec();
}

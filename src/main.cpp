#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("brennoc"));
    QWidget window;
    window.show();
    return QApplication::exec();
}

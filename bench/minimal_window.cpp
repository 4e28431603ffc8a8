// The yardstick of bench/kiss_open_time.sh: a Qt Widgets window with
// nothing in it, started and shown as the viewer is.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("MINIMAL"));
    window.resize(640, 520);
    window.show();
    return app.exec();
}

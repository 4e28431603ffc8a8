// The yardsticks of bench/kiss_open_time.sh: a Qt Widgets window with
// nothing in it, started and shown as the viewer is; with the argument
// "menu", the same window with a menu bar of one Japanese menu, which costs
// what any Japanese text costs at the start (finding and loading a font
// that has the glyphs).
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    if (argc > 1 && std::strcmp(argv[1], "menu") == 0) window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    window.setWindowTitle(QStringLiteral("MINIMAL"));
    window.resize(640, 520);
    window.show();
    return app.exec();
}

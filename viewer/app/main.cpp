// tansu-kiss ARCHIVE: unpacks a KiSS set's archive into the current folder
// and shows the doll.
#include "app/argument.h"
#include "app/viewer_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kissviewer::BoxMessages boxes;
    if (argc != 2) {
        boxes.Show(nullptr, kissviewer::Messages::Kind::Error, QStringLiteral("tansu-kiss"),
                   QStringLiteral("使い方: tansu-kiss 書庫ファイル (.lzh, .zip) または設定ファイル (.cnf)"));
        return 2;
    }
    kissviewer::ViewerWindow window(&boxes);
    if (!window.Open(kissviewer::ArgumentToOsPath(argv[1]))) return 1;
    window.show();
    return app.exec();
}

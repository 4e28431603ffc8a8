#include "app/messages.h"

#include <QMessageBox>

namespace kissviewer {

void BoxMessages::Show(QWidget* parent, Kind kind, const QString& title, const QString& text) {
    switch (kind) {
        case Kind::Error: QMessageBox::critical(parent, title, text); break;
        case Kind::Warning: QMessageBox::warning(parent, title, text); break;
        case Kind::Information: QMessageBox::information(parent, title, text); break;
    }
}

}  // namespace kissviewer

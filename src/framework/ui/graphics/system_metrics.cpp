#include "framework/ui/graphics/system_metrics.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

namespace ui {

Rect WorkArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QRect r = screen->availableGeometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

int ScrollArrowWidth() { return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent); }

}  // namespace ui

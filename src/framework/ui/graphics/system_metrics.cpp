#include "framework/ui/graphics/system_metrics.h"

#include <QApplication>
#include <QStyle>

namespace ui {

int ScrollArrowWidth() { return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent); }

}  // namespace ui

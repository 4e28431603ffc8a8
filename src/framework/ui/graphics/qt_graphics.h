// Conversions between the drawing layer's value types and Qt's.  Used
// inside the window layer only.
#pragma once

#include "framework/ui/graphics/graphics_types.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>

namespace ui {

inline QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }
inline Rect FromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

QColor ToQColor(Color c, const QPalette& palette);
QColor ToQColor(Color c);  // with the application's palette

// `base` supplies what the font leaves open (family, size).
QFont ToQFont(const Font& f, const QFont& base);
QFont ToQFont(const Font& f);  // on the application's font

// The application's font as our type (name, pixel height).
Font DefaultFont();

}  // namespace ui

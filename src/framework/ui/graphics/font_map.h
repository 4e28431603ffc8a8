// The fonts the forms name ("ＭＳ Ｐゴシック", "ＭＳ ゴシック"...) mapped to
// Japanese fonts installed here: the IPA fonts (IPAPGothic, IPAGothic...),
// which share those faces' metrics, falling back to Noto Sans CJK JP and its
// Mono and Serif kin.
#pragma once

#include <QFont>
#include <QStringList>
#include <string_view>

namespace ui {

// The installed families that stand for a face (cp932 name), best first;
// when none of them is installed, the whole candidate list.
QStringList FontFamiliesFor(std::string_view face);

// The font of a form: `height` negative is the character height in pixels;
// positive is the cell height, the same for these faces, which have no
// internal leading; 0 keeps the default size.
QFont FormFont(std::string_view face, int height);

}  // namespace ui

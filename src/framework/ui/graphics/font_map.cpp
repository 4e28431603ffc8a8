#include "framework/ui/graphics/font_map.h"

#include <QFontDatabase>
#include <cstdlib>

#include "framework/ui/graphics/qt_text.h"

namespace ui {
namespace {

enum class Look { Proportional, Fixed, Serif, ProportionalSerif };

// The IPA fonts come first: they were made with the metrics of the faces the
// forms name (13 pixels high at 12, where Noto Sans CJK JP takes 17 and its
// descenders fall out of the grids' 14-pixel rows).  Noto stands in where
// they are missing.
const QStringList& Candidates(Look look) {
    static const QStringList proportional = {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                                             QStringLiteral("IPAGothic")};
    static const QStringList fixed = {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic")};
    static const QStringList serif = {QStringLiteral("IPAMincho"), QStringLiteral("Noto Serif CJK JP"),
                                      QStringLiteral("IPAPMincho"), QStringLiteral("Noto Sans CJK JP")};
    static const QStringList pserif = {QStringLiteral("IPAPMincho"), QStringLiteral("Noto Serif CJK JP"),
                                       QStringLiteral("IPAMincho"), QStringLiteral("Noto Sans CJK JP")};
    switch (look) {
    case Look::Fixed: return fixed;
    case Look::Serif: return serif;
    case Look::ProportionalSerif: return pserif;
    default: return proportional;
    }
}

// Full-width and ASCII spellings alike: "ＭＳ Ｐゴシック", "MS PGothic".
Look LookOf(const QString& face) {
    QString f = face.normalized(QString::NormalizationForm_KC).toLower().remove(u' ');
    bool proportional = f.startsWith(u"msp") || f.startsWith(u"msui");
    bool serif = f.contains(u"明朝") || f.contains(u"mincho");
    if (serif) return proportional ? Look::ProportionalSerif : Look::Serif;
    if (f.contains(u"ゴシック") || f.contains(u"gothic")) return proportional ? Look::Proportional : Look::Fixed;
    return Look::Proportional;
}

}  // namespace

QStringList FontFamiliesFor(std::string_view face) {
    QString name = ToQt(face);
    QStringList wanted = Candidates(LookOf(name));
    const QStringList installed = QFontDatabase::families();
    if (!name.isEmpty() && installed.contains(name) && !wanted.contains(name)) wanted.prepend(name);
    QStringList present;
    for (const QString& family : wanted)
        if (installed.contains(family)) present << family;
    return present.isEmpty() ? wanted : present;
}

QFont FormFont(std::string_view face, int height) {
    QFont font;
    font.setFamilies(FontFamiliesFor(face));
    font.setStyleHint(LookOf(ToQt(face)) == Look::Fixed ? QFont::Monospace : QFont::SansSerif);
    if (height != 0) font.setPixelSize(std::abs(height));
    return font;
}

}  // namespace ui

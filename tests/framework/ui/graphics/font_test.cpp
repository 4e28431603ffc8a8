// The forms' font names map to installed Japanese fonts that really have
// the glyphs of the system's texts.
#include "framework/ui/graphics/font_map.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QTextLayout>
#include <gtest/gtest.h>

#include "framework/ui/ui_test_support.h"

#include "framework/ui/graphics/qt_text.h"

namespace ui {
namespace {

using ui::testing::MissingGlyphs;


const char* const kSamples =
    "入力値が不正です. ｴｽｹｰﾌﾟｷｰで変更を取り消せます ﾌｧｲﾙ(&F) ｿｰﾄ(&S) 標準CSVファイル ソ表～＼ "
    "本日は、TANSU の立ち上げ まことに有り難うございます。ﾌｧｲﾙ・ｻｲｽﾞ （あとで、メニューから）";

TEST(FontMap, FormFacesBecomeInstalledJapaneseFonts) {
    QFont pgothic = FormFont("ＭＳ Ｐゴシック", -12);
    EXPECT_EQ(QFontInfo(pgothic).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(QFontInfo(pgothic).pixelSize(), 12);

    QFont gothic = FormFont("ＭＳ ゴシック", -16);
    EXPECT_EQ(QFontInfo(gothic).family(), QStringLiteral("IPAGothic"));
    EXPECT_EQ(QFontInfo(gothic).pixelSize(), 16);
    QFontMetrics fixed(gothic);
    EXPECT_EQ(fixed.horizontalAdvance(QStringLiteral("iiii")), fixed.horizontalAdvance(QStringLiteral("MMMM")));

    EXPECT_EQ(QFontInfo(FormFont("ＭＳ Ｐゴシック", 15)).pixelSize(), 15);
    EXPECT_EQ(QFontInfo(FormFont("MS PGothic", -12)).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(FontFamiliesFor("ＭＳ 明朝").front(), QStringLiteral("Noto Serif CJK JP"));  // no IPA Mincho here
    EXPECT_EQ(FontFamiliesFor("知らない書体").front(), QStringLiteral("IPAPGothic"));

    // Noto stays behind the IPA fonts, for a machine without them.
    QStringList families = FontFamiliesFor("ＭＳ Ｐゴシック");
    ASSERT_GE(families.size(), 2);
    EXPECT_EQ(families[1], QStringLiteral("Noto Sans CJK JP"));
}

TEST(FontMap, TheFormFacesFitTheRowsTheFormsWereMadeFor) {
    // A 12-pixel font in a 14-pixel grid row: every line of it, underscores
    // and descenders included, lies within the row.
    for (const char* face : {"ＭＳ Ｐゴシック", "ＭＳ ゴシック"}) {
        QFontMetrics m(FormFont(face, -12));
        EXPECT_LE(m.height(), 13) << face;
        QRect underscore = m.boundingRect(QChar(u'_'));
        EXPECT_LT(underscore.bottom(), m.descent()) << face;
        EXPECT_LE(m.ascent() + underscore.bottom() + 1, 14) << face;
    }
}

TEST(FontMap, JapaneseTextRendersWithRealGlyphs) {
    QString text = ToQt(kSamples);
    for (const char* face : {"ＭＳ Ｐゴシック", "ＭＳ ゴシック"})
        for (int height : {-12, -15, -16}) EXPECT_EQ(MissingGlyphs(text, FormFont(face, height)), 0) << face;

    // The check does find a missing glyph: a private-use character no font
    // here draws.
    EXPECT_GT(MissingGlyphs(QString(QChar(0xE000)), FormFont("ＭＳ Ｐゴシック", -12)), 0);
}

}  // namespace
}  // namespace ui

// Finding a record as the user does: Ctrl+F opens the search dialog, the
// text typed there selects the next record that holds it, F3 goes on.
#include "app_test_support.h"

#include "app/find_form.h"
#include "framework/ui/modal/message_box_flags.h"
#include "framework/ui/ui_test_support.h"

#include <QTest>
#include <gtest/gtest.h>

using testsupport::TempFolder;
using testsupport::WriteBytes;

namespace {

QWidget* GridWidget(TForm1& main) { return main.ComboGrid1->Widget(); }

// Ctrl+F, the text typed over the field's old one, then `finish` (Enter
// searches, Esc cancels); `notFound`: the message that follows is answered.
void Find(StrictScript& script, TForm1& main, const QString& text, Qt::Key finish = Qt::Key_Return,
          bool notFound = false) {
    WhileActiveModal(script, [&] {
        QWidget* field = FindForm->Edit1->Widget();
        EXPECT_TRUE(field->hasFocus());
        ui::testing::TypeInto(field, text);  // the old text shows selected: typing replaces it
        QTest::keyClick(field, finish);
    });
    if (notFound) script.AnswerMessage(IDOK);
    QTest::keyClick(GridWidget(main), Qt::Key_F, Qt::ControlModifier);
}

void FindAgain(TForm1& main) { QTest::keyClick(GridWidget(main), Qt::Key_F3); }

}  // namespace

TEST(FindRecord, FindsTheNextRecordWithoutRegardToCaseAndGoesRound) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.CSV"), CatalogFile({
                                          "SET1,A.LZH,Sakura Doll,Hana,,1997/05/12,100",
                                          "SET2,B.LZH,夏服セット,作者,,1998/01/01,200",
                                          "SET3,C.LZH,ＤＯＬＬ house,Mika,,1999/02/02,300",
                                          "SET4,D.LZH,浴衣,DollMaker,,2000/03/03,400",
                                      }));
    WriteBytes(dir.file("Tansu.ini"), IniFor("Tansu.CSV"));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    TComboGrid& grid = *main.ComboGrid1;
    QTest::keyClick(GridWidget(main), Qt::Key_Down);
    ASSERT_EQ(grid.Row(), 2);

    // ASCII letters in any case; the full-width ＤＯＬＬ is another text.
    Find(script, main, QStringLiteral("DOLL"));
    EXPECT_EQ(grid.Row(), 4);  // the author's cell
    FindAgain(main);
    EXPECT_EQ(grid.Row(), 1);  // round past the last record
    FindAgain(main);
    EXPECT_EQ(grid.Row(), 4);

    // Full-width letters in any case, and Japanese text.
    Find(script, main, QString::fromUtf8(u8"ｄｏｌｌ"));
    EXPECT_EQ(grid.Row(), 3);
    Find(script, main, QString::fromUtf8(u8"夏服"));
    EXPECT_EQ(grid.Row(), 2);
    // The only record that holds the text is the current one: it stays.
    FindAgain(main);
    EXPECT_EQ(grid.Row(), 2);

    // Nothing holds it: the message, and the selection stays; so does it
    // after Esc in the dialog.
    Find(script, main, QString::fromUtf8(u8"振袖"), Qt::Key_Return, true);
    const ui::ModalRecord& notFound = script.Records().back();
    EXPECT_EQ(notFound.text, "見つかりません");
    EXPECT_EQ(notFound.flags, unsigned(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(grid.Row(), 2);
    Find(script, main, QStringLiteral("Doll"), Qt::Key_Escape);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(main.FindText, "振袖");
    EXPECT_FALSE(main.Modified);
}

TEST(FindRecord, InAHugeCatalogTheFoundRowIsScrolledIntoView) {
    TempFolder dir;
    constexpr int kRecords = 20000;
    constexpr int kTarget = 15321;
    std::vector<std::string> records;
    for (int i = 1; i <= kRecords; ++i) {
        const std::string n = std::to_string(i);
        records.push_back("SET" + n + ",S" + n + ".LZH," + (i == kTarget ? "魔法少女ドレス" : "着せ替え人形") + n +
                          ",作者,,1997/05/12," + n);
    }
    WriteBytes(dir.file("Tansu.CSV"), CatalogFile(records));
    // F3 with no text yet asks for one.
    WriteBytes(dir.file("Tansu.ini"), IniFor("Tansu.CSV"));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    TComboGrid& grid = *main.ComboGrid1;
    WhileActiveModal(script, [&] {
        ui::testing::TypeInto(FindForm->Edit1->Widget(), QString::fromUtf8(u8"ドレス"));
        QTest::keyClick(FindForm->Edit1->Widget(), Qt::Key_Return);
    });
    FindAgain(main);
    EXPECT_EQ(grid.Row(), kTarget);
    EXPECT_EQ(grid.Cells(0, kTarget), std::to_string(kTarget));
    EXPECT_LE(grid.TopRow(), kTarget);
    EXPECT_LT(kTarget, grid.TopRow() + grid.VisibleRowCount());
}

// The record dialog as the user meets it: opened with Ctrl+A or Ctrl+M on
// the grid, filled by typing, browsing for the archive and reading the
// set's description file, closed with OK, Cancel or Esc.
#include "app_test_support.h"

#include "editor/record_form.h"
#include "framework/ui/modal/message_box_flags.h"
#include "framework/ui/ui_test_support.h"

#include <QLineEdit>
#include <functional>
#include <sys/stat.h>
#include <QTest>
#include <gtest/gtest.h>

using testsupport::TempFolder;
using testsupport::WriteBytes;

namespace {

std::string IniWith(const std::string& defaultCsv, const std::string& kissDir) {
    return "[FilePaths]\r\nDefaultCSV = " + defaultCsv + "\r\nKISSDIR = " + kissDir +
           "\r\n\r\n[FormPosition]\r\nTop = 0\r\nLeft = 0\r\nWidth = 534\r\nHeight = 450\r\n";
}

QLineEdit* FieldWidget(int index) { return static_cast<QLineEdit*>(Form3->ArMaskEdit1->ArryCntrl(index)->Widget()); }

// Clicks into a field and types over what it holds.
void TypeOver(int index, const QString& text) {
    QLineEdit* w = FieldWidget(index);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(3, w->height() / 2));
    ASSERT_TRUE(w->hasFocus());
    QTest::keyClick(w, Qt::Key_Home);
    QTest::keyClick(w, Qt::Key_End, Qt::ShiftModifier);
    ui::testing::TypeInto(w, text);
}

// Opens the dialog with the grid's keys (Ctrl+A appends, Ctrl+M edits) and
// runs `action` while it is up.
void WithDialog(StrictScript& script, TForm1& main, bool append, std::function<void()> action) {
    WhileActiveModal(script, action);
    QTest::keyClick(main.ComboGrid1->Widget(), append ? Qt::Key_A : Qt::Key_M, Qt::ControlModifier);
}

// A description file as the NIFTY service wrote them, in Shift-JIS.
std::string DescriptionFile(const std::string& regDate, bool withFileName) {
    std::string f = "------------------------------------------------------------\r\n";
    f += "\x83\x66\x81\x5B\x83\x5E\x96\xBC\x81\x46" "KISS DOLL\r\n";        // データ名：
    f += "\x81\x40\x81\x40\x81\x40\x49\x44\x81\x46" "ABC01234\r\n";         // 　　　ID：
    f += "\x93\x6F\x98\x5E\x93\xFA\x95\x74\x81\x46" + regDate + "\r\n";     // 登録日付：
    f += "\x81\x40\x81\x40\x91\xAE\x90\xAB\x81\x46" "BIN\r\n";              // 　　属性：
    f += "\x81\x40\x83\x6F\x83\x43\x83\x67\x81\x46" "48213\r\n";            // 　バイト：
    f += "\x81\x40\x81\x40\x8E\x51\x8F\xC6\x81\x46" "0\r\n";                // 　　参照：
    f += "\r\n";
    f += "\x81\x79\x96\xBC\x81\x40\x8F\xCC\x81\x7A" "Sakura doll\r\n";      // 【名　称】
    if (withFileName) f += "\x81\x79\x93\x6F\x98\x5E\x96\xBC\x81\x7A" "SAKURA.LZH  (LHA)\r\n";  // 【登録名】
    f += "  \x81\x79\x90\xA7\x8D\xEC\x8E\xD2\x96\xBC\x81\x7A" "Hana\r\n";   // 【制作者名】
    f += "\r\nThe set is a doll with three costumes.\r\n";
    return f;
}

}  // namespace

TEST(RecordDialog, TheStoredFormHoldsEveryControlAsLaidOut) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), IniWith("", ""));
    StrictScript script;
    TansuWindows windows;
    TForm3& f = *Form3;
    EXPECT_EQ(f.Caption(), "TANSU レコード編集画面");
    EXPECT_EQ(f.ClientWidth(), 552);
    EXPECT_EQ(f.ClientHeight(), 265);
    ASSERT_NE(f.Bevel1, nullptr);
    EXPECT_EQ(f.Bevel1->Style(), TBevelStyle::bsRaised);
    EXPECT_EQ(f.Bevel1->Left(), 8);
    EXPECT_EQ(f.Bevel1->Top(), 40);
    EXPECT_EQ(f.Bevel1->Width(), 537);
    EXPECT_EQ(f.Bevel1->Height(), 177);

    struct Field {
        const char* label;
        int labelLeft, labelTop, left, top, width;
        const char* mask;
        int maxLength;
    };
    const Field fields[8] = {
        {"ﾚｺｰﾄﾞ番号", 32, 16, 112, 8, 75, "", 0},         {"ﾌｫﾙﾀﾞ", 48, 64, 96, 56, 115, "", 0},
        {"LZHﾌｧｲﾙ名", 240, 64, 328, 56, 131, "", 0},       {"タイトル", 40, 104, 96, 96, 433, "", 0},
        {"作者", 56, 144, 96, 136, 177, "", 0},             {"NIFTY-ID", 336, 144, 408, 136, 121, "AAA00000;1;_", 8},
        {"登録日付", 24, 184, 96, 176, 177, "!0000/99/99;1;_", 10}, {"ﾌｧｲﾙ・ｻｲｽﾞ", 320, 184, 408, 176, 121, "", 0},
    };
    ASSERT_EQ(f.ArMaskEdit1->NumOfArry(), 8);
    ASSERT_EQ(f.ArLabel1->NumOfArry(), 8);
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        TMaskEdit* e = f.ArMaskEdit1->ArryCntrl(i);
        TLabel* l = f.ArLabel1->ArryCntrl(i);
        ASSERT_NE(e, nullptr);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(e->Name(), "ArMaskEdit1_" + std::to_string(i + 1));
        EXPECT_EQ(l->Caption(), fields[i].label);
        EXPECT_EQ(l->Left(), fields[i].labelLeft);
        EXPECT_EQ(l->Top(), fields[i].labelTop);
        EXPECT_EQ(e->Left(), fields[i].left);
        EXPECT_EQ(e->Top(), fields[i].top);
        EXPECT_EQ(e->Width(), fields[i].width);
        EXPECT_EQ(e->Height(), 24);
        EXPECT_EQ(e->EditMask(), fields[i].mask);
        EXPECT_EQ(e->MaxLength(), fields[i].maxLength);
        EXPECT_EQ(e->ReadOnly(), i == 0);
        EXPECT_EQ(e->TabStop(), i != 0);
        EXPECT_EQ(e->TabOrder(), i);
    }
    EXPECT_EQ(f.ArMaskEdit1_1->Color(), clBtnFace);

    EXPECT_EQ(f.BB_OK->Caption(), "OK");
    EXPECT_TRUE(f.BB_OK->Default());
    EXPECT_TRUE(f.BB_CANCEL->Cancel());
    EXPECT_EQ(f.BB_CANCEL->Caption(), "ｷｬﾝｾﾙ");
    EXPECT_EQ(f.BB_Read->Caption(), "読込");
    EXPECT_EQ(f.BB_Read->NumGlyphs(), 2);
    EXPECT_FALSE(f.BB_Read->Glyph()->Image().isNull());
    EXPECT_EQ(f.BB_Read->Glyph()->Image().width(), 32);
    EXPECT_EQ(f.Button1->Caption(), "参照");
    const TWinControl* buttons[] = {f.BB_OK, f.BB_CANCEL, f.BB_Read, f.Button1};
    const int lefts[] = {336, 440, 224, 480}, widths[] = {89, 89, 97, 49};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(buttons[i]->TabOrder(), 8 + i);
        EXPECT_EQ(buttons[i]->Left(), lefts[i]);
        EXPECT_EQ(buttons[i]->Width(), widths[i]);
    }

    EXPECT_EQ(f.OpenDialog1->Title(), "NIFTY 補足説明ファイルからの読込");
    EXPECT_EQ(f.OpenDialog1->Filter(), "NIFTY 補足説明 (*.ﾎｿｸ, *.hed, *.up) |*.ﾎｿｸ;*.HED;*.up|全てのﾌｧｲﾙ (*.*)|*.*");
    EXPECT_EQ(f.OpenDialog1->DefaultExt(), "*.ﾎｿｸ;*.hed;*.up");
    EXPECT_EQ(f.OpenDialog1->Options(),
              TOpenOptions(ofHideReadOnly | ofNoChangeDir | ofAllowMultiSelect | ofPathMustExist | ofEnableSizing));
    EXPECT_EQ(f.OpenDialog2->Title(), "LZH ファイルの参照");
    EXPECT_EQ(f.OpenDialog2->Filter(), "lha書庫ファイル (*.lzh)|*.lzh|全てのﾌｧｲﾙ (*.*)|*.*");
    EXPECT_EQ(f.OpenDialog2->DefaultExt(), "*.lzh");
    EXPECT_EQ(f.OpenDialog2->Options(),
              TOpenOptions(ofHideReadOnly | ofNoChangeDir | ofPathMustExist | ofFileMustExist | ofEnableSizing));
}

TEST(RecordDialog, AppendingTakesTheEmptyRowOrANewLastRowNumberedByItsRow) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), IniWith("", ""));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    TComboGrid& grid = *main.ComboGrid1;

    // An empty catalog: row 1 takes the record, numbered 1; the untouched
    // ID and date fields give their blank masked texts.
    std::string shownNumber;
    WithDialog(script, main, true, [&] {
        shownNumber = Form3->FieldText(0);
        TypeOver(3, QString::fromUtf8(u8"桜の人形"));
        TypeOver(1, QStringLiteral("SAKURA"));
        Press(Form3->BB_OK);
    });
    EXPECT_EQ(shownNumber, "(新規)");
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(Row(grid, 1), (std::vector<std::string>{"1", "SAKURA", "", "桜の人形", "", "        ", "    /  /  ", ""}));
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_TRUE(main.Modified);

    // r records: row r + 1, numbered r + 1 whatever the others show.
    grid.SetCell(0, 1, "99");
    WithDialog(script, main, true, [&] {
        EXPECT_EQ(Form3->FieldText(1), "");  // nothing of the last showing is left
        TypeOver(2, QStringLiteral("B.LZH"));
        Press(Form3->BB_OK);
    });
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.Cells(0, 2), "2");
    EXPECT_EQ(grid.Cells(2, 2), "B.LZH");
    EXPECT_EQ(grid.Cells(0, 1), "99");
    EXPECT_EQ(grid.Row(), 2);

    // Row 1 empty but more rows: still a new last row.
    for (int c = 0; c < 8; ++c) grid.SetCell(c, 1, "");
    WithDialog(script, main, true, [&] { Press(Form3->BB_OK); });
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.Cells(0, 3), "3");
    EXPECT_EQ(grid.Cells(0, 1), "");

    // Cancel (and Esc) append nothing.
    WithDialog(script, main, true, [&] {
        TypeOver(3, QStringLiteral("gone"));
        Press(Form3->BB_CANCEL);
    });
    WithDialog(script, main, true, [&] { QTest::keyClick(FieldWidget(3), Qt::Key_Escape); });
    EXPECT_EQ(grid.RowCount(), 4);
}

TEST(RecordDialog, EditingWritesExactlyTheCurrentRowAndKeepsItsNumber) {
    TempFolder dir;
    WriteBytes(dir.file("cat.csv"), CatalogFile({"A,A.LZH,First,U,ABC01234,1997/05/12,100",
                                                 "B,B.LZH,Second,V,XYZ00001,2001/01/01,200", "C,C.LZH,Third,W,,,"}));
    WriteBytes(dir.file("Tansu.ini"), IniWith("cat.csv", ""));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    TComboGrid& grid = *main.ComboGrid1;
    grid.SetCell(0, 2, "7");  // the number shown is written back as it is
    grid.SetRow(2);
    const auto first = Row(grid, 1), third = Row(grid, 3);

    std::vector<std::string> shown;
    bool numberFocused = true;
    WithDialog(script, main, false, [&] {
        for (int i = 0; i < 8; ++i) shown.push_back(Form3->FieldText(i));
        TypeOver(3, QStringLiteral("Changed"));
        // Tab from the last field goes round to the title, past field 0.
        QLineEdit* size = FieldWidget(7);
        QTest::mouseClick(size, Qt::LeftButton);
        for (int i = 0; i < 5; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        numberFocused = FieldWidget(0)->hasFocus();
        EXPECT_EQ(QApplication::focusWidget(), FieldWidget(1));
        Press(Form3->BB_OK);
    });
    EXPECT_EQ(shown, (std::vector<std::string>{"7", "B", "B.LZH", "Second", "V", "XYZ00001", "2001/01/01", "200"}));
    EXPECT_FALSE(numberFocused);
    EXPECT_EQ(Row(grid, 2), (std::vector<std::string>{"7", "B", "B.LZH", "Changed", "V", "XYZ00001", "2001/01/01", "200"}));
    EXPECT_EQ(Row(grid, 1), first);
    EXPECT_EQ(Row(grid, 3), third);
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_TRUE(main.Modified);
    EXPECT_EQ(main.Caption(), "cat.csv(更新) - TANSU メイン画面");

    // Already modified: the caption is not composed again.
    main.CsvFileName = "other.csv";
    WithDialog(script, main, false, [&] { Press(Form3->BB_OK); });
    EXPECT_EQ(main.Caption(), "cat.csv(更新) - TANSU メイン画面");
}

TEST(RecordDialog, AHalfFilledMaskedFieldIsRefusedOnLeavingAndEscUndoesIt) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), IniWith("", ""));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    bool keptFocus = false;
    std::string afterEsc;
    WithDialog(script, main, true, [&] {
        TypeOver(5, QStringLiteral("AB1"));
        script.AnswerMessage(IDOK);
        QTest::keyClick(FieldWidget(5), Qt::Key_Tab);
        keptFocus = FieldWidget(5)->hasFocus();
        QTest::keyClick(FieldWidget(5), Qt::Key_Escape);
        afterEsc = Form3->FieldText(5);
        Press(Form3->BB_CANCEL);
    });
    EXPECT_TRUE(keptFocus);
    EXPECT_EQ(script.Beeps(), 1);
    const ui::ModalRecord& refusal = script.Records().at(1);
    EXPECT_EQ(refusal.text, "入力値が不正です. ｴｽｹｰﾌﾟｷｰで変更を取り消せます");
    EXPECT_EQ(refusal.flags, unsigned(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(afterEsc, "        ");
    EXPECT_EQ(main.ComboGrid1->Cells(0, 1), "");
    EXPECT_FALSE(main.Modified);
}

TEST(RecordDialog, BrowsingTakesTheFolderBelowTheKissFolderAndTheArchiveName) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), IniWith("", "Z:\\KISS\\"));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    std::vector<std::string> folders, names;
    WithDialog(script, main, true, [&] {
        TypeOver(3, QStringLiteral("Kept"));
        script.ChooseFile("Z:\\KISS\\SET1\\A.LZH");
        Press(Form3->Button1);
        folders.push_back(Form3->FieldText(1));
        names.push_back(Form3->FieldText(2));
        // Directly in the KiSS folder: its folder text is one byte short.
        script.ChooseFile("Z:\\KISS\\B.LZH").AnswerMessage(IDOK);
        Press(Form3->Button1);
        folders.push_back(Form3->FieldText(1));
        names.push_back(Form3->FieldText(2));
        // Elsewhere: whatever follows the KiSS folder's length.
        script.ChooseFile("Z:\\OTHER\\SETS\\C.LZH");
        Press(Form3->Button1);
        folders.push_back(Form3->FieldText(1));
        names.push_back(Form3->FieldText(2));
        // A double-byte name whose second byte is "\" is no separator.
        script.ChooseFile("Z:\\KISS\\\x83\x5C\x95\x5C\\D.LZH");  // ソ表
        Press(Form3->Button1);
        folders.push_back(Form3->FieldText(1));
        script.CancelFile();
        Press(Form3->Button1);
        folders.push_back(Form3->FieldText(1));
        EXPECT_EQ(Form3->FieldText(3), "Kept");
        Press(Form3->BB_CANCEL);
    });
    EXPECT_EQ(folders, (std::vector<std::string>{"SET1", "", "\\SETS", "\x83\x5C\x95\x5C", "\x83\x5C\x95\x5C"}));
    EXPECT_EQ(names, (std::vector<std::string>{"A.LZH", "B.LZH", "C.LZH"}));
    const ui::ModalRecord& browse = script.Records().at(1);
    EXPECT_EQ(browse.dialog.title, "LZH ファイルの参照");
    EXPECT_EQ(browse.dialog.initialDir, "Z:\\KISS\\");
    EXPECT_TRUE(browse.dialog.options.fileMustExist);
    EXPECT_TRUE(browse.dialog.options.noChangeDir);
    const ui::ModalRecord& message = script.Records().at(3);
    EXPECT_EQ(message.text, "不正なディレクトリ（フォルダ）が指定されました。");
    EXPECT_EQ(message.caption, "エラー");
    EXPECT_EQ(message.flags, unsigned(MB_OK | MB_ICONSTOP));
    // Cancel after browsing: neither the grid nor the flag changed.
    EXPECT_EQ(main.ComboGrid1->Cells(2, 1), "");
    EXPECT_FALSE(main.Modified);
}

TEST(RecordDialog, ReadingADescriptionFileFillsTheFieldsWithTheCentury) {
    TempFolder dir;
    std::string kiss = SystemFormOf(dir.path()) + "\\";
    WriteBytes(dir.file("Tansu.ini"), IniWith("", kiss));
    ASSERT_EQ(::mkdir(dir.file("SET1").c_str(), 0755), 0);
    WriteBytes(dir.file("SET1/doll97.hed"), DescriptionFile("97/05/12", true));
    WriteBytes(dir.file("SET1/doll03.hed"), DescriptionFile("03/01/15", false));
    WriteBytes(dir.file("SET1/nodate.hed"), DescriptionFile("", true));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();

    std::vector<std::vector<std::string>> seen;
    auto fields = [] {
        std::vector<std::string> f;
        for (int i = 0; i < 8; ++i) f.push_back(Form3->FieldText(i));
        return f;
    };
    WithDialog(script, main, true, [&] {
        script.ChooseFile(kiss + "SET1\\doll97.hed");
        Press(Form3->BB_Read);
        seen.push_back(fields());
        script.ChooseFile(kiss + "SET1\\doll03.hed");
        Press(Form3->BB_Read);
        seen.push_back(fields());
        script.ChooseFile(kiss + "SET1\\nodate.hed");
        Press(Form3->BB_Read);
        seen.push_back(fields());
        // A file that cannot be opened changes nothing and is said.
        TypeOver(3, QStringLiteral("Typed"));
        script.ChooseFile(kiss + "SET1\\missing.hed").AnswerMessage(IDOK);
        Press(Form3->BB_Read);
        seen.push_back(fields());
        Press(Form3->BB_OK);
    });
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0], (std::vector<std::string>{"(新規)", "SET1", "SAKURA.LZH", "Sakura doll", "Hana", "ABC01234",
                                                 "1997/05/12", "48213"}));
    EXPECT_EQ(seen[1][2], "");  // no archive name item: the field empties
    EXPECT_EQ(seen[1][6], "2003/01/15");
    EXPECT_EQ(seen[2][6], "    /  /  ");  // no date: the field stays blank
    EXPECT_EQ(seen[3][3], "Typed");
    EXPECT_EQ(seen[3][2], "SAKURA.LZH");

    // The first description dialog opens in the KiSS folder, the later ones
    // where the record's set lies; several files may be chosen.
    const auto& records = script.Records();
    EXPECT_EQ(records.at(1).dialog.title, "NIFTY 補足説明ファイルからの読込");
    EXPECT_EQ(records.at(1).dialog.initialDir, kiss);
    EXPECT_TRUE(records.at(1).dialog.options.allowMultiSelect);
    EXPECT_EQ(records.at(2).dialog.initialDir, kiss + "SET1");
    EXPECT_EQ(records.at(4).dialog.initialDir, kiss + "SET1");
    EXPECT_EQ(records.at(5).text, "補足説明ファイルを開けませんでした。\n" + kiss + "SET1\\missing.hed");
    EXPECT_EQ(records.size(), 6u);

    EXPECT_EQ(Row(*main.ComboGrid1, 1),
              (std::vector<std::string>{"1", "SET1", "SAKURA.LZH", "Typed", "Hana", "ABC01234", "    /  /  ", "48213"}));
}

TEST(RecordDialog, TheCenturyRuleLooksAtTheFirstByteOnly) {
    EXPECT_EQ(TForm3::DateWithCentury("97/05/12"), "1997/05/12");
    EXPECT_EQ(TForm3::DateWithCentury("80/01/01"), "1980/01/01");
    EXPECT_EQ(TForm3::DateWithCentury("79/12/31"), "2079/12/31");
    EXPECT_EQ(TForm3::DateWithCentury("03/01/15"), "2003/01/15");
    EXPECT_EQ(TForm3::DateWithCentury("\x95\xBD"), "20\x95\xBD");  // 平: a byte from 0x80 up
    EXPECT_EQ(TForm3::DateWithCentury("x"), "19x");
}

TEST(RecordDialog, AFieldTheCatalogCannotStoreIsRefusedAtOkByName) {
    TempFolder dir;
    WriteBytes(dir.file("cat.csv"), CatalogFile({}));
    WriteBytes(dir.file("Tansu.ini"), IniWith("cat.csv", ""));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    bool closedByRefusedOk = true, authorFocused = false;
    WithDialog(script, main, true, [&] {
        TypeOver(3, QStringLiteral("Title"));
        TypeOver(4, QString::fromUtf8(u8"作者,カンマ"));
        TypeOver(5, QStringLiteral("ABC01234"));
        script.AnswerMessage(IDOK);
        Press(Form3->BB_OK);
        closedByRefusedOk = Form3->ModalResult() != mrNone;
        authorFocused = FieldWidget(4)->hasFocus();
        TypeOver(4, QString::fromUtf8(u8"作者，カンマ"));
        Press(Form3->BB_OK);
    });
    EXPECT_FALSE(closedByRefusedOk);
    EXPECT_TRUE(authorFocused);
    const ui::ModalRecord& refusal = script.Records().at(1);
    EXPECT_EQ(refusal.text.rfind("「作者」に半角のコンマ「,」は使えません。", 0), 0u) << refusal.text;
    EXPECT_EQ(refusal.caption, "エラー");
    EXPECT_EQ(refusal.flags, unsigned(MB_OK | MB_ICONSTOP));
    // Saved and read again, every field stays in its place.
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Row(*main.ComboGrid1, 1),
              (std::vector<std::string>{"1", "", "", "Title", "作者，カンマ", "ABC01234", "    /  /  ", ""}));
}

TEST(RecordDialog, ARecordWrittenIntoTheEmptyRowOfAnEmptyCatalogGetsItsNumber) {
    TempFolder dir;
    WriteBytes(dir.file("empty.csv"), CatalogFile({}));
    WriteBytes(dir.file("Tansu.ini"), IniWith("", ""));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    TComboGrid& grid = *main.ComboGrid1;
    // Ctrl+M on the empty row, then Ctrl+A: two records.
    WithDialog(script, main, false, [&] {
        TypeOver(3, QStringLiteral("First"));
        Press(Form3->BB_OK);
    });
    EXPECT_EQ(grid.Cells(0, 1), "1");
    WithDialog(script, main, true, [&] {
        TypeOver(3, QStringLiteral("Second"));
        Press(Form3->BB_OK);
    });
    ASSERT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.Cells(3, 1), "First");
    EXPECT_EQ(grid.Cells(0, 2), "2");
    EXPECT_EQ(grid.Cells(3, 2), "Second");

    // Esc on the empty row of an opened empty catalog does the same.
    script.ChooseFile("empty.csv").AnswerMessage(IDNO);  // the records typed go
    QTest::keyClick(grid.Widget(), Qt::Key_O, Qt::ControlModifier);
    WhileActiveModal(script, [&] {
        TypeOver(3, QStringLiteral("Only"));
        Press(Form3->BB_OK);
    });
    QTest::keyClick(grid.Widget(), Qt::Key_Escape);
    WithDialog(script, main, true, [&] { Press(Form3->BB_OK); });
    ASSERT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.Cells(0, 1), "1");
    EXPECT_EQ(grid.Cells(3, 1), "Only");
    EXPECT_EQ(grid.Cells(0, 2), "2");
}

TEST(RecordDialog, FieldsTheUserDidNotChangeKeepTheCellsTextAsItWas) {
    TempFolder dir;
    // Hand-edited cells that do not fit the ID and date masks.
    const std::vector<std::string> cells{"1", "A", "A.LZH", "T", "U", "ABCDEFGHIJ", "1997/05/12 extra", "100"};
    WriteBytes(dir.file("cat.csv"), CatalogFile({"A,A.LZH,T,U,ABCDEFGHIJ,1997/05/12 extra,100"}));
    WriteBytes(dir.file("Tansu.ini"), IniWith("cat.csv", ""));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    TComboGrid& grid = *main.ComboGrid1;
    WithDialog(script, main, false, [&] { Press(Form3->BB_OK); });
    EXPECT_EQ(Row(grid, 1), cells);

    // Another field changed: only that one is written anew.
    WithDialog(script, main, false, [&] {
        TypeOver(3, QStringLiteral("New title"));
        Press(Form3->BB_OK);
    });
    EXPECT_EQ(Row(grid, 1),
              (std::vector<std::string>{"1", "A", "A.LZH", "New title", "U", "ABCDEFGHIJ", "1997/05/12 extra", "100"}));

    // The date typed anew: the field's text.
    WithDialog(script, main, false, [&] {
        TypeOver(6, QStringLiteral("20010203"));
        Press(Form3->BB_OK);
    });
    EXPECT_EQ(grid.Cells(6, 1), "2001/02/03");
    EXPECT_EQ(grid.Cells(5, 1), "ABCDEFGHIJ");
}

TEST(RecordDialog, ADescriptionWithNothingReadableSaysSoAndABlankBeforeTheDateIsNoCentury) {
    TempFolder dir;
    std::string kiss = SystemFormOf(dir.path()) + "\\";
    WriteBytes(dir.file("Tansu.ini"), IniWith("", kiss));
    ASSERT_EQ(::mkdir(dir.file("SET1").c_str(), 0755), 0);
    std::string noise;
    for (unsigned i = 0, x = 99; i < 4000; ++i) {
        x = x * 1103515245u + 12345u;
        noise += static_cast<char>(x >> 23);
    }
    WriteBytes(dir.file("SET1/noise.hed"), noise);
    WriteBytes(dir.file("SET1/readme.hed"), "This set needs FKiSS.\r\nHave fun!\r\n");
    WriteBytes(dir.file("SET1/blank.hed"), DescriptionFile(" 98/03/21", true));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    std::vector<std::string> afterNoise, afterReadme;
    std::string date;
    WithDialog(script, main, true, [&] {
        TypeOver(3, QStringLiteral("Typed"));
        script.ChooseFile(kiss + "SET1\\noise.hed").AnswerMessage(IDOK);
        Press(Form3->BB_Read);
        for (int i = 1; i < 8; ++i) afterNoise.push_back(Form3->FieldText(i));
        script.ChooseFile(kiss + "SET1\\readme.hed").AnswerMessage(IDOK);
        Press(Form3->BB_Read);
        afterReadme = afterNoise;
        for (int i = 1; i < 8; ++i) afterReadme[static_cast<size_t>(i - 1)] = Form3->FieldText(i);
        script.ChooseFile(kiss + "SET1\\blank.hed");
        Press(Form3->BB_Read);
        date = Form3->FieldText(6);
        Press(Form3->BB_CANCEL);
    });
    // What the user typed stays; each file is named in its message.
    const std::vector<std::string> typed{"", "", "Typed", "", "        ", "    /  /  ", ""};
    EXPECT_EQ(afterNoise, typed);
    EXPECT_EQ(afterReadme, typed);
    for (size_t i : {size_t(2), size_t(4)}) {
        const ui::ModalRecord& said = script.Records().at(i);
        EXPECT_EQ(said.text.rfind("補足説明ファイルから読み込める項目がありませんでした。\n", 0), 0u) << said.text;
        EXPECT_EQ(said.caption, "エラー");
    }
    EXPECT_NE(script.Records().at(2).text.find("noise.hed"), std::string::npos);
    EXPECT_EQ(date, "1998/03/21");
    EXPECT_EQ(TForm3::DateWithCentury(" 03/01/15"), "2003/01/15");
    EXPECT_EQ(TForm3::DateWithCentury("\x81\x40" "97/05/12"), "1997/05/12");  // a full-width blank
    EXPECT_EQ(TForm3::DateWithCentury("1998/03/21"), "1998/03/21");
}

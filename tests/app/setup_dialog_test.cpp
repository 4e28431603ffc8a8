// The settings dialog as the user meets it: opened from the File menu,
// filled from Tansu.ini at start, its two browse buttons, OK writing the
// file and Cancel storing nothing.
#include "app_test_support.h"

#include "framework/ui/modal/message_box_flags.h"
#include "framework/ui/ui_test_support.h"
#include "platform/current_folder.h"
#include "settings/settings_keys.h"
#include "settings/setup_form.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <gtest/gtest.h>

using testsupport::ReadBytes;
using testsupport::TempFolder;
using testsupport::WriteBytes;

namespace {

std::string IniWith(const std::string& csv, const std::string& kissDir, const std::string& exe,
                    const std::string& tmpDir) {
    return "[FilePaths]\r\nDefaultCSV = " + csv + "\r\nKISSDIR = " + kissDir + "\r\nKISSEXE = " + exe +
           "\r\nTMPDIR = " + tmpDir + "\r\n\r\n[FormPosition]\r\nTop = 0\r\nLeft = 0\r\nWidth = 534\r\nHeight = 450\r\n";
}

QLineEdit* Field(int index) { return static_cast<QLineEdit*>(Form2->ArEdit1->ArryCntrl(index)->Widget()); }

std::vector<std::string> Fields() {
    std::vector<std::string> texts;
    for (int i = 0; i < 4; ++i) texts.push_back(Form2->ArEdit1->ArryCntrl(i)->Text());
    return texts;
}

void TypeOver(int index, const QString& text) {
    QLineEdit* w = Field(index);
    QTest::mouseClick(w, Qt::LeftButton);
    ASSERT_TRUE(w->hasFocus());
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) QTest::keyClick(w, Qt::Key_Delete);
    else ui::testing::TypeInto(w, text);
}

// Opens the dialog from the File menu and runs `action` while it is up.
void WithDialog(StrictScript& script, TForm1& main, std::function<void()> action) {
    WhileActiveModal(script, action);
    main.MenuSetUp->Click();
}

}  // namespace

TEST(SetupDialog, TheStoredFormHoldsEveryControlAsLaidOut) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), IniWith("", "Z:\\K\\", "", ""));
    StrictScript script;
    TansuWindows windows;
    TForm2& f = *Form2;
    EXPECT_EQ(f.Caption(), "TANSU 設定画面");
    EXPECT_EQ(f.ClientWidth(), 448);
    EXPECT_EQ(f.ClientHeight(), 217);
    const char* labels[] = {"標準CSVファイル", "KISS ディレクトリ", "WKISS実行ファイル", "実行ディレクトリ"};
    const int labelBounds[4][4] = {{22, 24, 109, 15}, {21, 62, 106, 15}, {4, 104, 122, 15}, {27, 142, 100, 15}};
    const int tabOrders[] = {0, 1, 2, 9};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        TLabel* l = f.ArLabel1->ArryCntrl(i);
        TEdit* e = f.ArEdit1->ArryCntrl(i);
        ASSERT_NE(l, nullptr);
        ASSERT_NE(e, nullptr);
        EXPECT_NE(ObjectCast<TRetEdit>(e), nullptr);
        EXPECT_EQ(l->Caption(), labels[i]);
        EXPECT_EQ(l->Left(), labelBounds[i][0]);
        EXPECT_EQ(l->Top(), labelBounds[i][1]);
        EXPECT_EQ(e->Left(), 144);
        EXPECT_EQ(e->Top(), 16 + 40 * i);
        EXPECT_EQ(e->Width(), 235);
        EXPECT_EQ(e->Height(), 23);
        EXPECT_EQ(e->TabOrder(), tabOrders[i]);
    }
    struct Button {
        TButton* button;
        int left, top, width, tab;
        const char* caption;
    };
    const Button buttons[] = {{f.BitBtn_OK, 240, 176, 89, 3, "OK"},
                              {f.BitBtn_CANCEL, 344, 176, 89, 4, "ｷｬﾝｾﾙ"},
                              {f.ArButton1->ArryCntrl(0), 390, 16, 43, 5, "参照"},
                              {f.ArButton1->ArryCntrl(1), 389, 94, 43, 6, "参照"},
                              {f.ArButton1->ArryCntrl(2), 390, 55, 43, 7, "参照"},
                              {f.ArButton1->ArryCntrl(3), 390, 135, 43, 8, "参照"}};
    for (const Button& b : buttons) {
        ASSERT_NE(b.button, nullptr);
        EXPECT_EQ(b.button->Caption(), b.caption);
        EXPECT_EQ(b.button->Left(), b.left);
        EXPECT_EQ(b.button->Top(), b.top);
        EXPECT_EQ(b.button->Width(), b.width);
        EXPECT_EQ(b.button->Height(), 25);
        EXPECT_EQ(b.button->TabOrder(), b.tab);
    }
    EXPECT_TRUE(f.BitBtn_OK->Default());
    EXPECT_TRUE(f.BitBtn_CANCEL->Cancel());
    const TOpenOptions options = ofHideReadOnly | ofNoChangeDir | ofPathMustExist | ofFileMustExist;
    EXPECT_EQ(f.OpenDialog1->Title(), "CSV ファイルを開く");
    EXPECT_EQ(f.OpenDialog1->Filter(), "CSV ﾌｧｲﾙ (*.CSV)|*.CSV|全てのﾌｧｲﾙ (*.*)|*.*");
    EXPECT_EQ(f.OpenDialog1->DefaultExt(), "*.csv");
    EXPECT_EQ(f.OpenDialog1->Options(), options);
    EXPECT_EQ(f.OpenDialog2->Title(), "KISS ローダの選択");
    EXPECT_EQ(f.OpenDialog2->Filter(), "実行ファイル|*|全てのﾌｧｲﾙ (*.*)|*.*");
    EXPECT_EQ(f.OpenDialog2->ExecutablesFilter(), 1);
    EXPECT_EQ(f.OpenDialog2->DefaultExt(), "");
    EXPECT_EQ(f.OpenDialog2->Options(), options);
    EXPECT_EQ(f.FolderDialog1->Title(), "KISS ディレクトリの選択");
    EXPECT_EQ(f.FolderDialog2->Title(), "実行ディレクトリの選択");
}

TEST(SetupDialog, FieldsComeFromTheSettingsAndOkWritesThemAsTyped) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), IniWith("", "", "Z:\\bin\\view", "work"));
    StrictScript script;
    std::string current = platform::GetCurrentFolder().value();
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    // An empty KiSS folder shows the current folder.
    EXPECT_EQ(Fields(), (std::vector<std::string>{"", current + "\\", "Z:\\bin\\view", "work"}));

    // Enter moves on to the next field; OK stores the four texts (an OS
    // path in the system's form, an emptied field as nothing).
    bool enterMoved = false;
    WithDialog(script, main, [&] {
        TypeOver(0, QStringLiteral("cat.csv"));
        QTest::keyClick(Field(0), Qt::Key_Return);
        enterMoved = Field(1)->hasFocus();
        TypeOver(1, QStringLiteral("/home/me/kiss/"));
        TypeOver(3, QString());
        Press(Form2->BitBtn_OK);
    });
    EXPECT_TRUE(enterMoved);
    std::string written = ReadBytes(dir.file("Tansu.ini"));
    EXPECT_EQ(written.substr(0, written.find("\r\n\r\n") + 4),
              "[FilePaths]\r\nDefaultCSV = cat.csv\r\nKISSDIR = Z:\\home\\me\\kiss\\\r\nKISSEXE = Z:\\bin\\view\r\n"
              "TMPDIR = \r\n\r\n");
    int first = Settings.FirstItem(settings_keys::FilePaths);
    EXPECT_STREQ(Settings.Item(first + settings_keys::KISSDIR).text, "Z:\\home\\me\\kiss\\");
    // The field itself keeps what was typed.
    EXPECT_EQ(Fields()[1], "/home/me/kiss/");

    // Cancel stores nothing, and the fields keep what was typed.
    std::string before = ReadBytes(dir.file("Tansu.ini"));
    WithDialog(script, main, [&] {
        TypeOver(2, QStringLiteral("other"));
        Press(Form2->BitBtn_CANCEL);
    });
    EXPECT_EQ(ReadBytes(dir.file("Tansu.ini")), before);
    EXPECT_STREQ(Settings.Item(first + settings_keys::KISSEXE).text, "Z:\\bin\\view");
    EXPECT_EQ(Fields()[2], "other");
    // Esc cancels as well.
    WithDialog(script, main, [&] { QTest::keyClick(Field(0), Qt::Key_Escape); });
    EXPECT_EQ(ReadBytes(dir.file("Tansu.ini")), before);
}

TEST(SetupDialog, TheCatalogBrowseLoadsTheCatalogAtOnceAndSetsTheKissFolder) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), IniWith("", "Z:\\K\\", "", ""));
    ASSERT_EQ(::mkdir(dir.file("sets").c_str(), 0755), 0);
    WriteBytes(dir.file("sets/list.csv"), CatalogFile({"D,A.LZH,T,U,ABC01234,1997/05/12,100"}));
    std::string chosen = SystemFormOf(dir.file("sets/list.csv"));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();

    std::string shownWhileOpen;
    std::vector<std::string> fieldsWhileOpen;
    WithDialog(script, main, [&] {
        script.ChooseFile(chosen);
        Press(Form2->ArButton1->ArryCntrl(0));
        shownWhileOpen = main.ComboGrid1->Cells(2, 1);
        fieldsWhileOpen = Fields();
        // A file in the root of the drive: the folder keeps its "\".
        script.ChooseFile("Z:\\list.csv").AnswerMessage(IDOK);  // it cannot be read
        Press(Form2->ArButton1->ArryCntrl(0));
        EXPECT_EQ(Fields()[1], "Z:\\\\");
        script.ChooseFile(chosen);
        Press(Form2->ArButton1->ArryCntrl(0));
        Press(Form2->BitBtn_CANCEL);
    });
    EXPECT_EQ(shownWhileOpen, "A.LZH");
    EXPECT_EQ(fieldsWhileOpen[0], chosen);
    EXPECT_EQ(fieldsWhileOpen[1], SystemFormOf(dir.path()) + "\\sets\\");
    const ui::ModalRecord& browse = script.Records().at(1);
    EXPECT_EQ(browse.dialog.title, "CSV ファイルを開く");
    EXPECT_TRUE(browse.dialog.options.noChangeDir);
    EXPECT_EQ(main.CsvFileName, chosen);
    // Cancel stored nothing: DefaultCSV is still empty.
    int first = Settings.FirstItem(settings_keys::FilePaths);
    EXPECT_STREQ(Settings.Item(first + settings_keys::DefaultCSV).text, "");

    // The next opening shows the settings as they are (Cancel stored
    // nothing); a cancelled browse changes nothing.
    std::vector<std::string> again;
    WithDialog(script, main, [&] {
        script.CancelFile();
        Press(Form2->ArButton1->ArryCntrl(0));
        again = Fields();
        Press(Form2->BitBtn_CANCEL);
    });
    EXPECT_EQ(again[0], "");
}

TEST(SetupDialog, TheViewerBrowseListsProgramsAndTakesNamesWithoutADot) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), IniWith("", "Z:\\K\\", "", ""));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    std::string afterCancel, afterChoice;
    WithDialog(script, main, [&] {
        TypeOver(2, QStringLiteral("Z:\\usr\\bin\\kiss"));
        script.CancelFile().ChooseFile("Z:\\opt\\viewer");
        Press(Form2->ArButton1->ArryCntrl(1));
        afterCancel = Fields()[2];
        Press(Form2->ArButton1->ArryCntrl(1));
        afterChoice = Fields()[2];
        Press(Form2->BitBtn_CANCEL);
    });
    const ui::OpenDialogRequest& asked = script.Records().at(1).dialog;
    EXPECT_EQ(asked.fileName, "Z:\\usr\\bin\\kiss");
    EXPECT_EQ(asked.title, "KISS ローダの選択");
    // Programs first, whatever their names; all files second; no ".exe"
    // added to a name typed without a dot.
    EXPECT_EQ(asked.filter, "実行ファイル|*|全てのﾌｧｲﾙ (*.*)|*.*");
    EXPECT_EQ(asked.executablesFilter, 1);
    EXPECT_EQ(asked.filterIndex, 1);
    EXPECT_EQ(asked.defaultExt, "");
    EXPECT_TRUE(asked.options.fileMustExist);
    EXPECT_EQ(afterCancel, "Z:\\usr\\bin\\kiss");
    EXPECT_EQ(afterChoice, "Z:\\opt\\viewer");
    EXPECT_TRUE(main.CsvFileName.empty());  // no catalog was loaded
}

TEST(SaveWithoutFile, TheSaveDialogNamesTheFileWhichIsWrittenShownAndRemembered) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), IniWith("", "", "", ""));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    TComboGrid& grid = *main.ComboGrid1;
    grid.SetCell(0, 1, "1");
    grid.SetCell(1, 1, "D");
    grid.SetCell(2, 1, "A.LZH");
    main.Modified = true;

    std::string target = SystemFormOf(dir.file("new.csv"));
    script.ChooseFile(target);
    QTest::keyClick(grid.Widget(), Qt::Key_S, Qt::ControlModifier);
    const ui::ModalRecord& asked = script.Records().at(0);
    EXPECT_TRUE(asked.dialog.save);
    EXPECT_TRUE(asked.dialog.options.overwritePrompt);
    EXPECT_TRUE(asked.dialog.options.noChangeDir);
    EXPECT_NE(asked.dialog.filter.find("*.CSV"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir.file("new.csv")), CatalogFile({"D,A.LZH,,,,,"}));
    EXPECT_EQ(main.CsvFileName, target);
    EXPECT_FALSE(main.Modified);
    EXPECT_EQ(main.Caption(), target + " - TANSU メイン画面");
    int first = Settings.FirstItem(settings_keys::FilePaths);
    EXPECT_EQ(std::string(Settings.Item(first + settings_keys::DefaultCSV).text), target);

    // At the close question: Yes asks for the name too; a chosen name is
    // written and the window closes.
    main.CsvFileName.clear();
    main.Modified = true;
    grid.SetCell(3, 1, "T");
    std::string second = SystemFormOf(dir.file("second.csv"));
    script.AnswerMessage(IDYES).ChooseFile(second);
    EXPECT_TRUE(windows.Close());
    EXPECT_EQ(ReadBytes(dir.file("second.csv")), CatalogFile({"D,A.LZH,T,,,,"}));
    EXPECT_NE(ReadBytes(dir.file("Tansu.ini")).find("DefaultCSV = " + second + "\r\n"), std::string::npos);
}

// The KiSS folder and the working folder each have a folder chooser beside
// the field; Enter still walks the fields as before (the new buttons stand
// after the others in the tab order).
TEST(SetupDialog, FolderChoosersFillTheFolderFieldsAndEnterWalksAsBefore) {
    TempFolder dir;
    ScopedEnvironment cache("XDG_CACHE_HOME", dir.file("cache"));
    // An empty working folder (as older versions wrote it) shows the default.
    WriteBytes(dir.file("Tansu.ini"), IniWith("", "Z:\\K\\", "", ""));
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    std::vector<std::string> fields;
    std::vector<bool> focus;
    WithDialog(script, main, [&] {
        script.ChooseFile("Z:\\home\\me\\My Sets").ChooseFile("Z:\\tmp\\work").CancelFile();
        Press(Form2->ArButton1->ArryCntrl(2));
        Press(Form2->ArButton1->ArryCntrl(3));
        Press(Form2->ArButton1->ArryCntrl(3));  // cancelled: the field stays
        fields = Fields();
        // Enter: catalog -> KiSS folder -> viewer -> OK; the working folder,
        // last in the tab order, goes round to the catalog.
        QTest::mouseClick(Field(0), Qt::LeftButton);
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            focus.push_back(i < 2 ? Field(i + 1)->hasFocus() : Form2->BitBtn_OK->Widget()->hasFocus());
        }
        QTest::mouseClick(Field(3), Qt::LeftButton);
        QTest::keyClick(Field(3), Qt::Key_Return);
        focus.push_back(Field(0)->hasFocus());
        Press(Form2->BitBtn_CANCEL);
    });
    EXPECT_EQ(focus, (std::vector<bool>{true, true, true, true}));
    // The KiSS folder is the start of the sets' paths: it ends in "\".
    EXPECT_EQ(fields[1], "Z:\\home\\me\\My Sets\\");
    EXPECT_EQ(fields[3], "Z:\\tmp\\work");
    const ui::OpenDialogRequest& kiss = script.Records().at(1).dialog;
    EXPECT_TRUE(kiss.folder);
    EXPECT_EQ(kiss.title, "KISS ディレクトリの選択");
    EXPECT_EQ(kiss.initialDir, "Z:\\K\\");  // it opens where the field points
    const ui::OpenDialogRequest& work = script.Records().at(2).dialog;
    EXPECT_TRUE(work.folder);
    EXPECT_EQ(work.title, "実行ディレクトリの選択");
    EXPECT_EQ(work.initialDir, SystemFormOf(dir.file("cache")) + "\\tansu");
    EXPECT_TRUE(work.options.noChangeDir);
}

// The dialog shows the settings as they are now each time it opens: after
// File > open changed the catalog, OK keeps that catalog.
TEST(SetupDialog, TheFieldsShowTheCurrentSettingsEachTimeTheDialogOpens) {
    TempFolder dir;
    WriteBytes(dir.file("Tansu.ini"), IniWith("first.csv", "Z:\\K\\", "v", "Z:\\W"));
    WriteBytes(dir.file("first.csv"), CatalogFile({"D,A.LZH,,,,,"}));
    WriteBytes(dir.file("second.csv"), CatalogFile({"E,B.LZH,,,,,"}));
    const std::string second = SystemFormOf(dir.file("second.csv"));
    StrictScript script;
    {
        TansuWindows windows;
        TForm1& main = windows.main();
        main.Show();
        WithDialog(script, main, [&] { Press(Form2->BitBtn_CANCEL); });
        script.ChooseFile(second);
        QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_O, Qt::ControlModifier);
        ASSERT_EQ(main.CsvFileName, second);
        std::string shown;
        WithDialog(script, main, [&] {
            shown = Fields()[0];
            Press(Form2->BitBtn_OK);
        });
        EXPECT_EQ(shown, second);
        EXPECT_TRUE(windows.Close());
    }
    // The next start loads the catalog opened last.
    TansuWindows windows;
    EXPECT_EQ(windows.main().CsvFileName, second);
    EXPECT_EQ(windows.main().ComboGrid1->Cells(2, 1), "B.LZH");
}

// Whatever path the dialog accepts reads back the same after a restart:
// blanks, "~", relative paths, a leading "\"; what cannot be stored is
// refused at OK, naming the field.
TEST(SetupDialog, EveryPathTheDialogAcceptsReadsBackAfterARestart) {
    TempFolder dir;
    ScopedEnvironment home("HOME", dir.path());
    std::filesystem::create_directories(dir.file("my cats"));
    WriteBytes(dir.file("my cats/My List.csv"), CatalogFile({"D,A.LZH,,,,,"}));
    WriteBytes(dir.file("Tansu.ini"), IniWith("", "Z:\\K\\", "", ""));
    const std::vector<std::string> stored = {".\\my cats\\My List.csv", SystemFormOf(dir.path()) + "\\My Sets\\",
                                             "..\\bin\\kiss viewer", "Z:\\tmp\\kiss [work]; =1"};
    StrictScript script;
    {
        TansuWindows windows;
        TForm1& main = windows.main();
        main.Show();
        bool stayedOpen = false, focused = false;
        WithDialog(script, main, [&] {
            TypeOver(0, QStringLiteral("./my cats/My List.csv"));
            TypeOver(1, QStringLiteral("~/My Sets"));
            TypeOver(2, QStringLiteral("../bin/kiss viewer"));
            // A line end pasted into a field cannot be stored.
            QApplication::clipboard()->setText(QStringLiteral("\\tmp\\kiss\nwork"));
            TypeOver(3, QString());
            QTest::keyClick(Field(3), Qt::Key_V, Qt::ControlModifier);
            ASSERT_NE(Field(3)->text().indexOf(u'\n'), -1) << "the line end did not reach the field";
            script.AnswerMessage(IDOK);
            Press(Form2->BitBtn_OK);
            stayedOpen = Form2->Visible();
            focused = Field(3)->hasFocus();
            TypeOver(3, QStringLiteral("\\tmp\\kiss [work]; =1"));
            Press(Form2->BitBtn_OK);
        });
        EXPECT_TRUE(stayedOpen);
        EXPECT_TRUE(focused);
        const ui::ModalRecord& refused = script.Records().at(1);
        EXPECT_EQ(refused.caption, "エラー");
        EXPECT_EQ(refused.text.rfind("「実行ディレクトリ」に、設定ファイルに保存できない文字", 0), 0u) << refused.text;
        std::string file = ReadBytes(dir.file("Tansu.ini"));
        EXPECT_NE(file.find("DefaultCSV = \".\\my cats\\My List.csv\"\r\n"), std::string::npos) << file;
        EXPECT_NE(file.find("KISSEXE = \"..\\bin\\kiss viewer\"\r\n"), std::string::npos) << file;
        EXPECT_TRUE(windows.Close());
    }
    const std::string saved = ReadBytes(dir.file("Tansu.ini"));
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    EXPECT_EQ(main.CsvFileName, stored[0]);
    EXPECT_EQ(main.ComboGrid1->Cells(2, 1), "A.LZH");
    std::vector<std::string> shown;
    WithDialog(script, main, [&] {
        shown = Fields();
        Press(Form2->BitBtn_OK);
    });
    EXPECT_EQ(shown, stored);
    // OK again writes the same file.
    EXPECT_EQ(ReadBytes(dir.file("Tansu.ini")).substr(0, saved.find("[FormPosition]")),
              saved.substr(0, saved.find("[FormPosition]")));
}

// A KiSS folder and a viewer with blanks in their paths: the viewer starts
// and gets the archive as one argument, now and after a restart.
TEST(SetupDialog, PathsWithBlanksReachTheViewerWhole) {
    TempFolder dir;
    std::filesystem::create_directories(dir.file("my bin"));
    std::filesystem::create_directories(dir.file("My Sets/DOLL"));
    std::filesystem::create_directories(dir.file("work dir"));
    const std::string log = dir.file("viewer.log");
    WriteViewer(dir.file("my bin/kiss view"), log);
    WriteBytes(dir.file("My Sets/DOLL/SET 01.LZH"), "lzh");
    WriteBytes(dir.file("cat.csv"), CatalogFile({"DOLL,SET 01.LZH,,,,,"}));
    WriteBytes(dir.file("Tansu.ini"), IniWith("cat.csv", "", "", ""));
    const std::string line =
        std::filesystem::canonical(dir.file("work dir")).string() + " <" + dir.path() + "/My Sets/DOLL/SET 01.LZH>";
    StrictScript script;
    {
        TansuWindows windows;
        TForm1& main = windows.main();
        main.Show();
        WithDialog(script, main, [&] {
            TypeOver(1, QString::fromStdString(dir.path() + "/My Sets"));
            TypeOver(2, QString::fromStdString(dir.path() + "/my bin/kiss view"));
            TypeOver(3, QStringLiteral("work dir"));
            Press(Form2->BitBtn_OK);
        });
        script.AnswerMessage(IDYES);
        QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_Return);
        EXPECT_EQ(WaitForLines(log, 1), std::vector<std::string>{line});
        EXPECT_TRUE(windows.Close());
    }
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    script.AnswerMessage(IDYES);
    QTest::keyClick(main.ComboGrid1->Widget(), Qt::Key_Return);
    EXPECT_EQ(WaitForLines(log, 2), (std::vector<std::string>{line, line}));
}

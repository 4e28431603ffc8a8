// The real Qt message box and file dialog, answered from a timer, and the
// file-filter helpers they rely on.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <sys/stat.h>

#include "framework/ui/forms/dialogs.h"
#include "framework/ui/modal/file_filter.h"
#include "framework/ui/modal/message_box.h"
#include "framework/ui/modal/message_box_flags.h"
#include "framework/ui/modal/qt_open_dialog.h"
#include "framework/ui/graphics/qt_text.h"
#include "platform/os_path.h"
#include "support/test_files.h"
#include "framework/ui/ui_test_support.h"

namespace ui {
namespace {

using testing::WhenModal;

std::vector<QPushButton*> ButtonsLeftToRight(QMessageBox& box) {
    std::vector<QPushButton*> buttons;
    for (QAbstractButton* b : box.buttons()) buttons.push_back(qobject_cast<QPushButton*>(b));
    std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    return buttons;
}

QString Q(const char* cp932) { return ToQt(cp932); }

TEST(QtMessageBox, ShowsOurJapaneseButtonsInOrderAndAnswersWithTheirIds) {
    QStringList texts;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenModal<QMessageBox>([&](QMessageBox& box) {
        box.layout()->activate();
        for (QPushButton* b : ButtonsLeftToRight(box)) texts << b->text();
        title = box.windowTitle();
        text = box.text();
        icon = box.icon();
        for (QPushButton* b : ButtonsLeftToRight(box))
            if (b->text() == Q("いいえ(&N)")) b->click();
    });
    int answer = RunQtMessageBox("データが更新されています。\n保存してから終了しますか？", "保存確認",
                                 MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(texts, (QStringList{Q("はい(&Y)"), Q("いいえ(&N)"), Q("キャンセル")}));
    EXPECT_EQ(title, Q("保存確認"));
    EXPECT_EQ(text, Q("データが更新されています。\n保存してから終了しますか？"));
    EXPECT_EQ(icon, QMessageBox::Question);
}

TEST(QtMessageBox, EscAnswersCancelOrOkAndDoesNothingInAYesNoBox) {
    WhenModal<QMessageBox>([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(RunQtMessageBox("t", "c", MB_OKCANCEL | MB_ICONEXCLAMATION), IDCANCEL);

    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenModal<QMessageBox>([&](QMessageBox& box) {
        icon = box.icon();
        QTest::keyClick(&box, Qt::Key_Escape);
    });
    EXPECT_EQ(RunQtMessageBox("Tansu #02", "About this Application", MB_OK | MB_ICONINFORMATION), IDOK);
    EXPECT_EQ(icon, QMessageBox::Information);

    bool stillUp = false;
    WhenModal<QMessageBox>([&](QMessageBox& box) {
        QTest::keyClick(&box, Qt::Key_Escape);
        box.close();  // the close box is refused too
        stillUp = box.isVisible();
        QTest::keyClick(&box, Qt::Key_Y);  // the mnemonic answers
    });
    EXPECT_EQ(RunQtMessageBox("t", "c", MB_YESNO | MB_ICONSTOP), IDYES);
    EXPECT_TRUE(stillUp);

    // The default button follows MB_DEFBUTTON2.
    QString def;
    WhenModal<QMessageBox>([&](QMessageBox& box) {
        def = box.defaultButton()->text();
        box.defaultButton()->click();
    });
    EXPECT_EQ(RunQtMessageBox("t", "c", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(def, Q("いいえ(&N)"));
}

TEST(FileFilter, ParsesDescriptionsAndPatterns) {
    auto items = ParseFileFilter("NIFTY 補足説明 (*.ﾎｿｸ, *.hed, *.up) |*.ﾎｿｸ;*.HED;*.up|全てのﾌｧｲﾙ (*.*)|*.*");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].description, "NIFTY 補足説明 (*.ﾎｿｸ, *.hed, *.up) ");
    EXPECT_EQ(items[0].patterns, (std::vector<std::string>{"*.ﾎｿｸ", "*.HED", "*.up"}));
    EXPECT_EQ(items[1].patterns, (std::vector<std::string>{"*.*"}));
    // "ポ" is 0x83 0x7C: its second byte is no "|".
    items = ParseFileFilter("ポ|*.ポ|only a description");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].description, "ポ");
    EXPECT_EQ(items[0].patterns, (std::vector<std::string>{"*.ポ"}));
    EXPECT_TRUE(ParseFileFilter("").empty());

    EXPECT_TRUE(MatchesFilePattern(QStringLiteral("*.CSV"), QStringLiteral("list.csv")));
    EXPECT_TRUE(MatchesFilePattern(QStringLiteral("*.*"), QStringLiteral("README")));
    EXPECT_TRUE(MatchesFilePattern(Q("*.ﾎｿｸ"), Q("説明.ﾎｿｸ")));
    EXPECT_FALSE(MatchesFilePattern(Q("*.ﾎｿｸ"), QStringLiteral("a.txt")));
    EXPECT_TRUE(MatchesFilePattern(QStringLiteral("a?c*.lzh"), QStringLiteral("ABCDE.LZH")));
    EXPECT_FALSE(MatchesFilePattern(QStringLiteral("*.lzh"), QStringLiteral("a.lzh.bak")));

    EXPECT_EQ(DefaultSuffix("*.CSV"), "CSV");
    EXPECT_EQ(DefaultSuffix("*.ﾎｿｸ;*.hed;*.up"), "ﾎｿｸ");
    EXPECT_EQ(DefaultSuffix(".lzh"), "lzh");
    EXPECT_EQ(DefaultSuffix("exe"), "exe");
    EXPECT_EQ(DefaultSuffix("*.*"), "");
    EXPECT_EQ(DefaultSuffix(""), "");
}

TEST(QtOpenDialog, ReturnsTheChosenFileAsAnOsPath) {
    testsupport::TempFolder folder(false);
    testsupport::WriteBytes(folder.file("list.csv"), "x");
    testsupport::WriteBytes(folder.file(testing::Utf8(u8"説明.ﾎｿｸ")), "x");

    OpenDialogRequest request;
    request.title = "NIFTY 補足説明ファイルからの読込";
    request.filter = "NIFTY 補足説明 (*.ﾎｿｸ, *.hed, *.up) |*.ﾎｿｸ;*.HED;*.up|全てのﾌｧｲﾙ (*.*)|*.*";
    request.defaultExt = "*.ﾎｿｸ;*.hed;*.up";
    request.initialDir = *platform::FromOsPath(folder.path());
    request.options.fileMustExist = true;

    QString title, acceptText, filterShown, suffix, dir;
    WhenModal<QFileDialog>([&](QFileDialog& d) {
        title = d.windowTitle();
        acceptText = d.labelText(QFileDialog::Accept);
        filterShown = d.selectedNameFilter();
        suffix = d.defaultSuffix();
        dir = d.directory().absolutePath();
        auto* name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(name);
        name->setText(QString::fromUtf8(u8"説明"));  // the default suffix completes it
        QTest::keyClick(name, Qt::Key_Return);
    });
    auto chosen = RunQtOpenDialog(request);
    ASSERT_TRUE(chosen);
    ASSERT_EQ(chosen->size(), 1);
    EXPECT_EQ(chosen->front(), QString::fromStdString(folder.file(testing::Utf8(u8"説明.ﾎｿｸ"))));
    EXPECT_EQ(title, Q("NIFTY 補足説明ファイルからの読込"));
    EXPECT_EQ(acceptText, Q("開く(&O)"));
    EXPECT_TRUE(filterShown.startsWith(Q("NIFTY 補足説明"))) << filterShown.toStdString();
    EXPECT_EQ(suffix, Q("ﾎｿｸ"));
    EXPECT_EQ(dir, QString::fromStdString(folder.path()));

    WhenModal<QFileDialog>([](QFileDialog& d) { d.reject(); });
    EXPECT_EQ(RunQtOpenDialog(request), std::nullopt);
}

TEST(QtOpenDialog, ASaveDialogTakesANewNameAndAsksBeforeReplacingWhenTold) {
    testsupport::TempFolder folder(false);
    testsupport::WriteBytes(folder.file("old.CSV"), "x");

    OpenDialogRequest request;
    request.title = "CSV ファイルに名前を付けて保存";
    request.filter = "CSVﾌｧｲﾙ  (*.CSV) |*.CSV|全てのﾌｧｲﾙ (*.*)|*.*";
    request.defaultExt = "*.CSV";
    request.initialDir = *platform::FromOsPath(folder.path());
    request.options.pathMustExist = true;
    request.options.overwritePrompt = true;
    request.save = true;

    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    QString acceptText;
    bool confirms = false;
    WhenModal<QFileDialog>([&](QFileDialog& d) {
        mode = d.acceptMode();
        acceptText = d.labelText(QFileDialog::Accept);
        confirms = !d.testOption(QFileDialog::DontConfirmOverwrite);
        auto* name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(name);
        name->setText(QStringLiteral("new"));  // no such file yet; the suffix completes it
        QTest::keyClick(name, Qt::Key_Return);
    });
    auto chosen = RunQtOpenDialog(request);
    ASSERT_TRUE(chosen);
    ASSERT_EQ(chosen->size(), 1);
    EXPECT_EQ(chosen->front(), QString::fromStdString(folder.file("new.CSV")));
    EXPECT_EQ(mode, QFileDialog::AcceptSave);
    EXPECT_EQ(acceptText, Q("保存(&S)"));
    EXPECT_TRUE(confirms);

    // Without the overwrite option an existing name is taken as it is.
    request.options.overwritePrompt = false;
    WhenModal<QFileDialog>([&](QFileDialog& d) {
        confirms = !d.testOption(QFileDialog::DontConfirmOverwrite);
        auto* name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(name);
        name->setText(QStringLiteral("old.CSV"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    chosen = RunQtOpenDialog(request);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->front(), QString::fromStdString(folder.file("old.CSV")));
    EXPECT_FALSE(confirms);
}

TEST(QtOpenDialog, TheSaveDialogComponentAsksThroughTheModalHost) {
    TSaveDialog save(nullptr);
    save.SetTitle("CSV ファイルに名前を付けて保存");
    save.SetOptions(ofOverwritePrompt | ofNoChangeDir);
    TOpenDialog open(nullptr);
    open.SetOptions(ofOverwritePrompt);
    testing::CheckedScript script;
    script.ChooseFile("Z:\\tmp\\new.csv").CancelFile();
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName(), "Z:\\tmp\\new.csv");
    EXPECT_FALSE(open.Execute());
    ASSERT_EQ(script.Records().size(), 2u);
    EXPECT_TRUE(script.Records()[0].dialog.save);
    EXPECT_TRUE(script.Records()[0].dialog.options.overwritePrompt);
    EXPECT_TRUE(script.Records()[0].dialog.options.noChangeDir);
    EXPECT_FALSE(script.Records()[1].dialog.save);
}

// Qt knows only ASCII in filter patterns; the dialog must still show
// exactly the files of the chosen filter.
TEST(QtOpenDialog, ShowsExactlyTheFilesOfTheChosenFilter) {
    testsupport::TempFolder folder(false);
    for (const std::string& name : {std::string("list.csv"), std::string("a.txt"), std::string("b.HED"),
                                    testing::Utf8(u8"説明.ﾎｿｸ")})
        testsupport::WriteBytes(folder.file(name), "x");
    OpenDialogRequest request;
    request.filter = "NIFTY 補足説明 (*.ﾎｿｸ, *.hed, *.up) |*.ﾎｿｸ;*.HED;*.up|全てのﾌｧｲﾙ (*.*)|*.*";
    request.initialDir = *platform::FromOsPath(folder.path());

    auto listed = [](QListView* view) {
        QStringList names;
        QModelIndex root = view->rootIndex();
        for (int r = 0; r < view->model()->rowCount(root); ++r)
            names << view->model()->index(r, 0, root).data().toString();
        names.sort();
        return names;
    };
    QStringList described, all;
    WhenModal<QFileDialog>([&](QFileDialog& d) {
        auto* view = d.findChild<QListView*>(QStringLiteral("listView"));
        ASSERT_TRUE(view);
        EXPECT_TRUE(QTest::qWaitFor([&] { return listed(view).size() == 2; }, 5000));
        described = listed(view);
        d.selectNameFilter(d.nameFilters().at(1));
        Q_EMIT d.filterSelected(d.nameFilters().at(1));
        EXPECT_TRUE(QTest::qWaitFor([&] { return listed(view).size() == 4; }, 5000));
        all = listed(view);
        d.reject();
    });
    EXPECT_EQ(RunQtOpenDialog(request), std::nullopt);
    EXPECT_EQ(described, (QStringList{QStringLiteral("b.HED"), QString::fromUtf8(u8"説明.ﾎｿｸ")}));
    EXPECT_EQ(all.size(), 4);
}

}  // namespace
// The viewer's browse on Linux: programs first, whatever their names (no
// ".exe" there), and a name typed without a dot is taken as it is.
TEST(QtOpenDialog, AnExecutablesFilterListsProgramsAndTakesNamesWithoutADot) {
    testsupport::TempFolder folder(false);
    for (const char* name : {"tansu-kiss", "viewer.sh", "notes.txt", "data"}) testsupport::WriteBytes(folder.file(name), "x");
    chmod(folder.file("tansu-kiss").c_str(), 0755);
    chmod(folder.file("viewer.sh").c_str(), 0755);
    OpenDialogRequest request;
    request.filter = "実行ファイル|*|全てのﾌｧｲﾙ (*.*)|*.*";
    request.executablesFilter = 1;
    request.initialDir = *platform::FromOsPath(folder.path());
    request.options.fileMustExist = true;

    auto listed = [](QListView* view) {
        QStringList names;
        QModelIndex root = view->rootIndex();
        for (int r = 0; r < view->model()->rowCount(root); ++r) names << view->model()->index(r, 0, root).data().toString();
        names.sort();
        return names;
    };
    QStringList programs, all;
    QString shownFilter;
    WhenModal<QFileDialog>([&](QFileDialog& d) {
        auto* view = d.findChild<QListView*>(QStringLiteral("listView"));
        ASSERT_TRUE(view);
        shownFilter = d.selectedNameFilter();
        EXPECT_TRUE(QTest::qWaitFor([&] { return listed(view).size() == 2; }, 5000));
        programs = listed(view);
        d.selectNameFilter(d.nameFilters().at(1));
        Q_EMIT d.filterSelected(d.nameFilters().at(1));
        EXPECT_TRUE(QTest::qWaitFor([&] { return listed(view).size() == 4; }, 5000));
        all = listed(view);
        auto* name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(name);
        name->setText(QStringLiteral("tansu-kiss"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    auto chosen = RunQtOpenDialog(request);
    EXPECT_TRUE(shownFilter.startsWith(Q("実行ファイル"))) << shownFilter.toStdString();
    EXPECT_EQ(programs, (QStringList{QStringLiteral("tansu-kiss"), QStringLiteral("viewer.sh")}));
    EXPECT_EQ(all.size(), 4);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->front(), QString::fromStdString(folder.file("tansu-kiss")));
}

TEST(QtOpenDialog, AFolderDialogShowsFoldersAndGivesTheChosenOne) {
    testsupport::TempFolder folder(false);
    testsupport::WriteBytes(folder.file("file.txt"), "x");
    ASSERT_EQ(mkdir(folder.file("My Sets").c_str(), 0777), 0);
    OpenDialogRequest request;
    request.title = "KISS ディレクトリの選択";
    request.folder = true;
    request.initialDir = *platform::FromOsPath(folder.path());
    request.options.pathMustExist = true;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    bool dirsOnly = false;
    QString acceptText;
    WhenModal<QFileDialog>([&](QFileDialog& d) {
        mode = d.fileMode();
        dirsOnly = d.testOption(QFileDialog::ShowDirsOnly);
        acceptText = d.labelText(QFileDialog::Accept);
        auto* name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(name);
        name->setText(QStringLiteral("My Sets"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    auto chosen = RunQtOpenDialog(request);
    EXPECT_EQ(mode, QFileDialog::Directory);
    EXPECT_TRUE(dirsOnly);
    EXPECT_EQ(acceptText, Q("選択(&S)"));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->front(), QString::fromStdString(folder.file("My Sets")));
}

}  // namespace ui

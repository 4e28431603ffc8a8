// The preview window as the user meets it: Ctrl+P or the View menu opens
// it beside the catalog, it follows the selection (arrow keys at any
// speed, the latest row wins, rows seen before come back at once), says
// in a line what it cannot show, and its place is kept in Tansu.ini.
#include "app_test_support.h"

#include "framework/ui/forms/application.h"
#include "preview/preview_form.h"
#include "tools/test_set.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

using testsupport::ReadBytes;
using testsupport::TempFolder;
using testsupport::WriteBytes;
namespace demo = kisstools::demo;

namespace {

// Handles events until `done` (false after 10 s).
bool WaitUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void Key(TForm1& main, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(main.ComboGrid1->Widget(), key, modifiers);
}

std::string Title() { return PreviewForm->Label1->Caption(); }
std::string Line() { return PreviewForm->Panel1->Caption(); }

// The colour the preview shows at a point of the set's playfield.
QRgb ShownAt(int x, int y) {
    TImage& image = *PreviewForm->Image1;
    const ui::Rect r = image.DrawnRect();
    EXPECT_EQ(r.right - r.left, image.PictureWidth()) << "not scaled";
    return image.Widget()->grab().toImage().pixel(r.left + x, r.top + y) | 0xFF000000u;
}

// A KiSS folder with the demonstration set, a set of 100 cels, a damaged
// archive, and a catalog that also lists a missing archive and a record
// without one.
struct Collection {
    TempFolder dir;
    Collection() {
        std::filesystem::create_directories(dir.file("KISS/DEMO"));
        const std::string set = kisstools::WriteLzh(kisstools::MakeDemoSet(), 1);
        WriteBytes(dir.file("KISS/DEMO/DEMODOLL.LZH"), set);
        WriteBytes(dir.file("KISS/DEMO/LARGE.LZH"), kisstools::WriteLzh(kisstools::MakeLargeSet(100), 0));
        std::string damaged = set;
        damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x55);
        WriteBytes(dir.file("KISS/DEMO/BROKEN.LZH"), damaged);
        WriteBytes(dir.file("Tansu.CSV"), CatalogFile({"DEMO,DEMODOLL.LZH,デモ人形,作者,,,",
                                                       "DEMO,LARGE.LZH,大きなセット,作者,,,",
                                                       "DEMO,,書庫なし,作者,,,",
                                                       "DEMO,NONE.LZH,ない書庫,作者,,,",
                                                       "DEMO,BROKEN.LZH,壊れた書庫,作者,,,"}));
        // A main window that leaves room for the preview on the test screen.
        WriteBytes(dir.file("Tansu.ini"), "[FilePaths]\r\nDefaultCSV = Tansu.CSV\r\nKISSDIR = " +
                                              SystemFormOf(dir.file("KISS")) +
                                              "\\\r\n\r\n[FormPosition]\r\nTop = 10\r\nLeft = 0\r\nWidth = 400\r\nHeight = 300\r\n");
    }
};

}  // namespace

TEST(Preview, FollowsTheSelectionAndSaysWhatItCannotShow) {
    Collection c;
    StrictScript script;
    TansuWindows windows;
    TForm1& main = windows.main();
    main.Show();
    ASSERT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == main.Widget(); }));
    EXPECT_FALSE(PreviewForm->Visible());

    Key(main, Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(PreviewForm->Visible());
    EXPECT_TRUE(main.MenuViewPreview->Checked());
    EXPECT_EQ(PreviewForm->Left(), main.Left() + main.Width());  // beside the catalog
    EXPECT_EQ(PreviewForm->Top(), main.Top());
    // The catalog keeps the keyboard.
    QTest::qWait(20);
    EXPECT_EQ(QApplication::activeWindow(), main.Widget());
    PreviewForm->SetBounds(PreviewForm->Left(), PreviewForm->Top(), 420, 400);  // room for 300 x 260

    ASSERT_TRUE(WaitUntil([] { return PreviewForm->Image1->HasPicture(); }));
    EXPECT_EQ(Title(), "デモ人形");
    EXPECT_EQ(Line(), "");
    EXPECT_EQ(PreviewForm->Image1->PictureWidth(), demo::kWidth);
    EXPECT_EQ(ShownAt(2, 2), 0xFF000000u | demo::kBackground[0]);
    EXPECT_EQ(ShownAt(demo::kHatX0 + demo::kHatBrimX, demo::kHatY0 + demo::kHatBrimY), 0xFF000000u | demo::kHatYellow[0]);
    EXPECT_EQ(ShownAt(demo::kDollX + demo::kBodyPixelX, demo::kDollY + demo::kBodyPixelY), 0xFF000000u | demo::kLeotard[0]);

    // The next row's set is made off the main thread: the key is handled
    // and the window still shows the former set until the new one is ready.
    Key(main, Qt::Key_Down);
    EXPECT_EQ(main.ComboGrid1->Row(), 2);
    EXPECT_EQ(Title(), "デモ人形");
    ASSERT_TRUE(WaitUntil([] { return Title() == "大きなセット"; }));
    // 640 x 480, scaled down to fit with its shape kept.
    TImage& image = *PreviewForm->Image1;
    const ui::Rect r = image.DrawnRect();
    EXPECT_EQ(image.PictureWidth(), 640);
    EXPECT_LE(r.right - r.left, image.Width());
    EXPECT_LE(r.bottom - r.top, image.Height());
    EXPECT_NEAR((r.right - r.left) * 480.0 / (r.bottom - r.top), 640.0, 4.0);

    // Lines instead of pictures.
    Key(main, Qt::Key_Down);
    EXPECT_EQ(Line(), "このレコードには書庫の指定がありません");
    EXPECT_EQ(Title(), "書庫なし");
    EXPECT_FALSE(image.HasPicture());
    Key(main, Qt::Key_Down);
    EXPECT_EQ(Line(), "書庫が見つかりません: DEMO\\NONE.LZH");
    EXPECT_EQ(Title(), "ない書庫");
    Key(main, Qt::Key_Down);
    ASSERT_TRUE(WaitUntil([] { return Title() == "壊れた書庫"; }));
    EXPECT_EQ(Line(), "書庫を読めません: DEMO\\BROKEN.LZH");

    // Back up at key-repeat speed: rows seen before come back at once.
    for (int row = 4; row >= 1; --row) {
        Key(main, Qt::Key_Up);
        EXPECT_EQ(main.ComboGrid1->Row(), row);
    }
    EXPECT_EQ(Title(), "デモ人形");
    EXPECT_TRUE(image.HasPicture());
    EXPECT_EQ(ShownAt(2, 2), 0xFF000000u | demo::kBackground[0]);

    // A burst down to a set not made yet: the latest row wins and stays.
    WriteBytes(c.dir.file("KISS/DEMO/LARGE.LZH"), kisstools::WriteLzh(kisstools::MakeLargeSet(30), 1));  // changed
    WriteBytes(c.dir.file("KISS/DEMO/BROKEN.LZH"), kisstools::WriteLzh(kisstools::MakeDemoSet(), 0));  // mended
    for (int i = 0; i < 4; ++i) Key(main, Qt::Key_Down);
    ASSERT_TRUE(WaitUntil([] { return Title() == "壊れた書庫"; }));
    EXPECT_TRUE(image.HasPicture());
    const auto settle = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    WaitUntil([&] { return std::chrono::steady_clock::now() > settle; });
    EXPECT_EQ(Title(), "壊れた書庫");  // no late picture of a row passed by replaced it
    EXPECT_EQ(Line(), "");

    // Ctrl+P again closes it; so does its own close, and the mark follows.
    Key(main, Qt::Key_P, Qt::ControlModifier);
    EXPECT_FALSE(PreviewForm->Visible());
    EXPECT_FALSE(main.MenuViewPreview->Checked());
    main.MenuViewPreview->Click();
    EXPECT_TRUE(PreviewForm->Visible());
    EXPECT_TRUE(main.MenuViewPreview->Checked());
    PreviewForm->Close();
    EXPECT_FALSE(main.MenuViewPreview->Checked());
}

TEST(Preview, ItsPlaceIsKeptInASectionOfItsOwnOnceItWasUsed) {
    Collection c;
    StrictScript script;
    {
        TansuWindows windows;
        EXPECT_TRUE(windows.Close());
    }
    // Never opened: the settings file is written as before.
    EXPECT_EQ(ReadBytes(c.dir.file("Tansu.ini")).find("[Preview]"), std::string::npos);
    {
        TansuWindows windows;
        windows.main().Show();
        Key(windows.main(), Qt::Key_P, Qt::ControlModifier);
        PreviewForm->SetBounds(300, 40, 400, 350);
        EXPECT_TRUE(windows.Close());
    }
    const std::string saved = ReadBytes(c.dir.file("Tansu.ini"));
    EXPECT_NE(saved.find("\r\n\r\n[Preview]\r\nVisible = 1\r\nTop = 40\r\nLeft = 300\r\nWidth = 400\r\nHeight = 350\r\n"),
              std::string::npos)
        << saved;
    {
        // It opens again where it was, and closed it stays closed.
        TansuWindows windows;
        windows.main().Show();
        ASSERT_TRUE(PreviewForm->Visible());
        EXPECT_TRUE(windows.main().MenuViewPreview->Checked());
        EXPECT_EQ(PreviewForm->Left(), 300);
        EXPECT_EQ(PreviewForm->Top(), 40);
        EXPECT_EQ(PreviewForm->Width(), 400);
        EXPECT_EQ(PreviewForm->Height(), 350);
        ASSERT_TRUE(WaitUntil([] { return Title() == "デモ人形"; }));
        Key(windows.main(), Qt::Key_P, Qt::ControlModifier);
        EXPECT_TRUE(windows.Close());
    }
    EXPECT_NE(ReadBytes(c.dir.file("Tansu.ini")).find("[Preview]\r\nVisible = 0\r\n"), std::string::npos);
    {
        TansuWindows windows;
        windows.main().Show();
        EXPECT_FALSE(PreviewForm->Visible());
    }

    // A place off the screen (a smaller screen than last time) is pulled
    // back onto it.
    std::string ini = ReadBytes(c.dir.file("Tansu.ini"));
    ini.replace(ini.find("Left = 300"), 10, "Left = 5000");
    WriteBytes(c.dir.file("Tansu.ini"), ini);
    {
        TansuWindows windows;
        windows.main().Show();
        Key(windows.main(), Qt::Key_P, Qt::ControlModifier);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_EQ(PreviewForm->Left(), screen.left() + screen.width() - 400);
        EXPECT_EQ(PreviewForm->Top(), 40);
    }
}

TEST(Preview, ARelativeKissFolderLiesInTheViewersWorkingFolderAsWhenTheSetIsOpened) {
    TempFolder dir;
    std::filesystem::create_directories(dir.file("work/kiss/DEMO"));
    WriteBytes(dir.file("work/kiss/DEMO/DEMODOLL.LZH"), kisstools::WriteLzh(kisstools::MakeDemoSet(), 1));
    WriteBytes(dir.file("Tansu.CSV"), CatalogFile({"DEMO,DEMODOLL.LZH,デモ人形,作者,,,"}));
    WriteBytes(dir.file("Tansu.ini"), "[FilePaths]\r\nDefaultCSV = Tansu.CSV\r\nKISSDIR = kiss\\\r\nTMPDIR = work\r\n");
    StrictScript script;
    TansuWindows windows;
    windows.main().Show();
    Key(windows.main(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(WaitUntil([] { return !Title().empty(); }));
    EXPECT_EQ(Line(), "");
    EXPECT_TRUE(PreviewForm->Image1->HasPicture());
}

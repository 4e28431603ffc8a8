// The viewer as a user meets it: started on an archive in a working folder,
// it unpacks into a new folder there, shows the doll, switches sets by button
// and key, and lets objects be dragged; bad archives end in a message.
#include "app/argument.h"
#include "app/viewer_window.h"
#include "archive_test_support.h"
#include "kiss/compose.h"
#include "tools/test_set.h"

#include <QAction>
#include <QElapsedTimer>
#include <QStatusBar>
#include <QApplication>
#include <QMenu>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

using kissviewer::Messages;
using kissviewer::ViewerWindow;
using testsupport::TempFolder;
using testsupport::WriteBytes;
namespace demo = kisstools::demo;

namespace {

struct Recorded {
    Messages::Kind kind;
    QString text;
};

class RecordingMessages : public Messages {
public:
    std::vector<Recorded> shown;
    void Show(QWidget*, Kind kind, const QString&, const QString& text) override { shown.push_back({kind, text}); }
};

QRgb Opaque(unsigned rgb) { return 0xFF000000u | rgb; }

// The window started as the launcher starts it: in the working folder, on
// the archive lying elsewhere.
struct Viewer {
    TempFolder work;  // current folder = the viewer's working folder
    RecordingMessages messages;
    ViewerWindow window{&messages};
    std::string archive;

    explicit Viewer(const std::string& bytes, const std::string& name = "DEMODOLL.LZH") {
        std::filesystem::create_directory(work.file("kiss"));
        archive = work.file("kiss/" + name);
        WriteBytes(archive, bytes);
        std::filesystem::create_directory(work.file("tmp"));
        std::filesystem::current_path(work.file("tmp"));
    }
    // Opens the archive and waits until its files are written.
    bool Open() {
        bool ok = window.Open(archive);
        window.FinishUnpacking();
        return ok;
    }
    // Where the window unpacked the set.
    std::string Unpacked(const std::string& name) const { return window.unpackFolder()->path() + "/" + name; }
    QImage Shot() { return window.playfield()->grab().toImage(); }
    QRgb Pixel(int x, int y) { return Shot().pixel(x, y); }
    QPushButton* SetButton(int s) { return window.findChild<QPushButton*>(QStringLiteral("SetButton%1").arg(s)); }
    void Drag(QPoint from, QPoint to) {
        QWidget* field = window.playfield();
        QTest::mousePress(field, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(field, (from + to) / 2);
        QTest::mouseMove(field, to);
        QTest::mouseRelease(field, Qt::LeftButton, Qt::NoModifier, to);
    }
};

std::string DemoLzh() { return kisstools::WriteLzh(kisstools::MakeDemoSet(), 1); }

}  // namespace

TEST(ViewerWindow, UnpacksIntoANewFolderInTheWorkingFolderAndShowsTheDoll) {
    Viewer v(DemoLzh());
    ASSERT_TRUE(v.window.Open(v.archive));
    ASSERT_NE(v.window.unpackFolder(), nullptr);
    // The files are written meanwhile; the window learns of it by itself.
    for (int i = 0; i < 500 && !testsupport::Exists(v.Unpacked("\xE8\xAA\xAC\xE6\x98\x8E.TXT")); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QTest::qWait(10);
    }
    QTest::qWait(20);
    EXPECT_TRUE(v.messages.shown.empty()) << v.messages.shown.front().text.toStdString();
    EXPECT_EQ(v.window.windowTitle(), QStringLiteral("DEMODOLL.LZH"));
    // Unpacked into a folder of its own in the working folder, named after
    // the archive; nothing beside the archive.
    const std::string folder = v.window.unpackFolder()->name();
    EXPECT_EQ(kisstest::Listing(v.work.file("tmp"))[0], folder);
    EXPECT_EQ(folder.substr(0, 9), "DEMODOLL-");
    EXPECT_TRUE(testsupport::Exists(v.work.file("tmp/" + folder + "/BODY.CEL")));
    EXPECT_TRUE(testsupport::Exists(v.Unpacked("\xE8\xAA\xAC\xE6\x98\x8E.TXT")));
    EXPECT_EQ(kisstest::Listing(v.work.file("kiss")), (std::vector<std::string>{"DEMODOLL.LZH"}));

    v.window.show();
    EXPECT_EQ(v.window.playfield()->size(), QSize(demo::kWidth, demo::kHeight));
    // The window fits the playfield: all of it in view.
    auto* area = v.window.findChild<QWidget*>(QStringLiteral("PlayfieldArea"));
    ASSERT_NE(area, nullptr);
    EXPECT_GE(area->width(), demo::kWidth);
    EXPECT_GE(area->height(), demo::kHeight);
    const QImage shot = v.Shot();
    // Each cel's pixel in its palette's colour (group 0 in set 0).
    EXPECT_EQ(shot.pixel(demo::kHatX0 + demo::kHatBrimX, demo::kHatY0 + demo::kHatBrimY), Opaque(demo::kHatYellow[0]));
    EXPECT_EQ(shot.pixel(demo::kShirtX0 + demo::kShirtPixelX, demo::kShirtY0 + demo::kShirtPixelY),
              Opaque(demo::kShirtPink[0]));
    EXPECT_EQ(shot.pixel(demo::kSkirtX0 + demo::kSkirtOffsetX + demo::kSkirtPixelX,
                         demo::kSkirtY0 + demo::kSkirtOffsetY + demo::kSkirtPixelY),
              Opaque(demo::kSkirtBlue[0]))
        << "the 4-bit cel is drawn at its place plus its offset";
    EXPECT_EQ(shot.pixel(demo::kDollX + demo::kBodyPixelX, demo::kDollY + demo::kBodyPixelY), Opaque(demo::kLeotard[0]));
    // Colour 0 is transparent: the background shows through the hat's corner.
    EXPECT_EQ(shot.pixel(demo::kHatX0 + demo::kHatCornerX, demo::kHatY0 + demo::kHatCornerY),
              Opaque(demo::kBackground[0]));
    EXPECT_EQ(shot.pixel(2, 2), Opaque(demo::kBackground[0]));
}

TEST(ViewerWindow, SetButtonsAndKeysSwitchSetsPalettesAndLayers) {
    Viewer v(DemoLzh());
    ASSERT_TRUE(v.Open());
    v.window.show();
    for (int s = 0; s < 10; ++s) EXPECT_EQ(v.SetButton(s)->isEnabled(), s <= 2) << s;
    EXPECT_TRUE(v.SetButton(0)->isChecked());

    // Set 1: dressed, palette group 1.  The shirt lies over the body, the
    // hat over the hair: the first cels listed are on top.
    QTest::mouseClick(v.SetButton(1), Qt::LeftButton);
    EXPECT_TRUE(v.SetButton(1)->isChecked());
    QImage shot = v.Shot();
    EXPECT_EQ(shot.pixel(demo::kShirtX1 + demo::kShirtPixelX, demo::kShirtY1 + demo::kShirtPixelY),
              Opaque(demo::kShirtPink[1]));
    EXPECT_EQ(shot.pixel(demo::kHatX1 + demo::kHatBrimX, demo::kHatY1 + demo::kHatBrimY), Opaque(demo::kHatYellow[1]));
    // The hat's brim covers hair of the doll below it.
    const int hairX = demo::kHatX1 + demo::kHatBrimX, hairY = demo::kHatY1 + demo::kHatBrimY;
    EXPECT_EQ(v.window.doll()->HitTest(hairX, hairY), 0);
    EXPECT_EQ(shot.pixel(demo::kHatX0 + demo::kHatBrimX, demo::kHatY0 + demo::kHatBrimY), Opaque(demo::kBackground[1]))
        << "nothing left where the hat was in set 0";
    // Where the shirt's hem overlaps the skirt's waist, the shirt (listed
    // first) is drawn; without the shirt (set 2) the skirt shows there.
    const QPoint waist(demo::kShirtX1 + 30, demo::kSkirtY2 + demo::kSkirtOffsetY + 1);
    EXPECT_EQ(shot.pixel(waist), Opaque(demo::kShirtPink[1]));

    // Key 2: set 2, the shirt and hat are not placed; group 0 again.
    QTest::keyClick(&v.window, Qt::Key_2);
    EXPECT_TRUE(v.SetButton(2)->isChecked());
    shot = v.Shot();
    EXPECT_EQ(shot.pixel(demo::kShirtX1 + demo::kShirtPixelX, demo::kShirtY1 + demo::kShirtPixelY),
              Opaque(demo::kLeotard[0]))
        << "without the shirt the leotard shows";
    EXPECT_EQ(shot.pixel(demo::kSkirtX2 + demo::kSkirtOffsetX + demo::kSkirtPixelX,
                         demo::kSkirtY2 + demo::kSkirtOffsetY + demo::kSkirtPixelY),
              Opaque(demo::kSkirtBlue[0]));
    EXPECT_EQ(shot.pixel(waist), Opaque(demo::kSkirtBlue[0]));
    // A set the file does not define changes nothing.
    QTest::keyClick(&v.window, Qt::Key_7);
    EXPECT_TRUE(v.SetButton(2)->isChecked());
    EXPECT_EQ(v.window.doll()->currentSet(), 2);
}

TEST(ViewerWindow, DraggingMovesAnObjectAndAFixedOneOnlyAfterItsDrags) {
    Viewer v(DemoLzh());
    ASSERT_TRUE(v.Open());
    v.window.show();
    const QPoint brim(demo::kHatX0 + demo::kHatBrimX, demo::kHatY0 + demo::kHatBrimY);
    v.Drag(brim, brim + QPoint(-200, 60));
    QImage shot = v.Shot();
    EXPECT_EQ(shot.pixel(brim + QPoint(-200, 60)), Opaque(demo::kHatYellow[0]));
    EXPECT_EQ(shot.pixel(brim), Opaque(demo::kBackground[0]));
    EXPECT_EQ(v.window.doll()->Place(demo::kHat), (kiss::Position{demo::kHatX0 - 200, demo::kHatY0 + 60}));
    // Only this set's place changed.
    QTest::keyClick(&v.window, Qt::Key_1);
    EXPECT_EQ(v.window.doll()->Place(demo::kHat), (kiss::Position{demo::kHatX1, demo::kHatY1}));
    QTest::keyClick(&v.window, Qt::Key_0);

    // The doll (fix 3) stays for three drags and moves on the fourth.
    const QPoint body(demo::kDollX + demo::kBodyPixelX, demo::kDollY + demo::kBodyPixelY);
    for (int i = 0; i < demo::kDollFix; ++i) {
        v.Drag(body, body + QPoint(30, 0));
        EXPECT_EQ(v.window.doll()->Place(demo::kDoll), (kiss::Position{demo::kDollX, demo::kDollY})) << i;
    }
    v.Drag(body, body + QPoint(30, 0));
    EXPECT_EQ(v.window.doll()->Place(demo::kDoll), (kiss::Position{demo::kDollX + 30, demo::kDollY}));
    EXPECT_EQ(v.Pixel(body.x() + 30, body.y()), Opaque(demo::kLeotard[0]));

    // A press on a transparent pixel picks nothing up.
    const QPoint corner(demo::kHatX0 - 200 + demo::kHatCornerX, demo::kHatY0 + 60 + demo::kHatCornerY);
    v.Drag(corner, corner + QPoint(50, 50));
    EXPECT_EQ(v.window.doll()->Place(demo::kHat), (kiss::Position{demo::kHatX0 - 200, demo::kHatY0 + 60}));
}

TEST(ViewerWindow, OtherConfigurationsFromTheMenuAndZipArchives) {
    Viewer v(kisstools::WriteZip(kisstools::MakeDemoSet()), "DEMODOLL.ZIP");
    ASSERT_TRUE(v.Open());
    ASSERT_EQ(v.window.configs().size(), 2);
    auto* menu = v.window.findChild<QMenu*>(QStringLiteral("ConfigMenu"));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("DEMODOLL.CNF"));
    EXPECT_TRUE(menu->actions()[0]->isChecked());
    menu->actions()[1]->trigger();
    EXPECT_TRUE(menu->actions()[1]->isChecked());
    EXPECT_EQ(v.window.doll()->config().width, 200);
    EXPECT_EQ(v.window.playfield()->size(), QSize(200, 240));
    EXPECT_EQ(v.Pixel(60 + demo::kBodyPixelX, 10 + demo::kBodyPixelY), Opaque(demo::kLeotard[0]));
    EXPECT_FALSE(v.SetButton(1)->isEnabled());
}

TEST(ViewerWindow, BadArchivesAndMissingFilesEndInAJapaneseMessage) {
    const std::string good = DemoLzh();
    // Cut short; not an archive; no such file: what went wrong in Japanese,
    // the library's words only after it, and nothing unpacked.
    const std::vector<std::pair<std::string, QString>> cases{
        {good.substr(0, good.size() / 2), QStringLiteral("書庫が壊れています")},
        {"random bytes, not an archive", QStringLiteral("書庫の形式がわかりません")},
        {"", QStringLiteral("書庫ファイルが見つかりません")},
    };
    for (const auto& [bytes, words] : cases) {
        Viewer v(bytes);
        if (bytes.empty()) std::filesystem::remove(v.archive);
        EXPECT_FALSE(v.Open());
        ASSERT_EQ(v.messages.shown.size(), 1u);
        const QString text = v.messages.shown[0].text;
        EXPECT_EQ(v.messages.shown[0].kind, Messages::Kind::Error);
        EXPECT_TRUE(text.startsWith(QStringLiteral("書庫を開けません。\n") + QString::fromStdString(v.archive)))
            << text.toStdString();
        EXPECT_EQ(text.split(QLatin1Char('\n'))[3].left(words.size()), words) << text.toStdString();
        EXPECT_TRUE(kisstest::Listing(v.work.file("tmp")).empty());
    }
    {
        Viewer v(kisstools::WriteLzh({{"README.TXT", "no doll here"}}, 0));
        EXPECT_FALSE(v.Open());
        ASSERT_EQ(v.messages.shown.size(), 1u);
        EXPECT_TRUE(v.messages.shown[0].text.contains(QStringLiteral(".cnf")));
        EXPECT_TRUE(kisstest::Listing(v.work.file("tmp")).empty());
    }
    {
        // An unsafe entry is named in a warning with its reason; the doll
        // still shows, and nothing lands outside its folder.
        auto files = kisstools::MakeDemoSet();
        files.push_back({"..\\..\\EVIL.TXT", "x"});
        files.erase(files.begin() + 7);  // HAT.CEL goes missing
        Viewer v(kisstools::WriteLzh(files, 0));
        EXPECT_TRUE(v.Open());
        // Refused on reading: the ".." name; then the missing cel.
        ASSERT_EQ(v.messages.shown.size(), 2u);
        EXPECT_EQ(v.messages.shown[0].kind, Messages::Kind::Warning);
        EXPECT_TRUE(v.messages.shown[0].text.contains(QStringLiteral("../../EVIL.TXT（名前に「..」があります）")))
            << v.messages.shown[0].text.toStdString();
        EXPECT_TRUE(v.messages.shown[1].text.contains(QStringLiteral("hat.cel: ファイルが見つかりません。")))
            << v.messages.shown[1].text.toStdString();
        EXPECT_FALSE(testsupport::Exists(v.work.file("EVIL.TXT")));
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(v.work.path()).parent_path() / "EVIL.TXT"));
        v.window.show();
        EXPECT_EQ(v.Pixel(demo::kShirtX0 + demo::kShirtPixelX, demo::kShirtY0 + demo::kShirtPixelY),
                  Opaque(demo::kShirtPink[0]));
    }
}

TEST(ViewerWindow, NeverReplacesAFileThatWasThereAndRemovesItsFolderUnlessKept) {
    // The set holds a "Tansu.CSV", and so does the working folder.
    auto files = kisstools::MakeDemoSet();
    files.push_back({"Tansu.CSV", "the set's own"});
    for (bool keep : {false, true}) {
        Viewer v(kisstools::WriteLzh(files, 2));
        WriteBytes(v.work.file("tmp/Tansu.CSV"), "the user's catalog");
        std::optional<ViewerWindow> window(std::in_place, &v.messages);
        ASSERT_TRUE(window->Open(v.archive));
        window->FinishUnpacking();
        EXPECT_TRUE(v.messages.shown.empty());
        const std::string folder = window->unpackFolder()->path();
        EXPECT_EQ(testsupport::ReadBytes(folder + "/Tansu.CSV"), "the set's own");
        EXPECT_EQ(testsupport::ReadBytes(v.work.file("tmp/Tansu.CSV")), "the user's catalog");
        // The File menu offers to keep the folder, by its name.
        auto* keepAction = window->findChild<QAction*>(QStringLiteral("KeepFolderAction"));
        ASSERT_NE(keepAction, nullptr);
        EXPECT_TRUE(keepAction->isEnabled());
        EXPECT_TRUE(keepAction->text().contains(QString::fromStdString(window->unpackFolder()->name())));
        if (keep) keepAction->trigger();
        EXPECT_EQ(keepAction->isChecked(), keep);
        window.reset();  // the viewer closes
        EXPECT_EQ(testsupport::Exists(folder + "/BODY.CEL"), keep);
        EXPECT_EQ(kisstest::Listing(v.work.file("tmp")).size(), keep ? 2u + files.size() : 1u);
        EXPECT_EQ(testsupport::ReadBytes(v.work.file("tmp/Tansu.CSV")), "the user's catalog");
    }
}

TEST(ViewerWindow, AFolderThatCannotBeMadeIsSaidAndTheDollStillShows) {
    // The working folder is gone while the viewer runs in it.
    Viewer v(DemoLzh());
    std::filesystem::remove(v.work.file("tmp"));
    ASSERT_TRUE(v.Open());
    ASSERT_EQ(v.messages.shown.size(), 1u);
    EXPECT_EQ(v.messages.shown[0].kind, Messages::Kind::Error);
    EXPECT_TRUE(v.messages.shown[0].text.startsWith(QStringLiteral("書庫を展開するフォルダーを作れません。")))
        << v.messages.shown[0].text.toStdString();
    EXPECT_EQ(v.window.unpackFolder(), nullptr);
    EXPECT_FALSE(v.window.findChild<QAction*>(QStringLiteral("KeepFolderAction"))->isEnabled());
    v.window.show();
    EXPECT_EQ(v.Pixel(demo::kShirtX0 + demo::kShirtPixelX, demo::kShirtY0 + demo::kShirtPixelY),
              Opaque(demo::kShirtPink[0]));
}

TEST(ViewerWindow, OpensLevel2ArchivesWithAttributeZero) {
    Viewer v(kisstools::WriteLzh(kisstools::MakeDemoSet(), 2, 0));
    ASSERT_TRUE(v.Open());
    EXPECT_TRUE(v.messages.shown.empty()) << v.messages.shown.front().text.toStdString();
    v.window.show();
    EXPECT_EQ(v.Pixel(demo::kShirtX0 + demo::kShirtPixelX, demo::kShirtY0 + demo::kShirtPixelY),
              Opaque(demo::kShirtPink[0]));
}

TEST(ViewerWindow, TheSetsOwnNotesAreSaidInJapanese) {
    // A line without an object number, a cel missing (its name Shift-JIS),
    // a command no FKiSS level has: the file's notes in a warning, the
    // script's on the status line, and the rest of the set still plays.
    kisstools::Raster r(2, 2);
    r.Rect(0, 0, 2, 2, 1);
    std::vector<std::vector<kisstools::Rgb>> pal(1, std::vector<kisstools::Rgb>(16, kisstools::Rgb{0, 0, 0}));
    pal[0][1] = kisstools::Rgb{15, 0, 0};
    Viewer v(kisstools::WriteLzh({{"A.CNF", "(20,20)\r\n%P.KCF\r\n#0 A.CEL\r\n#1 \x83\x5C.CEL\r\n#x B.CEL\r\n$0 3,4 9,9\r\n"
                                           ";@EventHandler\r\n;@initialize() frobnicate(1) shell(\"ls\")\r\n"},
                                  {"P.KCF", kisstools::EncodePalette12(pal)},
                                  {"A.CEL", kisstools::EncodeCel(r, kisstools::CelForm::Old4)}},
                                 0));
    ASSERT_TRUE(v.Open());
    ASSERT_EQ(v.messages.shown.size(), 1u);
    EXPECT_EQ(v.messages.shown[0].kind, Messages::Kind::Warning);
    EXPECT_EQ(v.messages.shown[0].text, QStringLiteral("設定ファイル A.CNF の一部を表示できません:\n"
                                                       "5 行目: オブジェクト番号 (0～4095) が読めません。\n"
                                                       "ソ.CEL: ファイルが見つかりません。"));
    QStatusBar* status = v.window.findChild<QStatusBar*>(QStringLiteral("StatusLine"));
    EXPECT_EQ(status->currentMessage(), QStringLiteral("FKiSS: 使えない命令 2 件。8 行目: frobnicate(): 知らない命令です。読み飛ばしました。"));
    EXPECT_EQ(status->toolTip(), QStringLiteral("8 行目: frobnicate(): 知らない命令です。読み飛ばしました。\n"
                                                "8 行目: shell(): プログラムは起動しません。"));
    v.window.show();
    EXPECT_EQ(v.Pixel(4, 5), 0xFFFF0000u);
}

TEST(ViewerWindow, AboutNamesTheFkissLevelsAndPlainConfigFilesOpen) {
    Viewer v(DemoLzh());
    ASSERT_TRUE(v.Open());
    v.window.findChild<QAction*>(QStringLiteral("AboutAction"))->trigger();
    ASSERT_EQ(v.messages.shown.size(), 1u);
    EXPECT_EQ(v.messages.shown[0].kind, Messages::Kind::Information);
    for (const QString& word : {QStringLiteral("FKiSS 1.0"), QStringLiteral("2.1"), QStringLiteral("3.0"), QStringLiteral("shell()"),
                                QStringLiteral("MIT ライセンス")})
        EXPECT_TRUE(v.messages.shown[0].text.contains(word)) << word.toStdString();

    // The unpacked configuration opened directly, from another folder.
    RecordingMessages messages;
    ViewerWindow plain(&messages);
    const std::string cnf = v.Unpacked("DEMODOLL.CNF");
    std::filesystem::current_path(v.work.path());
    ASSERT_TRUE(plain.Open(cnf));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(plain.windowTitle(), QStringLiteral("DEMODOLL.CNF"));
    EXPECT_EQ(plain.doll()->CelCount(), 4);
}

// The desktop entry the window belongs to, known before it first shows.
TEST(ViewerWindow, TellsTheDesktopWhichEntryItBelongsTo) {
    QGuiApplication::setDesktopFileName(QString());
    RecordingMessages messages;
    ViewerWindow window(&messages);
    EXPECT_EQ(QGuiApplication::desktopFileName().toStdString(), "io.github.tansu.TansuKiss");
}

TEST(ViewerWindow, ShiftJisFileNamesInTheConfigurationAreFound) {
    // The cel's name in the configuration is Shift-JIS; on disk it is UTF-8.
    kisstools::Raster r(2, 2);
    r.Rect(0, 0, 2, 2, 1);
    std::vector<std::vector<kisstools::Rgb>> pal(1, std::vector<kisstools::Rgb>(16, kisstools::Rgb{0, 0, 0}));
    pal[0][1] = kisstools::Rgb{15, 0, 0};
    Viewer v(kisstools::WriteLzh({{"A.CNF", "(20,20)\r\n%P.KCF\r\n#0 \x83\x5C.CEL\r\n$0 3,4\r\n"},
                                  {"P.KCF", kisstools::EncodePalette12(pal)},
                                  {"\x83\x5C.CEL" /* ソ */, kisstools::EncodeCel(r, kisstools::CelForm::Old4)}},
                                 0));
    ASSERT_TRUE(v.Open());
    EXPECT_TRUE(v.messages.shown.empty()) << v.messages.shown.front().text.toStdString();
    EXPECT_TRUE(testsupport::Exists(v.Unpacked("\xE3\x82\xBD.CEL")));
    v.window.show();
    EXPECT_EQ(v.Pixel(4, 5), 0xFFFF0000u);
}

TEST(ViewerWindow, AnObjectOfSeveralCelsMovesWholeBetweenTheLayersOfOthers) {
    // Object 0 has a cel above object 1 and one below it; a 32-bit cel
    // (object 2) is drawn with its alpha.
    using kisstools::Raster;
    auto square = [](int side, uint8_t c) {
        Raster r(side, side);
        r.Rect(0, 0, side, side, c);
        return r;
    };
    std::vector<std::vector<kisstools::Rgb>> pal(1, std::vector<kisstools::Rgb>(16, kisstools::Rgb{0, 0, 0}));
    pal[0][0] = kisstools::Rgb{15, 15, 15};
    pal[0][1] = kisstools::Rgb{15, 0, 0};
    pal[0][2] = kisstools::Rgb{0, 15, 0};
    pal[0][3] = kisstools::Rgb{0, 0, 15};
    Raster low = square(20, 3);
    low.xOffset = 10;  // the lower cel lies 10 pixels right of the upper one
    std::string argb = "KiSS";
    argb += std::string("\x21\x20\0\0\x02\0\x01\0", 8) + std::string(20, '\0');
    argb += std::string("\x00\x00\xFF\xFF\x00\x00\xFF\x80", 8);  // opaque red, half red
    Viewer v(kisstools::WriteLzh({{"A.CNF", "(80,60)\n%P.KCF\n#2 rgba.cel\n#0 top.cel\n#1 mid.cel\n#0 low.cel\n"
                                            "$0 40,40 35,30 70,55\n"},
                                  {"P.KCF", kisstools::EncodePalette12(pal)},
                                  {"TOP.CEL", kisstools::EncodeCel(square(10, 1), kisstools::CelForm::Headed4)},
                                  {"MID.CEL", kisstools::EncodeCel(square(30, 2), kisstools::CelForm::Headed4)},
                                  {"LOW.CEL", kisstools::EncodeCel(low, kisstools::CelForm::Headed4)},
                                  {"RGBA.CEL", argb}},
                                 1));
    ASSERT_TRUE(v.Open());
    EXPECT_TRUE(v.messages.shown.empty()) << v.messages.shown.front().text.toStdString();
    v.window.show();
    const QRgb red = 0xFFFF0000u, green = 0xFF00FF00u, blue = 0xFF0000FFu, white = 0xFFFFFFFFu;
    QImage shot = v.Shot();
    EXPECT_EQ(shot.pixel(42, 42), red);    // object 0's upper cel over object 1
    EXPECT_EQ(shot.pixel(52, 42), green);  // object 1 over object 0's lower cel
    EXPECT_EQ(shot.pixel(67, 42), blue);   // the lower cel where object 1 is not
    EXPECT_EQ(shot.pixel(70, 55), red);    // 32-bit, opaque
    const QRgb half = shot.pixel(71, 55);  // 32-bit, alpha 0x80 over white
    EXPECT_EQ(qRed(half), 255);
    EXPECT_NEAR(qGreen(half), 127, 2);
    // Dragging by the upper cel moves the lower one too; object 1 stays.
    v.Drag(QPoint(42, 42), QPoint(12, 22));
    shot = v.Shot();
    EXPECT_EQ(v.window.doll()->Place(0), (kiss::Position{10, 20}));
    EXPECT_EQ(shot.pixel(12, 22), red);
    EXPECT_EQ(shot.pixel(25, 25), blue);
    EXPECT_EQ(shot.pixel(37, 35), green) << "object 1 still over the lower cel";
    EXPECT_EQ(shot.pixel(42, 42), green);
    EXPECT_EQ(shot.pixel(67, 42), white) << "nothing left of the lower cel's old place";
}

TEST(ViewerArgument, LauncherFormsBecomeOsPaths) {
    TempFolder t;
    WriteBytes(t.file("A.LZH"), "x");
    EXPECT_EQ(kissviewer::ArgumentToOsPath(t.file("A.LZH")), t.file("A.LZH"));
    EXPECT_EQ(kissviewer::ArgumentToOsPath("Z:\\home\\user\\KISS\\SET.LZH"), "/home/user/KISS/SET.LZH");
    EXPECT_EQ(kissviewer::ArgumentToOsPath("z:/home/user/SET.LZH"), "/home/user/SET.LZH");
    EXPECT_EQ(kissviewer::ArgumentToOsPath("..\\KISS\\DEMO\\SET.LZH"), "../KISS/DEMO/SET.LZH");
    // Shift-JIS bytes: "ソ" keeps its 0x5C second byte, which is no separator.
    EXPECT_EQ(kissviewer::ArgumentToOsPath("Z:\\\x83\x5C\\A.LZH"), "/\xE3\x82\xBD/A.LZH");
    // The same folder typed in UTF-8, and a drive with no OS form.
    EXPECT_EQ(kissviewer::ArgumentToOsPath("Z:\\\xE3\x82\xBD\\A.LZH"), "/\xE3\x82\xBD/A.LZH");
    EXPECT_EQ(kissviewer::ArgumentToOsPath("C:\\KISS\\A.LZH"), "C:\\KISS\\A.LZH");
}

TEST(ViewerWindow, PlaysTheSetsScriptClicksAlarmsDropsCountersAndTranslucency) {
    namespace fk = kisstools::fkiss;
    Viewer v(kisstools::WriteLzh(kisstools::MakeFkissSet(), 1), "FKISS.LZH");
    ASSERT_TRUE(v.Open());
    v.window.show();
    EXPECT_TRUE(v.messages.shown.empty()) << "the skipped commands are no reason for a box";
    QWidget* field = v.window.playfield();
    auto click = [&](int x, int y) { QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(x, y)); };
    const QPoint hidden(fk::kHiddenX + 5, fk::kHiddenY + 5), card(fk::kCardX + 5, fk::kCardY + 5);
    QImage shot = v.Shot();
    EXPECT_EQ(shot.pixel(hidden), Opaque(fk::kWhite)) << "a cel unmapped at start is not drawn";
    EXPECT_EQ(shot.pixel(card), Opaque(fk::kBlue));
    // The translucent glass: blue over the white field, half and half.
    const QRgb glass = shot.pixel(fk::kGlassX + 5, fk::kGlassY + 5);
    EXPECT_NEAR(qRed(glass), 255 * fk::kGlassTranslucency / 255, 1);
    EXPECT_EQ(qBlue(glass), 255);
    EXPECT_TRUE(v.window.AlarmPending());

    // A click on the button unmaps the card.
    click(fk::kButtonX + 5, fk::kButtonY + 5);
    EXPECT_EQ(v.Pixel(card.x(), card.y()), Opaque(fk::kWhite));

    // The alarm maps the hidden cel after its time, and then no timer runs.
    QElapsedTimer waited;
    waited.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return v.Pixel(hidden.x(), hidden.y()) == Opaque(fk::kYellow); }, 3000));
    EXPECT_GE(waited.elapsed(), fk::kAlarmMs / 2);
    auto* status = v.window.findChild<QStatusBar*>(QStringLiteral("StatusLine"));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->currentMessage(), QString::fromLatin1(fk::kReadyNotice));
    EXPECT_FALSE(v.window.AlarmPending());

    // Dropped anywhere, the piece snaps into its slot.
    v.Drag(QPoint(fk::kPieceX + 5, fk::kPieceY + 5), QPoint(fk::kPieceX - 15, fk::kPieceY + 35));
    shot = v.Shot();
    EXPECT_EQ(v.window.doll()->Place(fk::kPiece), (kiss::Position{fk::kSnapX, fk::kSnapY}));
    EXPECT_EQ(shot.pixel(fk::kSnapX + 10, fk::kSnapY + 10), Opaque(fk::kMagenta));
    EXPECT_EQ(shot.pixel(fk::kSlotX + 1, fk::kSlotY + 1), Opaque(fk::kGrey));
    EXPECT_EQ(shot.pixel(fk::kPieceX + 15, fk::kPieceY + 5), Opaque(fk::kWhite));

    // The counter: the third press shows "done".
    const QPoint done(fk::kDoneX + 5, fk::kDoneY + 5);
    for (int i = 0; i < 2; ++i) click(fk::kCounterX + 5, fk::kCounterY + 5);
    EXPECT_EQ(v.Pixel(done.x(), done.y()), Opaque(fk::kWhite));
    click(fk::kCounterX + 5, fk::kCounterY + 5);
    EXPECT_EQ(v.Pixel(done.x(), done.y()), Opaque(fk::kGreen));
    EXPECT_EQ(v.window.doll()->Variable("N"), 3);
}

TEST(ViewerWindow, AnAlarmThatSetsItselfRunsAtMostSixtyStepsASecond) {
    kisstools::Raster r(4, 4);
    r.Rect(0, 0, 4, 4, 1);
    std::vector<std::vector<kisstools::Rgb>> pal(1, std::vector<kisstools::Rgb>(16, kisstools::Rgb{15, 15, 15}));
    Viewer v(kisstools::WriteLzh({{"A.CNF", "(40,40)\n%P.KCF\n#0 a.cel\n$0 1,1\n;@EventHandler\n"
                                            ";@initialize() timer(1, 1)\n;@alarm(1) add(N, N, 1) timer(1, 1)\n"},
                                  {"P.KCF", kisstools::EncodePalette12(pal)},
                                  {"A.CEL", kisstools::EncodeCel(r, kisstools::CelForm::Headed4)}},
                                 1));
    ASSERT_TRUE(v.Open());
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(500);
    const int steps = v.window.doll()->Variable("N");
    EXPECT_GE(steps, 1);
    EXPECT_LE(steps, clock.elapsed() * 60 / 1000 + 1);
}

namespace {

// Records the part of the widget each paint draws.
class PaintRecorder : public QObject {
public:
    std::vector<QRect> painted;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) painted.push_back(static_cast<QPaintEvent*>(e)->rect());
        return false;
    }
};

}  // namespace

// Only the part of the field a step changed is drawn anew: what the screen
// shows after an animation and after a drag is still the whole picture of
// the doll, with nothing left of where the cels were.
TEST(ViewerWindow, AfterAlarmStepsAndADragTheScreenShowsTheWholePicture) {
    kisstools::Raster ball(6, 6), glass(20, 20), back(30, 30);
    ball.Rect(0, 0, 6, 6, 1);
    glass.Rect(0, 0, 20, 20, 2);
    back.Rect(0, 0, 30, 30, 3);
    std::vector<std::vector<kisstools::Rgb>> pal(1, std::vector<kisstools::Rgb>(16, kisstools::Rgb{15, 15, 15}));
    pal[0][1] = {15, 0, 0}, pal[0][2] = {0, 0, 15}, pal[0][3] = {0, 15, 0};
    // Eight steps move the ball across the translucent glass and the back.
    Viewer v(kisstools::WriteLzh({{"A.CNF", "(60,40)\n%P.KCF\n#0 ball.cel\n#1 glass.cel ;%t128\n#2 back.cel\n"
                                            "$0 2,2 5,5 25,5\n;@EventHandler\n;@initialize() timer(1, 1)\n"
                                            ";@alarm(1) add(N, N, 1) move(#0, 4, 2) iflessthan(N, 8) timer(1, 1) endif()\n"},
                                  {"P.KCF", kisstools::EncodePalette12(pal)},
                                  {"BALL.CEL", kisstools::EncodeCel(ball, kisstools::CelForm::Headed4)},
                                  {"GLASS.CEL", kisstools::EncodeCel(glass, kisstools::CelForm::Headed4)},
                                  {"BACK.CEL", kisstools::EncodeCel(back, kisstools::CelForm::Headed4)}},
                                 1));
    PaintRecorder paints;
    QWidget* field = v.window.playfield();
    field->installEventFilter(&paints);
    ASSERT_TRUE(v.Open());
    v.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v.window));
    // The pixels on the screen, against a whole picture of the doll now.
    auto wrongPixels = [&] {
        QCoreApplication::processEvents();
        const QPoint at = field->mapTo(&v.window, QPoint(0, 0));
        const QImage shown = v.window.screen()->grabWindow(v.window.winId(), at.x(), at.y(), 60, 40).toImage();
        const kiss::Picture whole = kiss::Compose(*v.window.doll());
        if (shown.size() != QSize(whole.width, whole.height)) return -1;
        int wrong = 0;
        for (int y = 0; y < whole.height; ++y)
            for (int x = 0; x < whole.width; ++x)
                wrong += shown.pixel(x, y) != whole.argb[static_cast<size_t>(y) * whole.width + x];
        return wrong;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.window.doll()->Variable("N") == 8; }, 3000));
    EXPECT_FALSE(v.window.AlarmPending());
    EXPECT_EQ(wrongPixels(), 0) << "after the alarms";
    // Each step drew the ball's old and new place, not the whole field.
    ASSERT_GT(paints.painted.size(), 2u);
    for (size_t i = 1; i < paints.painted.size(); ++i)
        EXPECT_LT(paints.painted[i].width() * paints.painted[i].height(), 60 * 40 / 4) << i;

    v.Drag(QPoint(15, 15), QPoint(45, 25));
    EXPECT_EQ(v.window.doll()->Place(1), (kiss::Position{35, 15}));
    EXPECT_EQ(wrongPixels(), 0) << "after the drag";
}

// A configuration opened from a folder may name a pipe or a huge file
// there: neither is read (the window neither waits nor fills the memory),
// and each is said like a missing file.
TEST(ViewerWindow, APlainConfigurationReadsNoPipeAndNoHugeFile) {
    Viewer v(DemoLzh());
    ASSERT_TRUE(v.Open());
    std::filesystem::current_path(v.work.path());
    const std::string folder = v.window.unpackFolder()->path();
    std::string cnf = testsupport::ReadBytes(folder + "/DEMODOLL.CNF");
    cnf += "#3 PIPE.CEL *0 :0\r\n#3 HUGE.CEL *0 :0\r\n";
    WriteBytes(folder + "/MORE.CNF", cnf);
    ASSERT_EQ(mkfifo((folder + "/PIPE.CEL").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo((folder + "/PIPE.CNF").c_str(), 0600), 0);
    WriteBytes(folder + "/HUGE.CEL", "");
    std::filesystem::resize_file(folder + "/HUGE.CEL", (64ll << 20) + 1);  // sparse: no disk used

    RecordingMessages messages;
    ViewerWindow plain(&messages);
    ASSERT_TRUE(plain.Open(folder + "/MORE.CNF"));
    EXPECT_EQ(plain.doll()->CelCount(), 6);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("PIPE.CEL"))) << messages.shown[0].text.toStdString();
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("HUGE.CEL")));

    RecordingMessages pipeMessages;
    ViewerWindow pipe(&pipeMessages);
    EXPECT_FALSE(pipe.Open(folder + "/PIPE.CNF"));
    ASSERT_EQ(pipeMessages.shown.size(), 1u);
    EXPECT_EQ(pipeMessages.shown[0].kind, Messages::Kind::Error);
}

// ModalHost with scripted answers: what each modal call returns, what is
// recorded, and how unscripted calls fail instead of blocking.
#include "framework/ui/modal/modal_host.h"

#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <filesystem>

#include "framework/ui/modal/message_box_flags.h"
#include "framework/ui/modal/open_file_dialog.h"
#include "platform/current_folder.h"
#include "support/test_files.h"
#include "framework/ui/ui_test_support.h"

namespace ui {
namespace {

using testing::CheckedScript;
using testing::CollectingScript;
using testing::Utf8;

TEST(ModalHost, AnswersMessageBoxesInOrderAndRecordsThem) {
    CheckedScript script;
    script.AnswerMessage(IDYES).AnswerMessage(IDCANCEL);
    ModalHost& host = ModalHost::Instance();
    EXPECT_EQ(host.MessageBox("保存しますか？", "保存確認", MB_YESNOCANCEL | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(host.MessageBox("二つ目", "確認", MB_OKCANCEL), IDCANCEL);
    host.Beep();
    host.Beep();

    ASSERT_EQ(script.Records().size(), 2u);
    const ModalRecord& first = script.Records()[0];
    EXPECT_EQ(first.kind, ModalRecord::Kind::Message);
    EXPECT_EQ(first.text, "保存しますか？");
    EXPECT_EQ(first.caption, "保存確認");
    EXPECT_EQ(first.flags, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(first.answer, IDYES);
    EXPECT_TRUE(first.scripted);
    EXPECT_EQ(script.Records()[1].answer, IDCANCEL);
    EXPECT_EQ(script.Beeps(), 2);
    EXPECT_EQ(script.PendingAnswers(), 0u);

    // The standard error box: application title, OK, stop icon.
    script.AnswerMessage(IDOK);
    host.SetApplicationTitle("Tansu");
    host.ShowError("エラーです");
    host.SetApplicationTitle("TANSU");
    EXPECT_EQ(script.Records()[2].caption, "Tansu");
    EXPECT_EQ(script.Records()[2].flags, MB_OK | MB_ICONSTOP);
}

TEST(ModalHost, UnscriptedAndMismatchedCallsAreReported) {
    CollectingScript script;
    ModalHost& host = ModalHost::Instance();
    // No answer queued: reported; the answer is the box's cancel, or its
    // last button when it has none.
    EXPECT_EQ(host.MessageBox("a", "c", MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(host.MessageBox("b", "c", MB_YESNO), IDNO);
    EXPECT_EQ(host.MessageBox("c", "c", MB_OK), IDOK);
    EXPECT_EQ(script.problems.size(), 3u);
    EXPECT_FALSE(script.Records()[0].scripted);
    EXPECT_EQ(host.OpenFiles({}), std::nullopt);
    EXPECT_EQ(script.problems.size(), 4u);

    // A file answer where a message box comes: reported, not consumed.
    script.ChooseFile("C:\\a.csv");
    EXPECT_EQ(host.MessageBox("d", "c", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(script.PendingAnswers(), 1u);
    EXPECT_EQ(host.OpenFiles({}), std::optional<std::vector<std::string>>({"C:\\a.csv"}));

    // An answer that is no button of the box.
    script.AnswerMessage(IDYES);
    EXPECT_EQ(host.MessageBox("e", "c", MB_OK), IDOK);

    ASSERT_EQ(script.problems.size(), 6u);
    EXPECT_NE(script.problems[0].find("unscripted message box: \"a\""), std::string::npos) << script.problems[0];
    EXPECT_NE(script.problems[3].find("unscripted open-file dialog"), std::string::npos) << script.problems[3];
    EXPECT_NE(script.problems[4].find("where the script expected a open-file dialog"), std::string::npos)
        << script.problems[4];
    EXPECT_NE(script.problems[5].find("no button"), std::string::npos) << script.problems[5];
}

TEST(ModalHost, LeftOverAnswersAreReportedAtTheEnd) {
    std::vector<std::string> problems;
    {
        ModalScript script([&](const std::string& p) { problems.push_back(p); });
        script.AnswerMessage(IDOK).CancelFile();
    }
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("2 scripted answer(s) left unused"), std::string::npos) << problems[0];
}

TEST(ModalHostDeathTest, AnUnscriptedCallOffscreenFailsInsteadOfBlocking) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(ModalHost::Instance().MessageBox("誰も答えない", "c", MB_OK), "no one to answer it");
}

TEST(ModalHost, OpenFileDialogsTakeScriptedFiles) {
    CheckedScript script;
    OpenFileDialog dialog;
    OpenDialogRequest& s = dialog.Settings();
    s.title = "CSV ファイルを開く";
    s.filter = "CSV ﾌｧｲﾙ (*.CSV)|*.CSV|全てのﾌｧｲﾙ (*.*)|*.*";
    s.defaultExt = "*.csv";
    s.options.noChangeDir = true;
    s.options.fileMustExist = true;
    dialog.SetFileName("C:\\old.csv");

    script.CancelFile();
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "C:\\old.csv");

    script.ChooseFile("C:\\KISS\\list.csv");
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "C:\\KISS\\list.csv");

    script.ChooseFiles({"C:\\a.hed", "C:\\b.up"});
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Files(), (std::vector<std::string>{"C:\\a.hed", "C:\\b.up"}));
    EXPECT_EQ(dialog.FileName(), "C:\\a.hed");

    // As the real dialog gives them: OS paths become system paths.
    script.ChooseOsFile(Utf8(u8"/tmp/キス/ソ表.csv"));
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "Z:\\tmp\\キス\\ソ表.csv");

    ASSERT_EQ(script.Records().size(), 4u);
    const ModalRecord& r = script.Records()[0];
    EXPECT_EQ(r.kind, ModalRecord::Kind::OpenFile);
    EXPECT_EQ(r.dialog.title, "CSV ファイルを開く");
    EXPECT_EQ(r.dialog.filter, "CSV ﾌｧｲﾙ (*.CSV)|*.CSV|全てのﾌｧｲﾙ (*.*)|*.*");
    EXPECT_EQ(r.dialog.defaultExt, "*.csv");
    EXPECT_EQ(r.dialog.fileName, "C:\\old.csv");
    EXPECT_TRUE(r.dialog.options.fileMustExist);
    EXPECT_FALSE(r.dialog.options.allowMultiSelect);
    EXPECT_EQ(script.Records()[1].dialog.fileName, "C:\\old.csv");  // a cancel keeps it
}

TEST(ModalHost, ANameWithoutACp932FormIsRefusedAndTheDialogComesAgain) {
    CheckedScript script;
    OpenFileDialog dialog;
    dialog.Settings().title = "LZH ファイルの参照";
    dialog.Settings().options.noChangeDir = true;
    // "/tmp/" and two Hangul syllables, which cp932 lacks.
    script.ChooseOsFile("/tmp/\xED\x95\x9C\xEA\xB5\xAD.lzh").AnswerMessage(IDOK).ChooseOsFile("/tmp/a.lzh");
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "Z:\\tmp\\a.lzh");

    ASSERT_EQ(script.Records().size(), 3u);
    EXPECT_EQ(script.Records()[0].kind, ModalRecord::Kind::OpenFile);
    const ModalRecord& m = script.Records()[1];
    EXPECT_EQ(m.kind, ModalRecord::Kind::Message);
    EXPECT_EQ(m.caption, "エラー");
    EXPECT_EQ(m.flags, MB_OK | MB_ICONSTOP);
    EXPECT_NE(m.text.find("Z:\\tmp\\??.lzh"), std::string::npos) << m.text;
    EXPECT_EQ(script.Records()[2].kind, ModalRecord::Kind::OpenFile);

    // Cancelling the second time gives no file at all.
    script.ChooseOsFile("/tmp/\xED\x95\x9C.lzh").AnswerMessage(IDOK).CancelFile();
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "Z:\\tmp\\a.lzh");
}

TEST(ModalHost, WithoutNoChangeDirTheCurrentFolderFollowsTheChoice) {
    testsupport::TempFolder here(true);
    testsupport::TempFolder there(false);
    auto before = platform::GetCurrentFolder();
    CheckedScript script;
    OpenFileDialog dialog;
    script.ChooseOsFile(there.file("x.csv"));
    ASSERT_TRUE(dialog.Execute());
    auto after = platform::GetCurrentFolder();
    ASSERT_TRUE(after);
    EXPECT_NE(before, after);
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(there.path()));

    dialog.Settings().options.noChangeDir = true;
    std::filesystem::current_path(here.path());
    script.ChooseOsFile(there.file("y.csv"));
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(here.path()));

    // A file in the root: the folder is the root itself (Z:\), not the
    // drive's current folder (Z:).
    dialog.Settings().options.noChangeDir = false;
    script.ChooseOsFile("/z.csv");
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "Z:\\z.csv");
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path("/"));
    std::filesystem::current_path(here.path());
}

class ModalWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.setWindowTitle(QStringLiteral("TANSU レコード編集画面"));
        window.setObjectName(QStringLiteral("Form3"));
        auto* layout = new QVBoxLayout(&window);
        ok = new QPushButton(QStringLiteral("OK"), &window);
        layout->addWidget(ok);
        QObject::connect(ok, &QPushButton::clicked, [this] { ModalHost::Instance().EndModal(window, 1); });
    }
    QWidget window;
    QPushButton* ok = nullptr;
};

TEST_F(ModalWindowTest, RunsTheScriptedActionWhileTheWindowIsModal) {
    CheckedScript script;
    ModalHost& host = ModalHost::Instance();
    bool wasModal = false;
    script.WhileModal([&](QWidget& w) {
        wasModal = host.IsModal(w) && w.isVisible() && w.isModal();
        // Modal things inside a modal window are scripted as well.
        EXPECT_EQ(host.MessageBox("続けますか？", "確認", MB_YESNO), IDYES);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    script.AnswerMessage(IDYES);
    EXPECT_EQ(host.ShowModal(window), 1);
    EXPECT_TRUE(wasModal);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.isModal());
    EXPECT_FALSE(host.IsModal(window));

    ASSERT_EQ(script.Records().size(), 2u);
    EXPECT_EQ(script.Records()[0].kind, ModalRecord::Kind::Form);
    EXPECT_EQ(script.Records()[0].caption, "TANSU レコード編集画面");
    EXPECT_EQ(script.Records()[0].formName, "Form3");
    EXPECT_EQ(script.Records()[0].answer, 1);
    EXPECT_EQ(script.Records()[1].text, "続けますか？");
}

TEST_F(ModalWindowTest, HidingTheWindowCancelsAndAWindowLeftOpenIsReported) {
    ModalHost& host = ModalHost::Instance();
    {
        CheckedScript script;
        script.WhileModal([](QWidget& w) { w.hide(); });
        EXPECT_EQ(host.ShowModal(window), 2);
        EXPECT_EQ(host.EndModal(window, 1), false);  // no longer modal
    }
    {
        CollectingScript script;
        script.WhileModal([](QWidget&) {});
        EXPECT_EQ(host.ShowModal(window), 2);
        EXPECT_FALSE(window.isVisible());
        ASSERT_EQ(script.problems.size(), 1u);
        EXPECT_NE(script.problems[0].find("left the modal window"), std::string::npos);

        // No action queued: reported, and the window is never shown.
        EXPECT_EQ(host.ShowModal(window), 2);
        EXPECT_EQ(script.problems.size(), 2u);
        EXPECT_FALSE(script.Records().back().scripted);
    }
}

TEST_F(ModalWindowTest, NestedModalWindowsEndInnermostFirst) {
    CheckedScript script;
    ModalHost& host = ModalHost::Instance();
    QWidget inner;
    int innerResult = 0;
    script.WhileModal([&](QWidget&) {
        innerResult = host.ShowModal(inner);
        EXPECT_TRUE(host.IsModal(window));
        host.EndModal(window, 6);
    });
    script.WhileModal([&](QWidget& w) {
        EXPECT_EQ(&w, &inner);
        host.EndModal(inner, 7);
    });
    EXPECT_EQ(host.ShowModal(window), 6);
    EXPECT_EQ(innerResult, 7);
}

}  // namespace
}  // namespace ui

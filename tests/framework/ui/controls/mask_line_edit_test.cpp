// The masked line edit as a real widget on the offscreen platform.
#include "framework/ui/controls/mask_line_edit.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "framework/ui/modal/message_box_flags.h"
#include "framework/ui/graphics/qt_text.h"
#include "framework/ui/ui_test_support.h"

namespace ui {
namespace {

using testing::CheckedScript;
using testing::TypeInto;

class MaskLineEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        date = new MaskLineEdit(&window);
        date->SetEditMask("!0000/99/99;1;_");
        id = new MaskLineEdit(&window);
        id->SetEditMask("AAA00000;1;_");
        button = new QPushButton(QStringLiteral("OK"), &window);
        layout->addWidget(date);
        layout->addWidget(id);
        layout->addWidget(button);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void Focus(QWidget* w) {
        w->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(w->hasFocus());
    }

    QWidget window;
    MaskLineEdit* date = nullptr;
    MaskLineEdit* id = nullptr;
    QPushButton* button = nullptr;
};

TEST_F(MaskLineEditTest, FitsTextsAndShowsBlanks) {
    date->SetText("");
    EXPECT_EQ(date->Text(), "    /  /  ");
    EXPECT_EQ(date->text(), QStringLiteral("____/__/__"));
    date->SetText("1997/5/3");
    EXPECT_EQ(date->Text(), "1997/ 5/ 3");
    id->SetText("");
    EXPECT_EQ(id->Text(), "        ");
    id->SetText("abc12345");
    EXPECT_EQ(id->Text(), "abc12345");
    EXPECT_FALSE(id->Modified());

    // Without literals saved, the text leaves them out; the display keeps them.
    date->SetEditMask("!0000/99/99;0;_");
    EXPECT_EQ(date->Text(), "1997 5 3");
    EXPECT_EQ(date->text(), QStringLiteral("1997/_5/_3"));

    // A double-byte character is one position of the display.
    MaskLineEdit kanji;
    kanji.SetEditMask("CC\\表C;1;_");
    kanji.SetText("日本表語");
    EXPECT_EQ(kanji.Text(), "日本表語");
    EXPECT_EQ(kanji.text(), QString::fromUtf8(u8"日本表語"));

    // No mask: a plain edit, cp932 in and out.
    MaskLineEdit plain;
    plain.SetText("ﾌｧｲﾙ・ソ表");
    EXPECT_EQ(plain.Text(), "ﾌｧｲﾙ・ソ表");
    EXPECT_EQ(plain.text(), QString::fromUtf8(u8"ﾌｧｲﾙ・ソ表"));
}

TEST_F(MaskLineEditTest, TypingOverwritesAndTheCaretStepsOverLiterals) {
    CheckedScript script;
    date->SetText("");
    Focus(date);
    date->setCursorPosition(0);
    QTest::keyClicks(date, QStringLiteral("1997"));
    EXPECT_EQ(date->cursorPosition(), 5);  // past the "/"
    QTest::keyClicks(date, QStringLiteral("0512"));
    EXPECT_EQ(date->Text(), "1997/05/12");
    EXPECT_EQ(date->cursorPosition(), 10);

    date->setCursorPosition(5);
    QTest::keyClick(date, Qt::Key_Left);
    EXPECT_EQ(date->cursorPosition(), 3);
    QTest::keyClick(date, Qt::Key_Right);
    EXPECT_EQ(date->cursorPosition(), 5);
    QTest::keyClick(date, Qt::Key_Backspace);  // blanks the year's last digit
    EXPECT_EQ(date->Text(), "199 /05/12");
    EXPECT_EQ(date->cursorPosition(), 3);
    date->setCursorPosition(7);
    QTest::keyClick(date, Qt::Key_Delete);  // the day's first digit
    EXPECT_EQ(date->Text(), "199 /05/ 2");
    EXPECT_EQ(date->text(), QStringLiteral("199_/05/_2"));

    // Typing overwrites; a refused character beeps and changes nothing.
    date->setCursorPosition(0);
    QTest::keyClicks(date, QStringLiteral("2"));
    EXPECT_EQ(date->Text(), "299 /05/ 2");
    EXPECT_EQ(script.Beeps(), 0);
    QTest::keyClicks(date, QStringLiteral("x"));
    EXPECT_EQ(script.Beeps(), 1);
    EXPECT_EQ(date->Text(), "299 /05/ 2");
    EXPECT_TRUE(script.Records().empty());

    // Typing over a selection blanks it first.
    date->setSelection(5, 5);
    QTest::keyClicks(date, QStringLiteral("1"));
    EXPECT_EQ(date->Text(), "299 /1 /  ");

    // Japanese text goes in as one position per character.
    date->Undo();  // unchanged again, so the focus may leave
    MaskLineEdit any(&window);
    any.SetEditMask("CCC;1;_");
    any.show();
    Focus(&any);
    any.setCursorPosition(0);
    TypeInto(&any, QString::fromUtf8(u8"ソ表"));
    EXPECT_EQ(any.Text(), "ソ表 ");
    EXPECT_EQ(any.cursorPosition(), 2);
    TypeInto(&any, QString(QChar(0xD55C)));  // a Hangul syllable: no cp932 form, refused
    EXPECT_EQ(any.Text(), "ソ表 ");
    EXPECT_EQ(script.Beeps(), 2);
}

TEST_F(MaskLineEditTest, RefusesAChangedIncompleteFieldWhenTheFocusLeaves) {
    CheckedScript script;
    date->SetText("");
    Focus(date);
    date->setCursorPosition(0);
    QTest::keyClicks(date, QStringLiteral("19"));

    script.AnswerMessage(IDOK);
    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_TRUE(date->hasFocus());
    EXPECT_EQ(date->cursorPosition(), 2);  // the first unfilled required digit
    EXPECT_EQ(script.Beeps(), 1);
    ASSERT_EQ(script.Records().size(), 1u);
    const ModalRecord& r = script.Records()[0];
    EXPECT_EQ(r.text, "入力値が不正です. ｴｽｹｰﾌﾟｷｰで変更を取り消せます");
    EXPECT_EQ(r.flags, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(r.caption, "TANSU");

    // A click on a button is refused the same way, and does not click it.
    QSignalSpy clicked(button, &QPushButton::clicked);
    script.AnswerMessage(IDOK);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(date->hasFocus());
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(script.Records().size(), 2u);
    QCoreApplication::processEvents();

    // Still changed (the refusal keeps the text at entering): completing
    // the field lets the focus go, and the button clicks again.
    QTest::keyClicks(date, QStringLiteral("97"));
    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_TRUE(id->hasFocus());
    EXPECT_EQ(date->Text(), "1997/  /  ");
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(script.Records().size(), 2u);
    EXPECT_EQ(script.Beeps(), 2);
}

TEST_F(MaskLineEditTest, AnotherWindowComingUpNeitherChecksNorResetsTheField) {
    CheckedScript script;
    date->SetText("");
    Focus(date);
    date->setCursorPosition(0);
    QTest::keyClicks(date, QStringLiteral("1"));

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(script.Records().empty());
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_TRUE(date->hasFocus());
    EXPECT_TRUE(date->Modified());  // still the change made before

    script.AnswerMessage(IDOK);
    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_TRUE(date->hasFocus());
    EXPECT_EQ(script.Records().size(), 1u);
    QTest::keyClick(date, Qt::Key_Escape);
    EXPECT_EQ(date->Text(), "    /  /  ");
}

TEST_F(MaskLineEditTest, EscUndoesAndAnUnchangedFieldIsNeverRefused) {
    CheckedScript script;  // no answers: any message fails the test
    id->SetText("");        // incomplete, but not changed by the user
    Focus(id);
    QTest::keyClick(id, Qt::Key_Tab);
    EXPECT_FALSE(id->hasFocus());

    date->SetText("1997/05/12");
    Focus(date);
    date->setCursorPosition(5);
    QTest::keyClick(date, Qt::Key_Backspace);
    QTest::keyClick(date, Qt::Key_Backspace);
    EXPECT_EQ(date->Text(), "19  /05/12");
    EXPECT_TRUE(date->Modified());

    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(date, &esc);
    EXPECT_TRUE(esc.isAccepted());
    EXPECT_EQ(date->Text(), "1997/05/12");
    EXPECT_FALSE(date->Modified());
    // Esc on an unchanged field is left to the window (its Cancel).
    QKeyEvent esc2(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(date, &esc2);
    EXPECT_FALSE(esc2.isAccepted());

    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_FALSE(date->hasFocus());

    // Emptied and then typed back to what it was: no change, no refusal.
    Focus(date);
    date->selectAll();
    QTest::keyClick(date, Qt::Key_Delete);
    QTest::keyClicks(date, QStringLiteral("19970512"));
    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_FALSE(date->hasFocus());
    EXPECT_EQ(script.Beeps(), 0);
}

TEST_F(MaskLineEditTest, EscReturnsToTheLastValidatedText) {
    CheckedScript script;
    id->SetText("");
    Focus(id);
    id->setCursorPosition(0);
    QTest::keyClicks(id, QStringLiteral("abc12345"));
    EXPECT_TRUE(id->ValidateEdit());
    EXPECT_FALSE(id->Modified());
    id->setCursorPosition(3);
    QTest::keyClick(id, Qt::Key_Delete);
    EXPECT_EQ(id->Text(), "abc 2345");

    script.AnswerMessage(IDOK);
    EXPECT_FALSE(id->ValidateEdit());
    EXPECT_EQ(id->cursorPosition(), 3);
    QTest::keyClick(id, Qt::Key_Escape);
    EXPECT_EQ(id->Text(), "abc12345");
}

}  // namespace
}  // namespace ui

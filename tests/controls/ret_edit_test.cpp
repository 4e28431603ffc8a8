// The Enter-key edit on a real form: Enter walks the tab order instead of
// being typed, unless ReturnNext is off.
#include "array_forms.h"

#include "framework/form_filer.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class RetEditTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterArrayTestClasses(); }
    void SetUp() override {
        f.reset(new TRetForm(nullptr));
        f->Show();
        f->Widget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f->Widget()));
    }
    TOwned<TRetForm> f;
};

}  // namespace

TEST_F(RetEditTest, EnterMovesToTheNextTabStopAndWrapsWithoutPressingTheDefaultButton) {
    ASSERT_TRUE(f->Edit1->ReturnNext());
    f->Edit1->SetFocus();
    QTest::keyClicks(f->Edit1->Widget(), QStringLiteral("ab"));
    QTest::keyClick(f->Edit1->Widget(), Qt::Key_Return);
    EXPECT_TRUE(f->Edit2->Focused());
    EXPECT_EQ(f->Edit1->Text(), "ab");

    // Edit3 is the last tab stop (Edit4 is none): Enter goes round to the
    // first, and the default button in between is not pressed.
    f->Edit3->SetFocus();
    QTest::keyClicks(f->Edit3->Widget(), QStringLiteral("x"));
    QTest::keyClick(f->Edit3->Widget(), Qt::Key_Return);
    EXPECT_TRUE(f->Edit1->Focused());
    EXPECT_EQ(f->okClicks, 0);
    EXPECT_EQ(f->Edit3->Text(), "x");
    // OnKeyPress saw the typed character, never the Enter.
    EXPECT_EQ(f->keysSeen, "x");
}

TEST_F(RetEditTest, WithoutReturnNextEnterIsAPlainKey) {
    TRetEdit* e = f->Edit4;
    ASSERT_FALSE(e->ReturnNext());  // as stored
    e->SetFocus();
    // The form's default button takes Enter, as from any plain edit.
    QTest::keyClick(e->Widget(), Qt::Key_Return);
    EXPECT_EQ(f->okClicks, 1);
    EXPECT_TRUE(e->Focused());

    // With no default button the edit's OnKeyPress receives the Enter, and
    // the focus stays.
    f->OkButton->SetDefault(false);
    QTest::keyClick(e->Widget(), Qt::Key_Return);
    EXPECT_EQ(f->okClicks, 1);
    EXPECT_EQ(f->keysSeen, "<CR>");
    EXPECT_TRUE(e->Focused());

    // Switched on at run time, Enter moves on again: from Edit4 (no tab
    // stop, after the last one) round to the first.
    e->SetReturnNext(true);
    QTest::keyClick(e->Widget(), Qt::Key_Return);
    EXPECT_TRUE(f->Edit1->Focused());
    EXPECT_EQ(f->keysSeen, "<CR>");
}

TEST_F(RetEditTest, ReturnNextIsStoredOnlyWhenOff) {
    std::string text = WriteComponentText(f.get());
    size_t first = text.find("ReturnNext");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(text.find("ReturnNext", first + 1), std::string::npos);
    EXPECT_NE(text.find("ReturnNext = False"), std::string::npos);
    EXPECT_GT(first, text.find("object Edit4"));
    // A new edit turns it on.
    TOwned<TRetEdit> fresh(new TRetEdit(nullptr));
    EXPECT_TRUE(fresh->ReturnNext());
}

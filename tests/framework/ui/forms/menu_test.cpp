// Main menus read from a stored form: shortcuts, OnClick of a menu when it
// opens, check marks, and items that come and go.
#include "framework/form_filer.h"
#include "framework/ui/forms/application.h"
#include "framework/ui/sample_forms.h"
#include "framework/ui/ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->Initialize();
        f.reset(new TSampleMain(nullptr));
        f->Show();
        QApplication::setActiveWindow(f->Widget());
        ASSERT_TRUE(QTest::qWaitForWindowActive(f->Widget()));
        f->ListBox1->SetFocus();
    }
    TOwned<TSampleMain> f;
};

TEST_F(MenuTest, ShortcutsRunTheirItemAfterTheMenusHoldingIt) {
    QWidget* list = f->ListBox1->Widget();
    QTest::keyClick(list, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(f->log, std::vector<std::string>{"MenuFileOpen"});

    // Ctrl+Shift+F: the Sort menu's OnClick runs first, as when it opens.
    f->log.clear();
    QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f->log, (std::vector<std::string>{"MenuSort", "MenuSortDir"}));

    // A disabled item (or one under a disabled menu) does not run, and the
    // key goes on to the control.
    f->log.clear();
    f->MenuFileOpen->SetEnabled(false);
    QTest::keyClick(list, Qt::Key_O, Qt::ControlModifier);
    f->MenuFileOpen->SetEnabled(true);
    f->MenuSort->SetEnabled(false);
    QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(f->log.empty());

    // A handler of the menu may take the shortcut away before it runs.
    f->MenuSort->SetEnabled(true);
    f->MenuSort->OnClick.Bind([this](TObject*) { f->MenuSortDir->SetShortCut(0); });
    QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(f->log.empty());

    EXPECT_EQ(ShortCutToText(16463), "Ctrl+O");
    EXPECT_EQ(ShortCutToText(ShortCut(ui::key::Delete, ui::kShift)), "Shift+Del");
    EXPECT_EQ(ShortCutToText(ShortCut(ui::key::F1 + 4, ui::kAlt | ui::kCtrl)), "Ctrl+Alt+F5");
    EXPECT_EQ(ShortCut('O', ui::kCtrl), 16463);
}

TEST_F(MenuTest, OpeningAMenuRunsItsOnClickBeforeItShowsAndCheckMarksStay) {
    QMenu* sort = f->MenuSort->Action()->menu();
    ASSERT_TRUE(sort);
    bool shownAtClick = true;
    f->MenuSort->OnClick.Bind([&](TObject* s) {
        f->log.push_back(static_cast<TComponent*>(s)->Name());
        shownAtClick = sort->isVisible();
        // The menu marks the current order as it opens.
        f->MenuSortNum->SetChecked(false);
        f->MenuSortDir->SetChecked(true);
    });
    sort->popup(QPoint(10, 10));
    EXPECT_TRUE(sort->isVisible());
    EXPECT_FALSE(shownAtClick);
    EXPECT_EQ(f->log, std::vector<std::string>{"MenuSort"});
    QAction* num = f->MenuSortNum->Action();
    QAction* dir = f->MenuSortDir->Action();
    EXPECT_FALSE(num->isChecked());
    EXPECT_TRUE(dir->isChecked());

    // Choosing a checked item runs it and leaves its mark as it was.
    dir->trigger();
    EXPECT_TRUE(dir->isChecked());
    EXPECT_TRUE(f->MenuSortDir->Checked());
    EXPECT_EQ(f->log.back(), "MenuSortDir");
    sort->hide();

    // The menu bar's own click opens the menu the same way.
    f->log.clear();
    QMenuBar* bar = f->MainMenu1->MenuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(f->MenuSort->Action()).center());
    EXPECT_EQ(f->log, std::vector<std::string>{"MenuSort"});
    sort->hide();
}

TEST_F(MenuTest, ItemsFollowTheProgramAndGoWithTheirMenu) {
    QMenu* file = f->F1->Action()->menu();
    f->MenuFileOpen->SetCaption("開く(&O)");
    f->MenuFileOpen->SetShortCut(0);
    EXPECT_EQ(file->actions()[0]->text(), QString::fromUtf8(u8"開く(&O)"));
    f->N2->SetVisible(false);
    EXPECT_FALSE(file->actions()[1]->isVisible());

    // Items added in code appear in place; a freed item leaves its menu.
    auto* extra = new TMenuItem(f.get());
    extra->SetCaption("追加");
    f->F1->Insert(1, extra);
    ASSERT_EQ(file->actions().size(), 4);
    EXPECT_EQ(file->actions()[1], extra->Action());
    EXPECT_EQ(extra->GetParentMenu(), f->MainMenu1);
    extra->Free();
    EXPECT_EQ(file->actions().size(), 3);
    EXPECT_EQ(f->F1->Count(), 3);

    // Stored like the form that was read.
    std::string text = WriteComponentText(f.get());
    EXPECT_NE(text.find("Menu = MainMenu1"), std::string::npos);
    EXPECT_NE(text.find(ui::testing::Utf8(u8"    object F1: TMenuItem\n      Caption = 'ﾌｧｲﾙ(&F)'\n      object MenuFileOpen")),
              std::string::npos);
    EXPECT_NE(text.find("ShortCut = 24646"), std::string::npos);

    // The menu takes its items along; the form loses its bar.
    f->MainMenu1->Free();
    EXPECT_EQ(f->Menu(), nullptr);
    EXPECT_EQ(f->FindComponent("MenuSortDir"), nullptr);
    EXPECT_EQ(f->ClientWidget()->geometry().top(), 0);
    QTest::keyClick(f->ListBox1->Widget(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(f->log.empty());
}

}  // namespace

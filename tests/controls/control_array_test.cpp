// Control arrays on real windows read from stored forms: the user clicks and
// types on the elements; the array's events arrive with the index.
#include "array_forms.h"

#include "framework/form_filer.h"
#include "framework/ui/forms/application.h"
#include "framework/ui/modal/modal_script.h"

#include <QApplication>
#include "framework/ui/ui_test_support.h"
#include "framework/ui/modal/message_box_flags.h"
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class ControlArrays : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterArrayTestClasses(); }

    // Shows a form as the user sees it, with its window active.
    template <class F>
    static void ShowActive(F* form) {
        form->Show();
        QWidget* w = form->Widget();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
};

std::string Names(TArCntrl* array) {
    std::string names;
    for (int32_t i = 0; i < array->NumOfArry(); ++i) {
        TControl* c = array->ArryCntrl(i);
        names += (names.empty() ? "" : ",") + (c ? c->Name() : std::string("-"));
    }
    return names;
}

}  // namespace

TEST_F(ControlArrays, AClickOnAnElementArrivesWithItsIndexAndEmptySlotsDoNothing) {
    TOwned<TArrayDialog> d(new TArrayDialog(nullptr));
    ShowActive(d.get());
    ASSERT_EQ(d->ArLabel1->NumOfArry(), 3);
    EXPECT_TRUE(PendingArrays().empty());  // every element was there when the form was read

    QTest::mouseClick(d->ArLabel1_2->Widget(), Qt::LeftButton);
    // The label's own handler was replaced by the array's routing.
    ASSERT_EQ(d->log, std::vector<std::string>{"ArLabel1Click ArLabel1_2 1"});
    QTest::mouseClick(d->ArLabel1_3->Widget(), Qt::LeftButton);
    QTest::mouseClick(d->ArLabel1_1->Widget(), Qt::LeftButton);
    EXPECT_EQ(d->log, (std::vector<std::string>{"ArLabel1Click ArLabel1_2 1", "ArLabel1Click ArLabel1_3 2",
                                                "ArLabel1Click ArLabel1_1 0"}));

    // ArButton1 has no OnClick: its buttons had their own handler in the
    // stored form, and routing took it away.
    d->log.clear();
    QTest::mouseClick(d->ArButton1_2->Widget(), Qt::LeftButton);
    QTest::keyClick(d->ArButton1_1->Widget(), Qt::Key_Space);
    EXPECT_TRUE(d->log.empty()) << d->log.front();
    // A handler given to the array later is reached from the same click.
    std::vector<int32_t> indexes;
    d->ArButton1->OnClick.Bind([&](TObject*, int32_t index) { indexes.push_back(index); });
    QTest::mouseClick(d->ArButton1_2->Widget(), Qt::LeftButton);
    EXPECT_EQ(indexes, std::vector<int32_t>{1});
}

TEST_F(ControlArrays, KeyHandlersOfTheArrayChangeWhatTheEditReceives) {
    TOwned<TArrayDialog> d(new TArrayDialog(nullptr));
    ShowActive(d.get());
    TRetEdit* second = d->ArEdit1_2;
    second->SetFocus();
    QTest::keyClicks(second->Widget(), QStringLiteral("axcQd"));
    // a became b, x was dropped (key 0 in OnKeyPress), Q was dropped in
    // OnKeyDown before any character step.
    EXPECT_EQ(second->Text(), "bcd");
    EXPECT_EQ(d->log, (std::vector<std::string>{"ArEdit1KeyPress ArEdit1_2 1 a", "ArEdit1Change ArEdit1_2 1",
                                                "ArEdit1KeyPress ArEdit1_2 1 x", "ArEdit1KeyPress ArEdit1_2 1 c",
                                                "ArEdit1Change ArEdit1_2 1", "ArEdit1KeyPress ArEdit1_2 1 d",
                                                "ArEdit1Change ArEdit1_2 1"}));
    // Enter moves on without reaching the array's OnKeyPress.
    d->log.clear();
    QTest::keyClick(second->Widget(), Qt::Key_Return);
    EXPECT_TRUE(d->log.empty());
    EXPECT_TRUE(d->ArButton1_1->Focused());
}

TEST_F(ControlArrays, ADestroyedElementLeavesTheArrayAndLaterOnesMoveDown) {
    TOwned<TArrayDialog> d(new TArrayDialog(nullptr));
    ShowActive(d.get());
    TArLabel* labels = d->ArLabel1;
    TLabel* third = d->ArLabel1_3;
    EXPECT_EQ(labels->IndexOfCntrl(third), 2);
    EXPECT_EQ(labels->IndexOfCntrl(d->ArButton1_1), -1);
    EXPECT_EQ(labels->IndexOfCntrl(nullptr), -1);

    d->ArLabel1_2->Free();
    EXPECT_EQ(labels->NumOfArry(), 2);
    EXPECT_EQ(labels->Collection()->Count(), 2);
    EXPECT_EQ(Names(labels), "ArLabel1_1,ArLabel1_3");
    EXPECT_EQ(labels->IndexOfCntrl(third), 1);
    QTest::mouseClick(third->Widget(), Qt::LeftButton);
    EXPECT_EQ(d->log, std::vector<std::string>{"ArLabel1Click ArLabel1_3 1"});

    // The form written back names only the elements still there.
    std::string text = WriteComponentText(d.get());
    EXPECT_EQ(text.find("ArLabel1_2"), std::string::npos);
    EXPECT_NE(text.find("Cntrl = ArLabel1_3"), std::string::npos);
}

TEST_F(ControlArrays, ElementAccessOutsideTheArrayIsNull) {
    TOwned<TArrayDialog> d(new TArrayDialog(nullptr));
    TArEdit* edits = d->ArEdit1;
    EXPECT_EQ(edits->ArryCntrl(0), d->ArEdit1_1);
    EXPECT_EQ(edits->ArryCntrl(1), d->ArEdit1_2);
    EXPECT_EQ(edits->ArryCntrl(-1), nullptr);
    EXPECT_EQ(edits->ArryCntrl(edits->NumOfArry()), nullptr);
    EXPECT_EQ(d->ArLabel1->ArryCntrl(3), nullptr);
    EXPECT_EQ(d->ArLabel1->ArryCntrl(2), d->ArLabel1_3);
    EXPECT_EQ(d->ArButton1->ArryCntrl(1), d->ArButton1_2);
}

TEST_F(ControlArrays, UnsuitableControlsAreRefusedAndNothingChanges) {
    TOwned<TArrayDialog> d(new TArrayDialog(nullptr));
    TArLabel* labels = d->ArLabel1;
    try {
        labels->AddCntrl(d->ArButton1_1);
        ADD_FAILURE() << "a button was taken into a label array";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "TButton オブジェクトは受け入れられません");
    }
    EXPECT_EQ(labels->NumOfArry(), 3);
    EXPECT_EQ(labels->Collection()->Count(), 3);
    EXPECT_EQ(labels->IndexOfCntrl(d->ArButton1_1), -1);
    EXPECT_THROW(d->ArButton1->AddCntrl(d->ArLabel1_1), EInvalidOperation);
    EXPECT_THROW(d->ArEdit1->AddCntrl(nullptr), EInvalidOperation);

    // An edit array takes a plain edit (an ancestor of its element class),
    // and routes it at once.
    auto* plain = new TEdit(d.get());
    plain->SetName("Plain");
    plain->SetParent(d.get());
    EXPECT_EQ(d->ArEdit1->AddCntrl(plain), 2);
    EXPECT_EQ(d->ArEdit1->NumOfArry(), 3);
    EXPECT_EQ(d->ArEdit1->ArryCntrl(2), plain);
    ShowActive(d.get());
    plain->SetFocus();
    QTest::keyClicks(plain->Widget(), QStringLiteral("a"));
    EXPECT_EQ(plain->Text(), "b");
    EXPECT_EQ(d->log.front(), "ArEdit1KeyPress Plain 2 a");
    // A mask edit is no edit of the array's kind.
    auto* masked = new TMaskEdit(d.get());
    EXPECT_THROW(d->ArEdit1->AddCntrl(masked), EInvalidOperation);

    // DeleteCntrl takes the element out and gives it back its own events.
    d->ArEdit1->DeleteCntrl(2);
    EXPECT_EQ(d->ArEdit1->NumOfArry(), 2);
    EXPECT_FALSE(plain->OnKeyPress.Assigned());
    d->ArEdit1->DeleteCntrl(5);  // outside: nothing
    d->ArEdit1->DeleteCntrl(-1);
    EXPECT_EQ(d->ArEdit1->NumOfArry(), 2);
}

TEST_F(ControlArrays, RaisingTheCountNamesAndPlacesNewElements) {
    TOwned<TGrowForm> g(new TGrowForm(nullptr));
    TArLabel* a = g->ArLabel1;
    ASSERT_EQ(a->NumOfArry(), 0);
    TComponent* taken = g->FindComponent("ArLabel1_2");
    ASSERT_NE(taken, nullptr);

    a->WriteNumOfArry(2);
    ASSERT_EQ(a->NumOfArry(), 2);
    TLabel* first = a->ArryCntrl(0);
    TLabel* second = a->ArryCntrl(1);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->Name(), "ArLabel1_1");
    EXPECT_EQ(second->Name(), "ArLabel1_3");
    EXPECT_EQ(g->FindComponent("ArLabel1_2"), taken);
    // The array sits at (40, 100): the first element 30 to its right at the
    // same height, the next 15 right and 30 down, on the form.
    EXPECT_EQ(first->Left(), 70);
    EXPECT_EQ(first->Top(), 100);
    EXPECT_EQ(second->Left(), 85);
    EXPECT_EQ(second->Top(), 130);
    EXPECT_EQ(first->Parent(), g.get());
    EXPECT_EQ(a->ArryParent(), g.get());
    EXPECT_EQ(first->Owner(), g.get());

    // The next one goes on from the last.
    a->WriteNumOfArry(3);
    EXPECT_EQ(a->ArryCntrl(2)->Name(), "ArLabel1_4");
    EXPECT_EQ(a->ArryCntrl(2)->Left(), 100);
    EXPECT_EQ(a->ArryCntrl(2)->Top(), 160);
}

TEST_F(ControlArrays, NewElementsWrapAtTheParentsEdgeAndAreRouted) {
    TOwned<TGrowForm> g(new TGrowForm(nullptr));
    TArButton* b = g->ArButton2;
    // Stored as -2: taken as no elements.
    EXPECT_EQ(b->NumOfArry(), 0);
    EXPECT_EQ(b->ArryCntrl(0), nullptr);
    b->WriteNumOfArry(2);
    ASSERT_EQ(b->NumOfArry(), 2);
    // The array sits at (320, 380) on a 400 x 400 client area: a 75 x 25
    // button would leave it at the right and at the bottom, so the cascade
    // starts again at the top left.
    EXPECT_EQ(b->ArryCntrl(0)->Name(), "ArButton2_1");
    EXPECT_EQ(b->ArryCntrl(0)->Left(), 15);
    EXPECT_EQ(b->ArryCntrl(0)->Top(), 30);
    EXPECT_EQ(b->ArryCntrl(1)->Left(), 30);
    EXPECT_EQ(b->ArryCntrl(1)->Top(), 60);

    ShowActive(g.get());
    QTest::mouseClick(b->ArryCntrl(1)->Widget(), Qt::LeftButton);
    EXPECT_EQ(g->log, std::vector<std::string>{"ArButton2Click ArButton2_2 1"});

    // A negative count at run time is no count: both go.
    b->WriteNumOfArry(-1);
    EXPECT_EQ(b->NumOfArry(), 0);
    EXPECT_EQ(g->FindComponent("ArButton2_1"), nullptr);
    EXPECT_EQ(g->FindComponent("ArButton2_2"), nullptr);
}

TEST_F(ControlArrays, LoweringTheCountDestroysTheLastElements) {
    TOwned<TGrowForm> g(new TGrowForm(nullptr));
    TArLabel* a = g->ArLabel2;
    ASSERT_EQ(Names(a), "ArLabel2_1,ArLabel2_2,ArLabel2_3,ArLabel2_4");
    const int before = g->ComponentCount();
    a->WriteNumOfArry(2);
    EXPECT_EQ(a->NumOfArry(), 2);
    EXPECT_EQ(a->Collection()->Count(), 2);
    EXPECT_EQ(Names(a), "ArLabel2_1,ArLabel2_2");
    EXPECT_EQ(g->FindComponent("ArLabel2_3"), nullptr);
    EXPECT_EQ(g->FindComponent("ArLabel2_4"), nullptr);
    ASSERT_NE(g->FindComponent("ArLabel2_2"), nullptr);
    EXPECT_EQ(g->ComponentCount(), before - 2);
}

TEST_F(ControlArrays, StoredFormsKeepTheItemsAndOnlyArraysWithItemsStoreThem) {
    TOwned<TGrowForm> g(new TGrowForm(nullptr));
    std::string text = WriteComponentText(g.get());
    // ArLabel1 has no items: NumOfArry is stored, Collection is not.
    size_t at = text.find("object ArLabel1: TArLabel");
    ASSERT_NE(at, std::string::npos);
    std::string arLabel1 = text.substr(at, text.find("  end", at) - at);
    EXPECT_EQ(arLabel1.find("Collection"), std::string::npos) << arLabel1;
    EXPECT_NE(arLabel1.find("NumOfArry = 0"), std::string::npos) << arLabel1;
    // ArLabel2 stores its four items, without EventSeted.
    EXPECT_NE(text.find("Cntrl = ArLabel2_4"), std::string::npos);
    EXPECT_EQ(text.find("EventSeted"), std::string::npos);

    // Read into a fresh form, the text gives the same arrays, routed anew.
    TOwned<TGrowForm> again(new TGrowForm(nullptr));
    TArLabel* copy = again->ArLabel2;
    EXPECT_EQ(Names(copy), "ArLabel2_1,ArLabel2_2,ArLabel2_3,ArLabel2_4");
    for (int i = 0; i < copy->Collection()->Count(); ++i) EXPECT_TRUE(copy->Collection()->Items(i)->EventSeted());
    EXPECT_EQ(WriteComponentText(again.get()), text);
}

TEST_F(ControlArrays, DestroyingTheArrayLeavesTheElementsWithoutItsHandlers) {
    TOwned<TArrayDialog> d(new TArrayDialog(nullptr));
    TLabel* label = d->ArLabel1_1;
    ASSERT_TRUE(label->OnClick.Assigned());
    ASSERT_TRUE(d->ArEdit1_1->OnChange.Assigned());
    d->ArLabel1->Free();
    d->ArEdit1->Free();
    EXPECT_FALSE(label->OnClick.Assigned());
    EXPECT_FALSE(label->OnMouseDown.Assigned());
    EXPECT_FALSE(d->ArEdit1_1->OnChange.Assigned());
    EXPECT_FALSE(d->ArEdit1_1->OnKeyPress.Assigned());
    // Clicking and typing are harmless now.
    ShowActive(d.get());
    QTest::mouseClick(label->Widget(), Qt::LeftButton);
    d->ArEdit1_1->SetFocus();
    QTest::keyClicks(d->ArEdit1_1->Widget(), QStringLiteral("a"));
    EXPECT_EQ(d->ArEdit1_1->Text(), "a");
    EXPECT_TRUE(d->log.empty());
}

TEST_F(ControlArrays, WhileDesigningAMissingHandlerIsReported) {
    TOwned<TArrayDialog> d(new TArrayDialog(nullptr));
    ui::testing::CheckedScript script;
    auto* edit = new TRetEdit(d.get());
    edit->SetName("Field");
    // An array of windowed controls has every handler an edit needs but
    // OnChange.
    auto* designed = new TArWinCtrl(d.get());
    designed->SetDesigning(true);
    script.AnswerMessage(IDOK);
    EXPECT_TRUE(designed->SetCntrlEvent(edit));
    ASSERT_EQ(script.Records().size(), 1u);
    EXPECT_EQ(script.Records()[0].text, "オブジェクト Field のイベント OnChange に対するハンドラはありません");
    EXPECT_TRUE(edit->OnKeyPress.Assigned());
    EXPECT_FALSE(edit->OnChange.Assigned());
    // At run time the same gap is silent.
    designed->SetDesigning(false);
    EXPECT_TRUE(designed->SetCntrlEvent(edit));
    EXPECT_EQ(script.Records().size(), 1u);
    EXPECT_FALSE(designed->SetCntrlEvent(nullptr));
}

TEST_F(ControlArrays, TheParentWindowTakesTheElementsOfItsForm) {
    TOwned<TGrowForm> g(new TGrowForm(nullptr));
    TArLabel* a = g->ArLabel2;
    EXPECT_EQ(a->ArryParent(), nullptr);  // not stored
    a->WriteArryParent(g->Panel1);
    EXPECT_EQ(a->ArryParent(), g->Panel1);
    for (int i = 0; i < a->NumOfArry(); ++i) EXPECT_EQ(a->ArryCntrl(i)->Parent(), g->Panel1) << i;
    EXPECT_NE(WriteComponentText(g.get()).find("ArryParent = Panel1"), std::string::npos);

    // New elements go onto the panel, owned by the form, in the cascade
    // that goes on from the last element.
    TLabel* last = a->ArryCntrl(3);
    a->WriteNumOfArry(5);
    TLabel* made = a->ArryCntrl(4);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Name(), "ArLabel2_5");
    EXPECT_EQ(made->Parent(), g->Panel1);
    EXPECT_EQ(made->Owner(), g.get());
    EXPECT_EQ(made->Left(), last->Left() + 15);
    EXPECT_EQ(made->Top(), last->Top() + 30);

    // Null means the array's owner: everything back onto the form.
    a->WriteArryParent(nullptr);
    EXPECT_EQ(a->ArryParent(), g.get());
    EXPECT_EQ(made->Parent(), g.get());
    EXPECT_EQ(a->ArryCntrl(0)->Parent(), g.get());

    // A parent window that goes is forgotten, not kept dangling.
    a->WriteArryParent(g->Panel1);
    g->Panel1->Free();
    EXPECT_EQ(a->ArryParent(), nullptr);
}

TEST_F(ControlArrays, AnItemTakesOnlyTheControlFromAnotherItem) {
    TOwned<TArrayDialog> d(new TArrayDialog(nullptr));
    TCntrlItem* source = d->ArLabel1->Collection()->Items(1);
    ASSERT_TRUE(source->EventSeted());
    TOwned<TArLabel> other(new TArLabel(nullptr));
    TCntrlItem* copy = other->Collection()->Add();
    copy->Assign(source);
    EXPECT_EQ(copy->Cntrl(), d->ArLabel1_2);
    EXPECT_FALSE(copy->EventSeted());
    EXPECT_THROW(copy->Assign(d->ArLabel1->Collection()), EConvertError);
    // The copy's array hears when the control goes, so the item does not
    // keep it.
    d->ArLabel1_2->Free();
    EXPECT_EQ(copy->Cntrl(), nullptr);
    EXPECT_EQ(d->ArLabel1->NumOfArry(), 2);
}

TEST_F(ControlArrays, AMaskEditArrayMadeAtRunTimeRoutesItsFields) {
    TOwned<TArrayDialog> d(new TArrayDialog(nullptr));
    auto* fields = new TArMaskEdit(d.get());
    fields->SetName("ArMaskEdit1");
    fields->SetDesignPosition(150, 120);
    fields->WriteNumOfArry(2);
    TMaskEdit* date = fields->ArryCntrl(1);
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->Name(), "ArMaskEdit1_2");
    EXPECT_EQ(fields->ArryCntrl(0)->Left(), 180);
    EXPECT_EQ(fields->ArryCntrl(0)->Top(), 120);
    // Neither a plain edit nor an Enter-key edit is a mask edit.
    EXPECT_THROW(fields->AddCntrl(d->ArEdit1_1), EInvalidOperation);
    auto* plain = new TEdit(d.get());
    EXPECT_THROW(fields->AddCntrl(plain), EInvalidOperation);

    std::vector<std::string> changes;
    fields->OnChange.Bind([&](TObject* sender, int32_t index) { changes.push_back(NameOf(sender) + " " + std::to_string(index)); });
    date->SetEditMask("!0000/99/99;1;_");
    changes.clear();
    ShowActive(d.get());
    date->SetFocus();
    QTest::keyClick(date->Widget(), Qt::Key_Home);
    QTest::keyClicks(date->Widget(), QStringLiteral("1997"));
    EXPECT_EQ(date->Text(), "1997/  /  ");
    ASSERT_EQ(changes.size(), 4u);
    EXPECT_EQ(changes.back(), "ArMaskEdit1_2 1");
}

TEST_F(ControlArrays, EachArrayOffersTheEventsOfItsElements) {
    auto events = [](TClass cls) {
        std::string names;
        for (const TPropInfo* p : cls->Properties())
            if (p->kind == TPropKind::Event) names += p->name + " ";
        return names;
    };
    const std::string edits =
        "OnChange OnClick OnDblClick OnDragDrop OnDragOver OnEndDrag OnStartDrag OnEnter OnExit OnKeyDown OnKeyPress "
        "OnKeyUp OnMouseDown OnMouseMove OnMouseUp ";
    EXPECT_EQ(events(TArEdit::StaticClass()), edits);
    EXPECT_EQ(events(TArMaskEdit::StaticClass()), edits);
    EXPECT_EQ(events(TArLabel::StaticClass()),
              "OnClick OnDblClick OnDragDrop OnDragOver OnEndDrag OnStartDrag OnMouseDown OnMouseMove OnMouseUp ");
    // A button array keeps the double-click slot but offers no such event.
    EXPECT_EQ(events(TArButton::StaticClass()),
              "OnClick OnDragDrop OnDragOver OnEndDrag OnStartDrag OnEnter OnExit OnKeyDown OnKeyPress OnKeyUp "
              "OnMouseDown OnMouseMove OnMouseUp ");
    for (TClass cls : {TArLabel::StaticClass(), TArEdit::StaticClass(), TArButton::StaticClass(), TArMaskEdit::StaticClass()})
        for (const char* name : {"Name", "Tag", "Collection", "NumOfArry", "ArryParent"})
            EXPECT_NE(cls->FindProperty(name), nullptr) << cls->ClassName() << "." << name;
}

#include "test_classes.h"

#include <gtest/gtest.h>

TEST(Component, NamesAreIdentifiersUniqueAmongTheOwnersComponents) {
    TTestForm form(nullptr);
    auto* a = new TWidget(&form);
    auto* b = new TWidget(&form);
    a->SetName("Widget1");
    EXPECT_THROW(b->SetName("widget1"), EComponentError);  // taken (any case)
    EXPECT_EQ(b->Name(), "");
    EXPECT_THROW(b->SetName("1Widget"), EComponentError);
    EXPECT_THROW(b->SetName("Wid get"), EComponentError);
    EXPECT_THROW(b->SetName("\x83\x5C"), EComponentError);
    EXPECT_EQ(b->Name(), "");
    b->SetName("Widget_2");
    EXPECT_EQ(form.FindComponent("WIDGET_2"), b);
    a->SetName("Widget1");  // its own name again is fine
    EXPECT_EQ(form.ComponentCount(), 2);
    EXPECT_EQ(form.Components(1), b);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_THROW(form.Components(2), EInvalidOperation);

    // The naming loop of a control array: try numbers until one is taken.
    auto* c = new TWidget(&form);
    int j = 2;
    for (;; ++j) {
        try {
            c->SetName("Widget_" + std::to_string(j));
            break;
        } catch (const EComponentError&) {
        }
    }
    EXPECT_EQ(j, 3);
}

TEST(Component, OwnerFreesWhatItOwnsAndRemovalNotifiesThoseThatAsked) {
    auto* form = new TTestForm(nullptr);
    auto* a = new TWidget(form);
    auto* b = new TWidget(form);
    auto* outsider = new TWidget(nullptr);
    a->SetName("A");
    b->SetName("B");
    outsider->SetBuddy(b);  // asks to be told about b
    b->Free();
    EXPECT_EQ(outsider->Buddy(), nullptr);
    EXPECT_EQ(outsider->removedNames, std::vector<std::string>{"B"});
    EXPECT_EQ(a->removedNames, std::vector<std::string>{"B"});  // the owner passes the news on
    EXPECT_EQ(form->ComponentCount(), 1);

    // Freeing the owner frees the rest; the outsider hears nothing more of
    // components it did not ask about.
    outsider->SetBuddy(a);
    form->Free();
    EXPECT_EQ(outsider->Buddy(), nullptr);
    outsider->Free();
}

TEST(Component, StateAndOwnershipMoves) {
    TTestForm form(nullptr);
    TTestForm other(nullptr);
    auto* w = new TWidget(&form);
    w->SetName("W");
    form.SetDesigning(true);
    EXPECT_TRUE(w->IsDesigning());
    auto* late = new TWidget(&form);
    EXPECT_TRUE(late->IsDesigning());  // joins the owner's state
    form.SetDesigning(false);
    EXPECT_FALSE(w->IsDesigning());

    auto* clash = new TWidget(&other);
    clash->SetName("W");
    EXPECT_THROW(form.InsertComponent(clash), EComponentError);
    EXPECT_EQ(clash->Owner(), &other);
    form.RemoveComponent(w);
    other.RemoveComponent(clash);
    other.InsertComponent(w);
    EXPECT_EQ(w->Owner(), &other);
    EXPECT_EQ(form.FindComponent("W"), nullptr);
    clash->Free();
}

TEST(Collection, ItemsAddMoveAssignAndFree) {
    TCollection items(TTestItem::StaticClass());
    auto* first = static_cast<TTestItem*>(items.Add());
    auto* second = static_cast<TTestItem*>(items.Add());
    first->SetWeight(1);
    second->SetWeight(2);
    EXPECT_EQ(items.Count(), 2);
    EXPECT_EQ(second->Index(), 1);
    second->SetIndex(0);
    EXPECT_EQ(items.Items(0), second);
    EXPECT_EQ(items.FindItemID(first->ID()), first);

    TCollection copy(TTestItem::StaticClass());
    copy.Assign(&items);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(static_cast<TTestItem*>(copy.Items(0))->Weight(), 2);
    TTestFont font;
    EXPECT_THROW(copy.Assign(&font), EConvertError);
    EXPECT_EQ(copy.Count(), 2);
    items.Delete(0);
    EXPECT_EQ(items.Count(), 1);
    EXPECT_THROW(items.Items(1), EInvalidOperation);
    delete first;  // an item leaves its collection when freed
    EXPECT_EQ(items.Count(), 0);

    TStringList a, b;
    a.Add("x", 7);
    a.Add("\x83\x5C");
    b.Assign(&a);
    EXPECT_TRUE(a == b);
    EXPECT_EQ(b.Numbers(0), 7);
    EXPECT_THROW(b.Strings(2), EInvalidOperation);
    EXPECT_THROW(b.Assign(&items), EConvertError);
    b.SetText("one\r\ntwo\nthree");
    EXPECT_EQ(b.Count(), 3);
    EXPECT_EQ(b.Text(), "one\r\ntwo\r\nthree\r\n");
}

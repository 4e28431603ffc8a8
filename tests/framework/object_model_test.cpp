#include "test_classes.h"

#include <gtest/gtest.h>

TEST(ObjectModel, ClassesKnowTheirNamesParentsAndMakeInstances) {
    RegisterTestClasses();
    TTestForm form(nullptr);
    TWidget* w = new TWidget(&form);
    EXPECT_EQ(w->ClassName(), "TWidget");
    EXPECT_EQ(TWidget::StaticClass()->ClassParent(), TComponent::StaticClass());
    EXPECT_TRUE(w->InheritsFrom(TComponent::StaticClass()));
    EXPECT_TRUE(w->Is<TPersistent>());
    EXPECT_TRUE(w->Is<TObject>());
    EXPECT_FALSE(w->Is<TTestForm>());
    EXPECT_FALSE(TComponent::StaticClass()->InheritsFrom(TWidget::StaticClass()));
    EXPECT_EQ(ObjectCast<TTestForm>(w), nullptr);

    // A class is a value: found by name, it builds a new instance.
    TClass cls = FindClass("twidget");
    ASSERT_EQ(cls, TWidget::StaticClass());
    TComponent* made = cls->CreateComponent(&form);
    EXPECT_EQ(made->ClassType(), TWidget::StaticClass());
    EXPECT_EQ(made->Owner(), &form);
    EXPECT_EQ(FindClass("TNoSuchClass"), nullptr);
    EXPECT_THROW(GetClass("TNoSuchClass"), EReadError);
    EXPECT_THROW(TPersistent::StaticClass()->CreateComponent(nullptr), EInvalidOperation);
}

TEST(ObjectModel, PropertiesAreListedInOrderAndSetByName) {
    TWidget w(nullptr);
    std::vector<std::string> names;
    for (const TPropInfo* p : GetPropList(&w)) names.push_back(p->name);
    std::vector<std::string> expected{"Name", "Tag", "Count", "Active", "Caption", "Shade", "Options",
                                      "Buddy", "Font", "Items", "Lines", "OnClick", "OnKeyPress"};
    EXPECT_EQ(names, expected);

    SetOrdProp(&w, "count", 42);
    EXPECT_EQ(w.Count(), 42);
    SetOrdProp(&w, "Active", 0);
    EXPECT_FALSE(w.Active());
    SetStrProp(&w, "Caption", "\x83\x5C");  // cp932 bytes go through untouched
    EXPECT_EQ(GetStrProp(&w, "Caption"), "\x83\x5C");
    const TPropInfo& shade = GetPropInfo(&w, "Shade");
    SetOrdProp(&w, "Shade", EnumValue(shade, "shDark"));
    EXPECT_EQ(w.Shade(), TShade::shDark);
    EXPECT_EQ(EnumName(shade, GetOrdProp(&w, "Shade")), "shDark");
    const TPropInfo& options = GetPropInfo(&w, "Options");
    SetOrdProp(&w, "Options", SetMask(options, {"woOne", "woThree"}));
    EXPECT_EQ(w.Options(), 5u);
    EXPECT_EQ(SetNames(options, 5), (std::vector<std::string>{"woOne", "woThree"}));

    // Wrong kinds and names are refused and change nothing.
    EXPECT_THROW(SetStrProp(&w, "Count", "7"), EPropertyError);
    EXPECT_EQ(w.Count(), 42);
    EXPECT_THROW(SetOrdProp(&w, "Shade", 3), EPropertyError);
    EXPECT_THROW(EnumValue(shade, "shPurple"), EPropertyError);
    EXPECT_THROW(GetPropInfo(&w, "Colour"), EPropertyError);
    EXPECT_THROW(SetPropValue(&w, "Font", TPropValue(static_cast<TObject*>(nullptr))), EPropertyError);  // read-only

    // References take only components of the property's class.
    TWidget other(nullptr);
    TTestForm form(nullptr);
    SetPropValue(&w, "Buddy", TPropValue(static_cast<TObject*>(&other)));
    EXPECT_EQ(w.Buddy(), &other);
    EXPECT_THROW(SetPropValue(&w, "Buddy", TPropValue(static_cast<TObject*>(&form))), EPropertyError);
    EXPECT_EQ(w.Buddy(), &other);
    EXPECT_EQ(GetObjectProp(&w, "Font"), w.Font());
}

TEST(ObjectModel, EventsHoldOneTypedHandler) {
    TTestForm form(nullptr);
    TWidget w(&form);
    w.OnClick(&w);  // empty: nothing happens

    // A published method found by name and bound to the form.
    TMethod click = MethodOf(&form, "WidgetClick");
    ASSERT_TRUE(click.Assigned());
    EXPECT_EQ(click.Name(), "WidgetClick");
    EXPECT_EQ(click.Data(), &form);
    SetMethodProp(&w, "OnClick", click);
    w.OnClick(&w);
    ASSERT_EQ(form.clicks.size(), 1u);
    EXPECT_EQ(form.clicks[0], &w);

    // Copies compare equal; another object's method does not.
    TMethod copy = GetMethodProp(&w, "OnClick");
    EXPECT_TRUE(copy == click);
    TTestForm form2(nullptr);
    EXPECT_FALSE(MethodOf(&form2, "WidgetClick") == click);
    TNotifyEvent e1, e2;
    e1.Bind(&form, &TTestForm::WidgetClick);
    e2.Bind(&form, &TTestForm::WidgetClick);
    EXPECT_TRUE(e1 == e2);
    EXPECT_TRUE(e1.Method() == click);  // same code, same object
    e2.Bind(&form2, &TTestForm::WidgetClick);
    EXPECT_FALSE(e1 == e2);

    // A handler of another signature is refused when set by name.
    EXPECT_THROW(SetMethodProp(&w, "OnClick", MethodOf(&form, "WidgetKeyPress")), EPropertyError);
    EXPECT_THROW(SetMethodProp(&w, "OnKeyPress", MethodOf(&form, "Other")), EPropertyError);
    EXPECT_TRUE(GetMethodProp(&w, "OnClick") == click);  // unchanged

    // var arguments reach the caller.
    SetMethodProp(&w, "OnKeyPress", MethodOf(&form, "WidgetKeyPress"));
    char key = 'a';
    w.OnKeyPress(&w, key);
    EXPECT_EQ(key, 'X');

    // Setting replaces, clearing empties.
    w.OnClick.Bind([&](TObject*) { form.clicks.clear(); });
    w.OnClick(&w);
    EXPECT_TRUE(form.clicks.empty());
    SetMethodProp(&w, "OnClick", TMethod());
    EXPECT_FALSE(w.OnClick.Assigned());

    std::vector<std::string> events;
    for (const TPropInfo* p : GetEventProps(&w)) events.push_back(p->name);
    EXPECT_EQ(events, (std::vector<std::string>{"OnClick", "OnKeyPress"}));
    EXPECT_FALSE(MethodOf(&form, "NoSuchMethod").Assigned());
}

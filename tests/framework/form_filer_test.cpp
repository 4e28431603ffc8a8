#include "test_classes.h"

#include "framework/form_filer.h"
#include "framework/form_text.h"
#include "framework/filer_errors.h"

#include <gtest/gtest.h>

namespace {

// A form in canonical text layout (what the writer gives back).
const char* const kForm =
    "object TestForm1: TTestForm\n"
    "  object Widget1: TWidget\n"
    "    Count = 3\n"
    "    Active = False\n"
    "    Caption = '\xE6\x97\xA5\xE6\x9C\xAC'\n"  // 日本, UTF-8 in the text
    "    Shade = shDark\n"
    "    Options = [woOne, woThree]\n"
    "    Buddy = Widget2\n"
    "    Font.Name = 'Gothic'\n"
    "    Font.Height = -12\n"
    "    Items = <\n"
    "      item\n"
    "        Target = Widget2\n"
    "        Weight = 5\n"
    "      end\n"
    "      item\n"
    "      end>\n"
    "    OnClick = WidgetClick\n"
    "    OnKeyPress = WidgetKeyPress\n"
    "    Left = 8\n"
    "    Top = 16\n"
    "    Cells = (1 2 300)\n"
    "  end\n"
    "  object Widget2: TWidget\n"
    "    Tag = 7\n"
    "    Lines.Strings = ('one' 'two')\n"
    "    Left = 0\n"
    "    Top = 0\n"
    "  end\n"
    "end\n";

}  // namespace

TEST(FormFiler, ReadsATextFormIntoComponentsAndWritesTheSameTextBack) {
    RegisterTestClasses();
    TOwned<TTestForm> form(new TTestForm(nullptr));
    ReadComponentText(form.get(), kForm);
    EXPECT_EQ(form->Name(), "TestForm1");
    ASSERT_EQ(form->ComponentCount(), 2);
    auto* w1 = ObjectCast<TWidget>(form->FindComponent("Widget1"));
    auto* w2 = ObjectCast<TWidget>(form->FindComponent("Widget2"));
    ASSERT_TRUE(w1 && w2);
    EXPECT_EQ(w1->Owner(), form.get());
    EXPECT_EQ(w1->Count(), 3);
    EXPECT_FALSE(w1->Active());
    EXPECT_EQ(w1->Caption(), "\x93\xFA\x96\x7B");  // 日本 in cp932
    EXPECT_EQ(w1->Shade(), TShade::shDark);
    EXPECT_EQ(w1->Options(), 5u);
    EXPECT_EQ(w1->Buddy(), w2);  // a reference to a later component
    EXPECT_EQ(w1->Font()->FontName(), "Gothic");
    EXPECT_EQ(w1->Font()->Height(), -12);
    ASSERT_EQ(w1->Items()->Count(), 2);
    EXPECT_EQ(static_cast<TTestItem*>(w1->Items()->Items(0))->Target(), w2);
    EXPECT_EQ(static_cast<TTestItem*>(w1->Items()->Items(0))->Weight(), 5);
    EXPECT_EQ(w1->cells, (std::vector<int>{1, 2, 300}));
    EXPECT_EQ(w1->DesignLeft(), 8);
    EXPECT_EQ(w1->DesignTop(), 16);
    EXPECT_EQ(w2->Tag(), 7);
    ASSERT_EQ(w2->Lines()->Count(), 2);
    EXPECT_EQ(w2->Lines()->Strings(1), "two");

    // Handlers were bound to the root's published methods.
    w1->OnClick(w1);
    ASSERT_EQ(form->clicks.size(), 1u);
    char key = 'a';
    w1->OnKeyPress(w1, key);
    EXPECT_EQ(key, 'X');

    // Loaded ran for every component, each while the later ones still loaded.
    EXPECT_TRUE(w1->loadedSeen && w2->loadedSeen);
    EXPECT_FALSE(w1->IsLoading() || w2->IsLoading() || form->IsLoading());

    EXPECT_EQ(WriteComponentText(form.get()), kForm);
}

TEST(FormFiler, LoadedRunsWhileLaterComponentsAreStillLoading) {
    RegisterTestClasses();
    // Components that exist already are read into, not made anew.
    TOwned<TTestForm> again(new TTestForm(nullptr));
    TWidget* first = new TWidget(again.get());
    first->SetName("Widget1");
    TWidget* second = new TWidget(again.get());
    second->SetName("Widget2");
    first->watchNext = second;
    ReadComponentText(again.get(),
                      "object G: TTestForm\n"
                      "  object Widget1: TWidget\n"
                      "  end\n"
                      "  object Widget2: TWidget\n"
                      "  end\n"
                      "end\n");
    EXPECT_TRUE(first->loadedSeen);
    EXPECT_TRUE(first->loadingDuringLoaded);
    EXPECT_FALSE(second->IsLoading());
}

TEST(FormFiler, ReferencesIntoAnotherFormWaitUntilThatFormIsRead) {
    RegisterTestClasses();
    TOwned<TTestForm> later(new TTestForm(nullptr));
    TOwned<TTestForm> early(new TTestForm(nullptr));
    ReadComponentText(early.get(),
                      "object EarlyForm: TTestForm\n"
                      "  object Widget1: TWidget\n"
                      "    Buddy = LaterForm.Target1\n"
                      "  end\n"
                      "end\n");
    auto* w = ObjectCast<TWidget>(early->FindComponent("Widget1"));
    ASSERT_TRUE(w);
    EXPECT_EQ(w->Buddy(), nullptr);
    EXPECT_EQ(PendingReferenceCount(), 1);
    ReadComponentText(later.get(),
                      "object LaterForm: TTestForm\n"
                      "  object Target1: TWidget\n"
                      "  end\n"
                      "end\n");
    EXPECT_EQ(w->Buddy(), later->FindComponent("Target1"));
    EXPECT_EQ(PendingReferenceCount(), 0);
    EXPECT_EQ(FindLoadedRoot("laterform"), later.get());

    // A pending reference of a form that goes away is forgotten with it.
    TOwned<TTestForm> gone(new TTestForm(nullptr));
    ReadComponentText(gone.get(),
                      "object GoneForm: TTestForm\n"
                      "  object Widget1: TWidget\n"
                      "    Buddy = NeverForm.X\n"
                      "  end\n"
                      "end\n");
    EXPECT_EQ(PendingReferenceCount(), 1);
    gone.reset();
    EXPECT_EQ(PendingReferenceCount(), 0);
    EXPECT_EQ(FindLoadedRoot("GoneForm"), nullptr);
}

TEST(FormFiler, MalformedFormsStopWithAReadErrorNamingTheProblem) {
    RegisterTestClasses();
    auto expectError = [](const std::string& text, const std::string& fragment) {
        TOwned<TTestForm> form(new TTestForm(nullptr));
        try {
            ReadComponentText(form.get(), text);
            ADD_FAILURE() << "no error for " << text;
        } catch (const EReadError& e) {
            EXPECT_NE(e.Message().find(fragment), std::string::npos) << e.Message();
        }
    };
    expectError("object F: TTestForm\n  object W: TWidget\n    Colour = 3\n  end\nend\n", "Colour");
    expectError("object F: TTestForm\n  object W: TWidget\n    Colour = 3\n  end\nend\n", "TWidget");
    expectError("object F: TTestForm\n  object W: TNoSuchThing\n  end\nend\n", "TNoSuchThing");
    expectError("object F: TTestForm\n  object W: TWidget\n    Count = 'three'\n  end\nend\n", "Count");
    expectError("object F: TTestForm\n  object W: TWidget\n    Shade = shPurple\n  end\nend\n", "Shade");
    expectError("object F: TTestForm\n  object W: TWidget\n    OnClick = Other\n  end\nend\n", "OnClick");
    expectError("object F: TTestForm\n  object W: TWidget\n    OnClick = Missing\n  end\nend\n", "Missing");
    expectError("object F: TWidget\nend\n", "TWidget");

    // A truncated binary form: every prefix fails cleanly, nothing leaks
    // (the sanitizer build checks the latter).
    TOwned<TTestForm> full(new TTestForm(nullptr));
    TMemoryStream binary;
    ObjectTextToBinary(kForm, binary);
    const std::string bytes = binary.Bytes();
    for (size_t cut = 0; cut + 1 < bytes.size(); cut += 7) {
        TOwned<TTestForm> form(new TTestForm(nullptr));
        TMemoryStream part(bytes.substr(0, cut));
        TFormReader reader(part);
        EXPECT_THROW(reader.ReadRootComponent(form.get()), EReadError) << cut;
    }
}

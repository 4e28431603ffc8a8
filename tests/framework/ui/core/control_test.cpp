#include "framework/form_filer.h"
#include "framework/ui/core/control.h"
#include "framework/ui/core/event_guard.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A windowed control on a line edit, and a plain one, publishing what the
// tests stream.
class TProbeEdit : public TWinControl {
    TANSU_CLASS(TProbeEdit, TWinControl)
public:
    explicit TProbeEdit(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }
    QWidget* CreateWidget() override { return new QLineEdit(); }
    QLineEdit* Line() { return static_cast<QLineEdit*>(Widget()); }
};

class TProbeBox : public TWinControl {
    TANSU_CLASS(TProbeBox, TWinControl)
public:
    explicit TProbeBox(TComponent* owner) : TWinControl(owner) {}
    bool IsTopLevel() const override { return Parent() == nullptr; }
    std::vector<TWinControl*> focusMoves;
    void FocusMovedTo(TWinControl* c) override { focusMoves.push_back(c); }
    void Clicked(TObject* sender) { clicks.push_back(sender); }
    std::vector<TObject*> clicks;
};

TANSU_IMPLEMENT_CLASS(TProbeEdit)
void TProbeEdit::DeclarePublished(TClassBuilder<TProbeEdit>& c) {
    c.Event("OnClick", &TProbeEdit::OnClick);
    c.Event("OnKeyPress", &TProbeEdit::OnKeyPress);
}
TANSU_IMPLEMENT_CLASS(TProbeBox)
void TProbeBox::DeclarePublished(TClassBuilder<TProbeBox>& c) { c.Method("Clicked", &TProbeBox::Clicked); }

void RegisterProbes() {
    RegisterClass(TProbeEdit::StaticClass());
    RegisterClass(TProbeBox::StaticClass());
}

}  // namespace

TEST(Control, BoundsParentsAndWidgetsFollowTheControl) {
    TOwned<TProbeBox> box(new TProbeBox(nullptr));
    box->SetBounds(0, 0, 300, 200);
    auto* edit = new TProbeEdit(box.get());
    edit->SetBounds(10, 20, 100, 24);
    EXPECT_FALSE(edit->HasWidget());  // made on first need
    edit->SetParent(box.get());
    ASSERT_TRUE(edit->HasWidget());
    EXPECT_EQ(edit->Widget()->parentWidget(), box->Widget());
    EXPECT_EQ(edit->Widget()->geometry(), QRect(10, 20, 100, 24));
    EXPECT_EQ(TControl::FromWidget(edit->Widget()), edit);
    EXPECT_EQ(box->ControlCount(), 1);
    EXPECT_THROW(box->SetParent(ObjectCast<TWinControl>(edit)), EInvalidOperation);

    // Aligned children share the client area.
    auto* top = new TProbeBox(box.get());
    top->SetHeight(30);
    top->SetAlign(TAlign::alTop);
    top->SetParent(box.get());
    auto* rest = new TProbeBox(box.get());
    rest->SetAlign(TAlign::alClient);
    rest->SetParent(box.get());
    EXPECT_EQ(top->BoundsRect(), (ui::Rect{0, 0, 300, 30}));
    EXPECT_EQ(rest->BoundsRect(), (ui::Rect{0, 30, 300, 200}));
    box->SetBounds(0, 0, 400, 300);
    EXPECT_EQ(rest->BoundsRect(), (ui::Rect{0, 30, 400, 300}));

    // A child freed before its parent leaves it; a parent freed first takes
    // the children's widgets along without harm.
    top->Free();
    EXPECT_EQ(box->ControlCount(), 2);
    box.reset();
}

TEST(Control, InputBecomesEventsAndExceptionsStayInTheHandlerGuard) {
    TOwned<TProbeBox> box(new TProbeBox(nullptr));
    box->SetBounds(0, 0, 200, 100);
    auto* edit = new TProbeEdit(box.get());
    edit->SetBounds(0, 0, 100, 24);
    edit->SetParent(box.get());
    box->Widget()->show();

    int clicks = 0;
    edit->OnClick.Bind([&](TObject*) { ++clicks; });
    QTest::mouseClick(edit->Widget(), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);

    // OnKeyPress may drop a character or give another one.
    edit->OnKeyPress.Bind([](TObject*, char& key) {
        if (key == 'x') key = 0;
        if (key == 'a') key = 'b';
    });
    edit->Line()->setFocus();
    QTest::keyClicks(edit->Widget(), QStringLiteral("axc"));
    EXPECT_EQ(edit->Line()->text().toStdString(), "bc");

    std::vector<std::string> shown;
    ui::SetExceptionHandler([&](const std::exception& e) { shown.push_back(e.what()); });
    edit->OnClick.Bind([](TObject*) { throw EConvertError("'x' bad"); });
    QTest::mouseClick(edit->Widget(), Qt::LeftButton);
    ui::SetExceptionHandler(nullptr);
    EXPECT_EQ(shown, std::vector<std::string>{"'x' bad"});
    EXPECT_EQ(ui::ExceptionBoxText("'x' bad"), "'x' bad.");
    EXPECT_EQ(ui::ExceptionBoxText("done."), "done.");
}

TEST(Control, TabOrderFromAFormAndFocusWrapsAround) {
    RegisterProbes();
    TOwned<TProbeBox> box(new TProbeBox(nullptr));
    ReadComponentText(box.get(),
                      "object Box1: TProbeBox\n"
                      "  Width = 300\n"
                      "  Height = 200\n"
                      "  object E1: TProbeEdit\n"
                      "    Width = 80\n"
                      "    Height = 20\n"
                      "    TabOrder = 2\n"
                      "    OnClick = Clicked\n"
                      "  end\n"
                      "  object E2: TProbeEdit\n"
                      "    TabOrder = 0\n"
                      "  end\n"
                      "  object E3: TProbeEdit\n"
                      "    TabOrder = 1\n"
                      "  end\n"
                      "end\n");
    auto* e1 = ObjectCast<TWinControl>(box->FindComponent("E1"));
    auto* e2 = ObjectCast<TWinControl>(box->FindComponent("E2"));
    auto* e3 = ObjectCast<TWinControl>(box->FindComponent("E3"));
    ASSERT_TRUE(e1 && e2 && e3);
    EXPECT_EQ(e1->Parent(), box.get());
    EXPECT_EQ(e1->TabOrder(), 2);
    EXPECT_EQ(e2->TabOrder(), 0);
    EXPECT_EQ(box->FindNextControl(e2, true, true), e3);
    EXPECT_EQ(box->FindNextControl(e1, true, true), e2);  // wraps around
    EXPECT_EQ(box->FindNextControl(e2, false, true), e1);
    e3->SetEnabled(false);
    EXPECT_EQ(box->FindNextControl(e2, true, true), e1);  // skips what cannot take the focus

    // Tab in a control moves the focus through the form's order.
    e3->SetEnabled(true);
    box->Widget()->show();
    QApplication::setActiveWindow(box->Widget());
    e2->SetFocus();
    QTest::keyClick(e2->Widget(), Qt::Key_Tab);
    EXPECT_TRUE(e3->Focused());
    EXPECT_EQ(box->focusMoves.back(), e3);

    // The stored handler was bound to the root's method.
    QTest::mouseClick(e1->Widget(), Qt::LeftButton);
    EXPECT_EQ(box->clicks, std::vector<TObject*>{e1});
    std::string text = WriteComponentText(box.get());
    EXPECT_NE(text.find("object E1: TProbeEdit\n    Left = 0"), std::string::npos) << text;
    EXPECT_NE(text.find("TabOrder = 2"), std::string::npos) << text;
}

TEST(Control, SwitchingWindowsNeitherEntersNorExits) {
    TOwned<TProbeBox> box(new TProbeBox(nullptr));
    box->SetBounds(0, 0, 200, 100);
    auto* a = new TProbeEdit(box.get());
    a->SetBounds(0, 0, 100, 24);
    a->SetParent(box.get());
    auto* b = new TProbeEdit(box.get());
    b->SetBounds(0, 30, 100, 24);
    b->SetParent(box.get());
    std::vector<std::string> heard;
    a->OnEnter.Bind([&](TObject*) { heard.push_back("enter a"); });
    a->OnExit.Bind([&](TObject*) { heard.push_back("exit a"); });
    b->OnEnter.Bind([&](TObject*) { heard.push_back("enter b"); });
    box->Widget()->show();
    QApplication::setActiveWindow(box->Widget());
    a->SetFocus();
    ASSERT_EQ(heard, std::vector<std::string>{"enter a"});

    // Another window, a pop-up or the menu bar taking the focus and giving
    // it back is no move between the controls.
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason, Qt::MenuBarFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(a->Widget(), &out);
        QFocusEvent in(QEvent::FocusIn, reason);
        QApplication::sendEvent(a->Widget(), &in);
    }
    EXPECT_EQ(heard, std::vector<std::string>{"enter a"});

    // A move to another control is.
    b->SetFocus();
    EXPECT_EQ(heard, (std::vector<std::string>{"enter a", "exit a", "enter b"}));
}

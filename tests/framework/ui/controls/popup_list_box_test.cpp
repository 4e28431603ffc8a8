// The pop-up list window, screen coordinates of a control's points and
// keys handed to a control that does not have the focus.
#include "framework/ui/controls/popup_list_box.h"
#include "framework/ui/test_window.h"

#include "framework/ui/core/qt_input.h"
#include "framework/ui/ui_test_support.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QTest>

namespace {

}  // namespace

TEST(PopupListBox, AWindowOfItsOwnPlacedOnTheScreenWithoutTakingTheFocus) {
    TOwned<TTestWindow> form{new TTestWindow(nullptr)};
    form->SetBounds(40, 30, 300, 200);
    auto* edit = new TListBox(form.get());  // a control that keeps the focus
    edit->SetParent(form.get());
    edit->SetBounds(10, 20, 100, 40);
    form->Widget()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Widget()));
    form->Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Widget()));
    edit->SetFocus();
    ASSERT_TRUE(edit->Focused());

    // Client points in screen coordinates.
    const ui::Point origin = edit->ClientToScreen({0, 0});
    const QPoint expected = edit->Widget()->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(origin, (ui::Point{expected.x(), expected.y()}));
    EXPECT_EQ(edit->ClientToScreen({5, 7}), (ui::Point{expected.x() + 5, expected.y() + 7}));

    TOwned<TPopupListBox> popup{new TPopupListBox(nullptr)};
    EXPECT_FALSE(popup->Visible());
    popup->Items()->Add("one");
    popup->Items()->Add("two");
    popup->Items()->Add("three");
    // Beyond the form's own window, to its right.
    popup->PlaceAt(origin.x + 320, origin.y + 40, 80, 97);
    popup->Show();
    QWidget* list = popup->Widget();
    EXPECT_TRUE(list->isWindow());
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->geometry(), QRect(origin.x + 320, origin.y + 40, 80, 97));
    EXPECT_TRUE(edit->Focused());  // showing it took nothing from the form

    // Keys sent to it work it as if it had the keyboard: the choice moves
    // and OnClick reports it; the focus stays where it was.
    int clicks = 0;
    popup->OnClick.Bind([&](TObject*) { ++clicks; });
    popup->SetItemIndex(0);
    popup->SendKey(ui::key::Down, 0, true);
    popup->SendKey(ui::key::Down, 0, false);
    EXPECT_EQ(popup->ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
    popup->SendKey(ui::key::Up, 0, true);
    EXPECT_EQ(popup->ItemIndex(), 0);
    EXPECT_TRUE(edit->Focused());
}

TEST(PopupListBox, KeyCodesGoToTheToolkitAndBack) {
    const int codes[] = {ui::key::Back, ui::key::Tab,   ui::key::Return, ui::key::Escape, ui::key::Space,
                         ui::key::PageUp, ui::key::PageDown, ui::key::End, ui::key::Home, ui::key::Left,
                         ui::key::Up,   ui::key::Right, ui::key::Down,  ui::key::Insert, ui::key::Delete,
                         ui::key::F1,   ui::key::F1 + 11, 'A',           'Z',             '0', '9'};
    for (int code : codes) {
        QKeyEvent e(QEvent::KeyPress, ui::ToQtKey(code), ui::ToQtModifiers(ui::kShift | ui::kCtrl));
        EXPECT_EQ(ui::KeyCodeOf(e), code) << code;
        EXPECT_EQ(ui::ShiftStateOf(e), ui::kShift | ui::kCtrl) << code;
    }
    EXPECT_EQ(ui::ToQtKey(0x07), Qt::Key_unknown);
}

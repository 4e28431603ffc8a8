#include "controls/StdArr.h"

namespace {

// What every leaf array offers besides its events (Name and Tag come from
// the component, Collection, NumOfArry and ArryParent from the array).
template <class C>
void PublishArrayEvents(TClassBuilder<C>& c, bool dblClick) {
    c.Event("OnClick", &C::OnClick);
    if (dblClick) c.Event("OnDblClick", &C::OnDblClick);
    c.Event("OnDragDrop", &C::OnDragDrop);
    c.Event("OnDragOver", &C::OnDragOver);
    c.Event("OnEndDrag", &C::OnEndDrag);
    c.Event("OnStartDrag", &C::OnStartDrag);
}

template <class C>
void PublishArrayMouseEvents(TClassBuilder<C>& c) {
    c.Event("OnMouseDown", &C::OnMouseDown);
    c.Event("OnMouseMove", &C::OnMouseMove);
    c.Event("OnMouseUp", &C::OnMouseUp);
}

template <class C>
void PublishArrayFocusAndKeyEvents(TClassBuilder<C>& c) {
    c.Event("OnEnter", &C::OnEnter);
    c.Event("OnExit", &C::OnExit);
    c.Event("OnKeyDown", &C::OnKeyDown);
    c.Event("OnKeyPress", &C::OnKeyPress);
    c.Event("OnKeyUp", &C::OnKeyUp);
}

}  // namespace

TANSU_IMPLEMENT_CLASS(TArLabel)
void TArLabel::DeclarePublished(TClassBuilder<TArLabel>& c) {
    PublishArrayEvents(c, true);
    PublishArrayMouseEvents(c);
}

TArLabel::TArLabel(TComponent* owner) : TArCntrl(owner) { cntrlClass_ = TLabel::StaticClass(); }

TANSU_IMPLEMENT_CLASS(TArEdit)
void TArEdit::DeclarePublished(TClassBuilder<TArEdit>& c) {
    c.Event("OnChange", &TArEdit::OnChange);
    PublishArrayEvents(c, true);
    PublishArrayFocusAndKeyEvents(c);
    PublishArrayMouseEvents(c);
}

TArEdit::TArEdit(TComponent* owner) : TArSub1(owner) { cntrlClass_ = TRetEdit::StaticClass(); }

TANSU_IMPLEMENT_CLASS(TArButton)
void TArButton::DeclarePublished(TClassBuilder<TArButton>& c) {
    PublishArrayEvents(c, false);
    PublishArrayFocusAndKeyEvents(c);
    PublishArrayMouseEvents(c);
}

TArButton::TArButton(TComponent* owner) : TArWinCtrl(owner) { cntrlClass_ = TButton::StaticClass(); }

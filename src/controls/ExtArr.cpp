#include "controls/ExtArr.h"

TANSU_IMPLEMENT_CLASS(TArMaskEdit)
void TArMaskEdit::DeclarePublished(TClassBuilder<TArMaskEdit>& c) {
    // The same events as the edit array, in the same order.
    c.Event("OnChange", &TArMaskEdit::OnChange);
    c.Event("OnClick", &TArMaskEdit::OnClick);
    c.Event("OnDblClick", &TArMaskEdit::OnDblClick);
    c.Event("OnDragDrop", &TArMaskEdit::OnDragDrop);
    c.Event("OnDragOver", &TArMaskEdit::OnDragOver);
    c.Event("OnEndDrag", &TArMaskEdit::OnEndDrag);
    c.Event("OnStartDrag", &TArMaskEdit::OnStartDrag);
    c.Event("OnEnter", &TArMaskEdit::OnEnter);
    c.Event("OnExit", &TArMaskEdit::OnExit);
    c.Event("OnKeyDown", &TArMaskEdit::OnKeyDown);
    c.Event("OnKeyPress", &TArMaskEdit::OnKeyPress);
    c.Event("OnKeyUp", &TArMaskEdit::OnKeyUp);
    c.Event("OnMouseDown", &TArMaskEdit::OnMouseDown);
    c.Event("OnMouseMove", &TArMaskEdit::OnMouseMove);
    c.Event("OnMouseUp", &TArMaskEdit::OnMouseUp);
}

TArMaskEdit::TArMaskEdit(TComponent* owner) : TArSub1(owner) { cntrlClass_ = TMaskEdit::StaticClass(); }

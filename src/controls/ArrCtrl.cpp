#include "controls/ArrCtrl.h"

#include "framework/exceptions.h"
#include "framework/ui/forms/application.h"
#include "framework/ui/forms/form.h"
#include "framework/ui/modal/message_box_flags.h"

#include <string>

namespace {

std::string HandlerName(const TPropInfo& event) { return "E" + event.name; }

// The array's handler for the element event `event`, when it has one that
// fits the event's signature.
TMethod RoutingTarget(TArCntrl* array, const TPropInfo& event) {
    TMethod handler = MethodOf(array, HandlerName(event));
    if (handler.Assigned() && event.signature && *handler.Signature() != *event.signature) return TMethod();
    return handler;
}

}  // namespace

// --- TCntrlItem -------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TCntrlItem)
void TCntrlItem::DeclarePublished(TClassBuilder<TCntrlItem>& c) {
    c.Property("Cntrl", &TCntrlItem::Cntrl, &TCntrlItem::SetCntrl);
    c.Property("EventSeted", &TCntrlItem::EventSeted, &TCntrlItem::SetEventSeted).NotStored();
}

TCntrlItem::TCntrlItem(TCollection* collection) : TCollectionItem(collection) {}

TArCntrl* TCntrlItem::Array() const { return Collection() ? ObjectCast<TArCntrl>(Collection()->GetOwner()) : nullptr; }

void TCntrlItem::SetCntrl(TControl* control) {
    cntrl_ = control;
    if (TArCntrl* array = Array(); array && control) array->FreeNotification(control);
}

void TCntrlItem::Assign(const TPersistent* source) {
    if (auto* item = ObjectCast<TCntrlItem>(const_cast<TPersistent*>(source))) {
        SetCntrl(item->Cntrl());
        return;
    }
    TCollectionItem::Assign(source);
}

// --- TCntrls ----------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TCntrls)
void TCntrls::DeclarePublished(TClassBuilder<TCntrls>&) {}

TCntrls::TCntrls(TPersistent* owner) : TCollection(TCntrlItem::StaticClass(), owner) {}

TCntrlItem* TCntrls::Add() { return static_cast<TCntrlItem*>(TCollection::Add()); }

TCntrlItem* TCntrls::Items(int index) const { return static_cast<TCntrlItem*>(TCollection::Items(index)); }

// --- TArCntrl ---------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TArCntrl)
void TArCntrl::DeclarePublished(TClassBuilder<TArCntrl>& c) {
    c.Property("Collection", &TArCntrl::Collection).StoredWhen(&TArCntrl::HasCollectionItems);
    c.Property("NumOfArry", &TArCntrl::NumOfArry, &TArCntrl::WriteNumOfArry);
    c.Property("ArryParent", &TArCntrl::ArryParent, &TArCntrl::WriteArryParent);
    c.Method("EOnClick", &TArCntrl::EOnClick);
    c.Method("EOnDblClick", &TArCntrl::EOnDblClick);
    c.Method("EOnDragOver", &TArCntrl::EOnDragOver);
    c.Method("EOnDragDrop", &TArCntrl::EOnDragDrop);
    c.Method("EOnEndDrag", &TArCntrl::EOnEndDrag);
    c.Method("EOnMouseDown", &TArCntrl::EOnMouseDown);
    c.Method("EOnMouseMove", &TArCntrl::EOnMouseMove);
    c.Method("EOnMouseUp", &TArCntrl::EOnMouseUp);
    c.Method("EOnStartDrag", &TArCntrl::EOnStartDrag);
}

TArCntrl::TArCntrl(TComponent* owner)
    : TComponent(owner), cntrlClass_(TControl::StaticClass()), collection_(new TCntrls(this)) {}

TArCntrl::~TArCntrl() {
    // Reached without Free (a plain delete): the derived handlers cannot be
    // looked up any more, so empty whatever still calls this array.
    RemovePendingArray(this);
    if (!cleared_) DropOwnHandlers();
    delete collection_;
}

void TArCntrl::BeforeDestruction() {
    RemovePendingArray(this);
    // Every control an item names is whole here (one that went has left
    // the items), also when the whole form is being destroyed.
    for (int32_t i = 0; i < numOfArry_; ++i) ClearCntrlEvent(ArryCntrl(i));
    DropOwnHandlers();
    cleared_ = true;
    TComponent::BeforeDestruction();
}

void TArCntrl::DropOwnHandlers() {
    for (int i = 0; i < collection_->Count(); ++i) {
        TControl* c = collection_->Items(i)->Cntrl();
        if (!c) continue;
        for (const TPropInfo* p : GetEventProps(c)) {
            TPropValue v = p->get(c);
            if (auto* m = std::get_if<TMethod>(&v); m && m->Assigned() && m->Data() == this) SetPropValue(c, *p, TMethod());
        }
    }
}

TControl* TArCntrl::ArryCntrl(int32_t index) const {
    if (index < 0 || index >= numOfArry_ || index >= collection_->Count()) return nullptr;
    return collection_->Items(index)->Cntrl();
}

int32_t TArCntrl::IndexOfCntrl(const TControl* control) const {
    if (!control) return -1;
    for (int i = 0; i < collection_->Count(); ++i)
        if (collection_->Items(i)->Cntrl() == control) return i;
    return -1;
}

int32_t TArCntrl::IndexOfSender(TObject* sender) const { return IndexOfCntrl(ObjectCast<TControl>(sender)); }

bool TArCntrl::IsValidCntrl(const TControl* control) const {
    if (!control) return false;
    TClass cls = control->ClassType();
    return cls->InheritsFrom(cntrlClass_) || cntrlClass_->InheritsFrom(cls);
}

int32_t TArCntrl::AddCntrl(TControl* control) {
    if (!IsValidCntrl(control)) {
        std::string name = control ? control->ClassName() : std::string("nil");
        throw EInvalidOperation(name + " オブジェクトは受け入れられません");
    }
    SetCntrlEvent(control);
    collection_->Add()->SetCntrl(control);
    if (!IsLoading()) ++numOfArry_;
    return collection_->Count() - 1;
}

void TArCntrl::DeleteCntrl(int32_t index) {
    if (index < 0 || index >= numOfArry_) return;
    RemoveItem(index, true);
}

void TArCntrl::RemoveItem(int32_t index, bool clearEvents) {
    if (index < collection_->Count()) {
        if (clearEvents) ClearCntrlEvent(ArryCntrl(index));
        collection_->Delete(index);
    }
    --numOfArry_;
}

TControl* TArCntrl::CreateCntrl(int32_t, TComponent* owner) {
    TComponent* made = cntrlClass_->CreateComponent(owner);
    auto* control = ObjectCast<TControl>(made);
    if (!control) {
        made->Free();
        throw EInvalidOperation(cntrlClass_->ClassName() + " is no control");
    }
    return control;
}

bool TArCntrl::SetCntrlEvent(TControl* control) {
    if (!control) return false;
    FreeNotification(control);
    for (const TPropInfo* p : GetEventProps(control)) {
        TMethod handler = RoutingTarget(this, *p);
        if (handler.Assigned()) {
            SetPropValue(control, *p, handler);
        } else if (IsDesigning()) {
            Application->MessageBox("オブジェクト " + control->Name() + " のイベント " + p->name + " に対するハンドラはありません",
                                    Application->Title(), MB_OK);
        }
    }
    return true;
}

void TArCntrl::ClearCntrlEvent(TControl* control) {
    if (!control) return;
    for (const TPropInfo* p : GetEventProps(control))
        if (MethodOf(this, HandlerName(*p)).Assigned()) SetPropValue(control, *p, TMethod());
}

bool TArCntrl::SetAllCntrlEvent() {
    bool all = true;
    for (int i = 0; i < collection_->Count(); ++i) {
        TCntrlItem* item = collection_->Items(i);
        if (item->EventSeted()) continue;
        if (SetCntrlEvent(ArryCntrl(i))) item->SetEventSeted(true);
        else all = false;
    }
    return all;
}

void TArCntrl::Loaded() {
    TComponent::Loaded();
    if (!SetAllCntrlEvent()) AddPendingArray(this);
}

void TArCntrl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove || !component) return;
    if (component == arryParent_) arryParent_ = nullptr;
    // Compared as components: a control destroyed without Free is no
    // longer a control by the time it is announced.
    for (int32_t i = 0; i < numOfArry_ && i < collection_->Count(); ++i) {
        if (static_cast<TComponent*>(collection_->Items(i)->Cntrl()) == component) {
            RemoveItem(i, !component->IsDestroying());
            break;
        }
    }
    // No item keeps a control that is gone (items beyond NumOfArry too).
    for (int i = 0; i < collection_->Count(); ++i) {
        TCntrlItem* item = collection_->Items(i);
        if (static_cast<TComponent*>(item->cntrl_) == component) item->cntrl_ = nullptr;
    }
}

void TArCntrl::WriteArryParent(TWinControl* window) {
    if (!window) window = ObjectCast<TWinControl>(Owner());
    if (window == arryParent_) return;
    if (!IsLoading() && window) {
        for (int32_t i = 0; i < numOfArry_; ++i) {
            TControl* c = ArryCntrl(i);
            if (c && (c->Owner() == window->Owner() || c->Owner() == window)) c->SetParent(window);
        }
    }
    if (arryParent_) arryParent_->Invalidate();
    arryParent_ = window;
    if (window) {
        FreeNotification(window);
        window->Invalidate();
    }
}

void TArCntrl::WriteNumOfArry(int32_t count) {
    if (count < 0) count = 0;
    if (IsLoading()) {
        numOfArry_ = count;
        return;
    }
    if (count == numOfArry_) return;
    if (!arryParent_) {
        arryParent_ = ObjectCast<TWinControl>(Owner());
        if (arryParent_) FreeNotification(arryParent_);
    }
    if (count > numOfArry_) GrowTo(count);
    else ShrinkTo(count);
    numOfArry_ = count;
}

TComponent* TArCntrl::OwnerForNewElements() const {
    if (!arryParent_) return Owner();
    if (arryParent_->Owner() == Owner()) return Owner();
    if (arryParent_->Is<TForm>()) return arryParent_;
    return arryParent_->Owner();
}

void TArCntrl::GrowTo(int32_t count) {
    TComponent* owner = OwnerForNewElements();
    // The cascade goes on from the last element, or starts beside the
    // array's own place on the form.
    int left = DesignLeft() + 15;
    int top = DesignTop() - 30;
    if (TControl* last = ArryCntrl(numOfArry_ - 1)) {
        left = last->Left();
        top = last->Top();
    }
    const int32_t first = numOfArry_ + 1;
    for (int32_t k = first; k <= count; ++k) {
        TControl* c = CreateCntrl(k, owner);
        try {
            // The first free name "<array>_<j>", j from k on.  Each taken
            // name is one component of the owner, so the search is short.
            const int tries = (owner ? owner->ComponentCount() : 0) + 1;
            for (int j = k; j < k + tries; ++j) {
                try {
                    c->SetName(Name() + "_" + std::to_string(j));
                    break;
                } catch (const EComponentError&) {
                }
            }
            if (arryParent_) {
                if (arryParent_->ClientHeight() < top + 30 + c->Height()) top = 0;
                if (arryParent_->ClientWidth() < left + 15 + c->Width()) left = 0;
            }
            c->SetBounds(left + 15, top + 30, c->Width(), c->Height());
            SetCntrlEvent(c);
            if (arryParent_) c->SetParent(arryParent_);
            AddCntrl(c);
        } catch (...) {
            c->Free();
            throw;
        }
        left += 15;
        top += 30;
    }
}

void TArCntrl::ShrinkTo(int32_t count) {
    for (int32_t k = numOfArry_; k > count; --k) {
        TControl* c = ArryCntrl(k - 1);
        DeleteCntrl(k - 1);
        if (c) c->Free();
    }
}

// --- Forwarding -------------------------------------------------------------------

void TArCntrl::EOnClick(TObject* Sender) {
    if (OnClick) OnClick(Sender, IndexOfSender(Sender));
}
void TArCntrl::EOnDblClick(TObject* Sender) {
    if (OnDblClick) OnDblClick(Sender, IndexOfSender(Sender));
}
void TArCntrl::EOnDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    if (OnDragOver) OnDragOver(Sender, IndexOfSender(Sender), Source, X, Y, State, Accept);
}
void TArCntrl::EOnDragDrop(TObject* Sender, TObject* Source, int X, int Y) {
    if (OnDragDrop) OnDragDrop(Sender, IndexOfSender(Sender), Source, X, Y);
}
void TArCntrl::EOnEndDrag(TObject* Sender, TObject* Target, int X, int Y) {
    if (OnEndDrag) OnEndDrag(Sender, IndexOfSender(Sender), Target, X, Y);
}
void TArCntrl::EOnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(Sender, IndexOfSender(Sender), Button, Shift, X, Y);
}
void TArCntrl::EOnMouseMove(TObject* Sender, TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(Sender, IndexOfSender(Sender), Shift, X, Y);
}
void TArCntrl::EOnMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(Sender, IndexOfSender(Sender), Button, Shift, X, Y);
}
void TArCntrl::EOnStartDrag(TObject* Sender, TDragObject*& DragObject) {
    if (OnStartDrag) OnStartDrag(Sender, IndexOfSender(Sender), DragObject);
}

// --- TArWinCtrl -------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TArWinCtrl)
void TArWinCtrl::DeclarePublished(TClassBuilder<TArWinCtrl>& c) {
    c.Method("EOnKeyDown", &TArWinCtrl::EOnKeyDown);
    c.Method("EOnKeyPress", &TArWinCtrl::EOnKeyPress);
    c.Method("EOnKeyUp", &TArWinCtrl::EOnKeyUp);
    c.Method("EOnEnter", &TArWinCtrl::EOnEnter);
    c.Method("EOnExit", &TArWinCtrl::EOnExit);
}

TArWinCtrl::TArWinCtrl(TComponent* owner) : TArCntrl(owner) { cntrlClass_ = TWinControl::StaticClass(); }

void TArWinCtrl::EOnKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(Sender, IndexOfSender(Sender), Key, Shift);
}
void TArWinCtrl::EOnKeyPress(TObject* Sender, char& Key) {
    if (OnKeyPress) OnKeyPress(Sender, IndexOfSender(Sender), Key);
}
void TArWinCtrl::EOnKeyUp(TObject* Sender, uint16_t& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(Sender, IndexOfSender(Sender), Key, Shift);
}
void TArWinCtrl::EOnEnter(TObject* Sender) {
    if (OnEnter) OnEnter(Sender, IndexOfSender(Sender));
}
void TArWinCtrl::EOnExit(TObject* Sender) {
    if (OnExit) OnExit(Sender, IndexOfSender(Sender));
}

// --- TArSub1 ----------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TArSub1)
void TArSub1::DeclarePublished(TClassBuilder<TArSub1>& c) { c.Method("EOnChange", &TArSub1::EOnChange); }

TArSub1::TArSub1(TComponent* owner) : TArWinCtrl(owner) {}

void TArSub1::EOnChange(TObject* Sender) {
    if (OnChange) OnChange(Sender, IndexOfSender(Sender));
}

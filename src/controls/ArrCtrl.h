// Control arrays: a non-visual component that groups like controls of a
// form (labels, edits, buttons, mask edits) under one indexed name and
// gives them one set of events.  Each element's events are routed to the
// array's published handlers ("E" + the event's name); the array raises its
// own event of that name with the element's index added.  A handler that
// changes a "var" argument (Key, Accept, DragObject) changes it for the
// element.
//
// A form stores the array's items (`Collection`, one `Cntrl` reference
// each), `NumOfArry` and `ArryParent`.  When the form has been read, the
// array routes its elements; an array whose elements are not all there yet
// (an element on a form read later) waits in PendingArrays, and a worker
// thread, TEventSetThread, has the main thread retry it until it succeeds.
//
// Changing NumOfArry outside loading creates or destroys elements, named
// after the array ("ArLabel1_1", ...) and placed in a cascade on ArryParent.
#pragma once

#include "framework/collection.h"
#include "framework/component.h"
#include "framework/thread.h"
#include "framework/ui/core/control.h"

#include <cstdint>
#include <vector>

// The array's events: the element's event with the element's index
// (-1 when the sender is no element) after the sender.
using TAryNotifyEvent = TEvent<void(TObject* Sender, int32_t Index)>;
using TAryMouseEvent = TEvent<void(TObject* Sender, int32_t Index, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y)>;
using TAryMouseMoveEvent = TEvent<void(TObject* Sender, int32_t Index, TShiftState Shift, int32_t X, int32_t Y)>;
using TAryKeyEvent = TEvent<void(TObject* Sender, int32_t Index, uint16_t& Key, TShiftState Shift)>;
using TAryKeyPressEvent = TEvent<void(TObject* Sender, int32_t Index, char& Key)>;
using TAryDragOverEvent =
    TEvent<void(TObject* Sender, int32_t Index, TObject* Source, int32_t X, int32_t Y, TDragState State, bool& Accept)>;
using TAryDragDropEvent = TEvent<void(TObject* Sender, int32_t Index, TObject* Source, int32_t X, int32_t Y)>;
using TAryEndDragEvent = TEvent<void(TObject* Sender, int32_t Index, TObject* Target, int32_t X, int32_t Y)>;
using TArStartDragEvent = TEvent<void(TObject* Sender, int32_t Index, TDragObject*& DragObject)>;

class TArCntrl;

// One element of an array: the control, and whether its events are routed
// (never stored, so false again after every load).
class TCntrlItem : public TCollectionItem {
    TANSU_CLASS(TCntrlItem, TCollectionItem)
public:
    explicit TCntrlItem(TCollection* collection);

    TControl* Cntrl() const { return cntrl_; }
    // The array hears when the control goes, so the item never keeps a
    // control that is gone.
    void SetCntrl(TControl* control);
    bool EventSeted() const { return eventSeted_; }
    void SetEventSeted(bool value) { eventSeted_ = value; }

    // From another item only the control is copied.
    void Assign(const TPersistent* source) override;

private:
    friend class TArCntrl;
    TArCntrl* Array() const;

    TControl* cntrl_ = nullptr;
    bool eventSeted_ = false;
};

class TCntrls : public TCollection {
    TANSU_CLASS(TCntrls, TCollection)
public:
    explicit TCntrls(TPersistent* owner);

    TCntrlItem* Add();
    TCntrlItem* Items(int index) const;
};

class TArCntrl : public TComponent {
    TANSU_CLASS(TArCntrl, TComponent)
public:
    explicit TArCntrl(TComponent* owner);
    ~TArCntrl() override;

    // The element count; never below 0 (a negative count is taken as 0).
    int32_t NumOfArry() const { return numOfArry_; }
    void WriteNumOfArry(int32_t count);
    TCntrls* Collection() const { return collection_; }
    bool HasCollectionItems() const { return collection_->Count() > 0; }
    TWinControl* ArryParent() const { return arryParent_; }
    void WriteArryParent(TWinControl* window);
    // The class of the elements.
    TClass CntrlClass() const { return cntrlClass_; }

    // Element `index`, or null outside 0 .. NumOfArry - 1 or for an item
    // without a control.
    TControl* ArryCntrl(int32_t index) const;
    // Position of the first item holding `control`; -1 when none does.
    int32_t IndexOfCntrl(const TControl* control) const;
    // Adds an element (EInvalidOperation "<class> オブジェクトは受け入れられません"
    // for an unsuitable one); returns its item's position.
    virtual int32_t AddCntrl(TControl* control);
    // Removes element `index` from the array; the control stays.
    void DeleteCntrl(int32_t index);
    // A new control of CntrlClass owned by `owner`.
    virtual TControl* CreateCntrl(int32_t number, TComponent* owner);
    // Routes the control's events to this array; false for no control.
    virtual bool SetCntrlEvent(TControl* control);
    // Empties the control's events that this array routes.
    virtual void ClearCntrlEvent(TControl* control);
    // An instance of CntrlClass (or a class derived from it), or of a class
    // CntrlClass derives from.
    virtual bool IsValidCntrl(const TControl* control) const;
    // Routes every item not routed yet; true when all are.
    bool SetAllCntrlEvent();

    void Notification(TComponent* component, TOperation operation) override;

    TAryNotifyEvent OnClick;
    TAryNotifyEvent OnDblClick;
    TAryDragDropEvent OnDragDrop;
    TAryDragOverEvent OnDragOver;
    TAryEndDragEvent OnEndDrag;
    TAryMouseEvent OnMouseDown;
    TAryMouseMoveEvent OnMouseMove;
    TAryMouseEvent OnMouseUp;
    TArStartDragEvent OnStartDrag;

    // The routing targets, published under these names.
    void EOnClick(TObject* Sender);
    void EOnDblClick(TObject* Sender);
    void EOnDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void EOnDragDrop(TObject* Sender, TObject* Source, int X, int Y);
    void EOnEndDrag(TObject* Sender, TObject* Target, int X, int Y);
    void EOnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void EOnMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void EOnMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void EOnStartDrag(TObject* Sender, TDragObject*& DragObject);

protected:
    void Loaded() override;
    void BeforeDestruction() override;
    // The index of the element that raised an event.
    int32_t IndexOfSender(TObject* sender) const;

    TClass cntrlClass_;

private:
    // Takes item `index` out; the events of a control that is being
    // destroyed are left alone (they go with it).
    void RemoveItem(int32_t index, bool clearEvents);
    // Empties every event of the items' controls that still calls this
    // array, whatever its class (the last step of destruction).
    void DropOwnHandlers();
    void GrowTo(int32_t count);
    void ShrinkTo(int32_t count);
    TComponent* OwnerForNewElements() const;

    TCntrls* collection_;
    int32_t numOfArry_ = 0;
    TWinControl* arryParent_ = nullptr;
    bool cleared_ = false;
};

// Arrays of windowed controls: the focus and key events too.
class TArWinCtrl : public TArCntrl {
    TANSU_CLASS(TArWinCtrl, TArCntrl)
public:
    explicit TArWinCtrl(TComponent* owner);

    TWinControl* ArryCntrl(int32_t index) const { return ObjectCast<TWinControl>(TArCntrl::ArryCntrl(index)); }

    TAryKeyEvent OnKeyDown;
    TAryKeyPressEvent OnKeyPress;
    TAryKeyEvent OnKeyUp;
    TAryNotifyEvent OnEnter;
    TAryNotifyEvent OnExit;

    void EOnKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void EOnKeyPress(TObject* Sender, char& Key);
    void EOnKeyUp(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void EOnEnter(TObject* Sender);
    void EOnExit(TObject* Sender);
};

// Arrays of controls with a changing content (edits).
class TArSub1 : public TArWinCtrl {
    TANSU_CLASS(TArSub1, TArWinCtrl)
public:
    explicit TArSub1(TComponent* owner);

    TAryNotifyEvent OnChange;
    void EOnChange(TObject* Sender);
};

// --- Deferred routing ----------------------------------------------------------

// The worker that has the main thread retry the pending arrays, one array
// a step, round-robin, until the list is empty.  All it decides runs on
// the main thread inside TrySetEvents; the thread itself only waits.
class TEventSetThread : public TThread {
public:
    TEventSetThread() = default;
    ~TEventSetThread() override;

    // Read on the main thread only.
    int32_t PendingIndex() const { return pendingIndex_; }
    bool Succeeded() const { return succeeded_; }

    // After a whole round of failed attempts the worker rests this long
    // before the next round, instead of keeping the main thread busy.
    static constexpr int kRestMilliseconds = 20;

protected:
    void Execute() override;

private:
    friend void RemovePendingArray(TArCntrl* array);
    enum class Next { Go, Rest, Stop };
    // One attempt, on the main thread.
    Next TrySetEvents();

    int32_t pendingIndex_ = 0;
    bool succeeded_ = false;
    size_t failuresInRow_ = 0;
};

// The arrays waiting for their routing (main thread only).
const std::vector<TArCntrl*>& PendingArrays();
// The current worker, or null before the first pending array.
TEventSetThread* EventSetThread();
// Hands an array to the worker (starting a new one when there is none or
// the last one has left its loop).  The main thread never waits for the
// routing itself.
void AddPendingArray(TArCntrl* array);
// Takes an array off the list at once (it is being destroyed).
void RemovePendingArray(TArCntrl* array);
// Program end: tells the worker to stop, waits for it to end and then
// releases the list.  Runs at exit by itself; safe to call more than once.
void ShutdownArrayRouting();

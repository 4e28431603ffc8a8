// TComboGrid: the string grid whose columns carry a cell kind (TCellKind):
// plain text, text with a drop-down list of values, push buttons or check
// cells, with the placement of the column's fixed and data texts.  The
// grid stores its design-time texts and cell kinds in the form as the
// custom data "CellData" and "CellKind", after ColWidths and RowHeights.
//
// Stored layout of CellKind, a list with one group per column 0 ..
// ColCount - 1: Kind, FixedAlign, CellAlign, n, n items (each a string,
// followed by its number only for ckCheck), ListWidth, Margin (signed),
// EditLimit, Editable.  CellData is a list of (column, row, text) triples
// of the non-empty cells, row by row.
#pragma once

#include "framework/strings.h"
#include "framework/ui/controls/popup_list_box.h"
#include "framework/ui/grid/grids.h"
#include "framework/ui/grid/inplace_edit.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TComboGrid;
class TComboInplaceEdit;

// Placement of a text in its cell, a set of flags.  caRight wins over
// caCenter, caBottom over caTop; caLeft and caMiddle are the defaults and
// are never tested.
using TCellAlign = uint8_t;
inline constexpr TCellAlign caLeft = 0x01;
inline constexpr TCellAlign caCenter = 0x02;
inline constexpr TCellAlign caRight = 0x04;
inline constexpr TCellAlign caTop = 0x08;
inline constexpr TCellAlign caMiddle = 0x10;
inline constexpr TCellAlign caBottom = 0x20;

// Kinds of a column's data cells.  Other values are kept and stored as
// they are; such a column behaves as ckText without mask, format or limit.
inline constexpr uint8_t ckText = 0;
inline constexpr uint8_t ckDropDown = 1;
inline constexpr uint8_t ckButton = 2;
inline constexpr uint8_t ckCheck = 3;

// What one column of a TComboGrid is.  The meaning of Items depends on the
// kind: ckText: item 0 the editor's input mask, item 1 the number display
// format (each ignored when empty); ckDropDown: the values of the list;
// ckButton: item 0 the caption; ckCheck: the possible values, each with
// its state as number (0 drawn with a cross, 1 the value a click moves to).
class TCellKind : public TObject {
    TANSU_CLASS(TCellKind, TObject)
public:
    explicit TCellKind(TComboGrid* grid = nullptr);
    ~TCellKind() override;

    TCellAlign CellAlign() const { return cellAlign_; }
    void SetCellAlign(TCellAlign value);
    uint8_t Kind() const { return kind_; }
    void SetKind(uint8_t kind) { kind_ = kind; }
    TCellAlign FixedAlign() const { return fixedAlign_; }
    void SetFixedAlign(TCellAlign value);
    // The grid the kind belongs to (not owned); null for a free one.
    TComboGrid* Grid() const { return grid_; }
    void SetGrid(TComboGrid* grid) { grid_ = grid; }
    // Owned; texts with their numbers.
    TStringList* Items() const { return items_.get(); }
    bool Editable() const { return editable_; }
    void SetEditable(bool editable) { editable_ = editable; }
    int32_t ListWidth() const { return listWidth_; }
    void SetListWidth(int32_t width) { listWidth_ = width; }
    int8_t Margin() const { return margin_; }
    void SetMargin(int8_t margin) { margin_ = margin; }
    int32_t EditLimit() const { return editLimit_; }
    void SetEditLimit(int32_t limit) { editLimit_ = limit; }

    // Copies everything but Grid; repaints nothing.
    void Assign(const TCellKind& source);

private:
    void Changed();

    TCellAlign cellAlign_ = caLeft | caMiddle;
    uint8_t kind_ = ckText;
    TCellAlign fixedAlign_ = caLeft | caMiddle;
    TComboGrid* grid_ = nullptr;
    std::unique_ptr<TStringList> items_;
    bool editable_ = true;
    int32_t listWidth_ = 0;
    int8_t margin_ = 2;
    int32_t editLimit_ = 0;
};

using TGridBtnClick = TEvent<void(TObject* Sender, int ACol, int ARow)>;

class TComboGrid : public TStringGrid {
    TANSU_CLASS(TComboGrid, TStringGrid)
public:
    explicit TComboGrid(TComponent* owner);
    ~TComboGrid() override;

    // The cell whose button or check box is held down, until its release
    // has run OnGridBtnClick; -1 when none.
    int PressedCol() const { return pressedCol_; }
    int PressedRow() const { return pressedRow_; }

    // The kind of column ACol, made with the defaults the first time the
    // column needs one.  Kinds belong to column indexes: moving a column
    // or changing ColCount leaves them where they are.  A negative index
    // raises EInvalidOperation.
    TCellKind* GetCellKind(int ACol);
    // The kinds made or read so far, index = column; an entry is null
    // until its column is first used.
    const std::vector<std::unique_ptr<TCellKind>>& CellKinds() const { return cellKinds_; }

    // Raises OnGridBtnClick.
    void DoGridBtnClick(int ACol, int ARow);

    // The grid's own stored data (see the top of this file).  A malformed
    // stream stops with the reader's EReadError; the kinds read until then
    // stay, the other columns get defaults when they need them.
    void ReadCellData(TReader& reader);
    void WriteCellData(TWriter& writer);
    void ReadCellKind(TReader& reader);
    void WriteCellKind(TWriter& writer);

    // Fired after each cell the grid drew (the event OnDrawCell of the
    // base grid, published as before), and on a completed click of a
    // button or check cell, a drop-down value picked.
    TGridBtnClick OnGridBtnClick;

    void DefineProperties(TFiler& filer) override;

    // The value a click gives a ckCheck cell whose text is `Text`: the
    // first item with the number 1, or item 0 when the text matches no
    // item or already is the value with the number 1 (the items compared
    // without regard to case).  A column without items keeps the text.
    // The cell is repainted at `Rect` (Rect is in cell-area coordinates).
    void CycleCheckValue(std::string& Text, const TCellKind& CellKind, const TRect& Rect);

    // Button and check cells: a left press inside one holds it down (drawn
    // pressed, with a focus frame) and the release inside the same cell
    // completes the click (a check cell moves on to its next value, then
    // OnGridBtnClick); a release elsewhere only raises it again.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // Space pressed and released on a current button or check cell works
    // it as the mouse does; Enter on a current button cell clicks it.  A
    // held key's repeats do nothing there.
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    // While the current cell is a button cell, Enter is the grid's (the
    // cell's click), not the form's default button.
    bool WantsKey(uint16_t key, TShiftState shift) const override;
    // A press on another control than the editor and its list closes the
    // list.
    void CancelMode(TControl* cause) override;

    // The editor, null until the grid first edited.
    TComboInplaceEdit* ComboEdit() const;

protected:
    // Draws the cell by its column's kind: text placed by the alignment
    // and margin (FixedAlign in fixed cells, CellAlign in data cells), a
    // push button or a check box; then OnDrawCell.  An empty rectangle
    // draws nothing and fires nothing.
    void DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) override;
    // The current button or check cell is drawn once more over the grid's
    // focus frame; a held cell gets its focus frame.
    void PaintDone() override;

    // The editor shows only in an Editable column that is neither ckButton
    // nor ckCheck; there it also shows, with goAlwaysShowEditor, outside
    // editor mode.  The editor takes the current column's kind first.
    bool CanEditShow() override;
    // ckText columns: item 0 is the mask (when not empty), EditLimit the
    // length limit; otherwise the string grid decides.
    std::string GetEditMask(int ACol, int ARow) override;
    int GetEditLimit() override;
    // A current cell scrolled out of view ends editor mode; scrolled back,
    // the editor shows again when the editor-show test allows.
    void TopLeftChanged() override;
    // The grid's editor is a TComboInplaceEdit.
    TInplaceEdit* CreateInplaceEdit() override;

private:
    void DrawFixedText(const TRect& rect, const TCellKind& kind, const std::string& text);
    void DrawCellText(const TRect& rect, const TCellKind& kind, const std::string& text);
    void DrawAlignedText(const TRect& rect, TCellAlign align, int margin, int bottomGap, std::string_view text);
    void DrawCellButton(const TRect& rect, bool pressed, const TCellKind& kind, const std::string& text);
    void DrawPushButton(const TRect& rect, bool pressed, const std::string& text);
    void DrawCheckCell(const TRect& rect, bool pressed, const TCellKind& kind, const std::string& text);
    // The caption (ckButton) or value (ckCheck) a button cell shows.
    std::string ButtonText(int ACol, int ARow, const TCellKind& kind) const;
    // Whether a left press on (ACol, ARow) holds the cell down.
    bool IsPressable(int ACol, int ARow);
    // The kind of the current column, without making a cell kind.
    uint8_t CurrentKind() const;
    void RepaintCell(int ACol, int ARow);

    int pressedCol_ = -1;
    int pressedRow_ = -1;
    // The held cell is drawn pressed: from the press until its release,
    // which raises it before the click runs.
    bool drawPressed_ = false;
    std::vector<std::unique_ptr<TCellKind>> cellKinds_;
    // The cell with a focus frame from its last press (-1: none): while
    // held, and after a release in a data cell until the next press.
    int framedCol_ = -1;
    int framedRow_ = -1;
    bool leftHeld_ = false;   // the left mouse button is down on the grid
    bool fromSpace_ = false;  // the press or release comes from the Space key
    void PressWithSpace(bool down, TShiftState shift);
};

// The pop-up list of values of a ckDropDown editor: a window of its own
// under the editor.  The release of the left mouse button over it, or of a
// key, copies the chosen value into the editor; the mouse release also
// closes it.
class TInplaceListBox : public TPopupListBox {
    TANSU_CLASS(TInplaceListBox, TPopupListBox)
public:
    TInplaceListBox(TComponent* owner, TComboInplaceEdit* edit);

    // The editor it serves (not owned).
    TComboInplaceEdit* Edit() const { return edit_; }
    // The selected item's text becomes the editor's; nothing without one.
    void CopySelection();

    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;

private:
    TComboInplaceEdit* edit_;
};

// The editor of a TComboGrid: the grid's in-place editor with, for a
// ckDropDown column, an arrow button at its right edge (ArrowWidth wide)
// that opens a list of the column's values.  Up and Down move the list's
// choice (not the grid's current cell), Esc closes an open list; picking a
// value raises the grid's OnGridBtnClick.
class TComboInplaceEdit : public TInplaceEdit {
    TANSU_CLASS(TComboInplaceEdit, TInplaceEdit)
public:
    explicit TComboInplaceEdit(TComboGrid* grid);
    ~TComboInplaceEdit() override;

    // A copy of the current column's kind (defaults until the grid sets
    // it); the list is made the first time it is a ckDropDown one.
    TCellKind* CellKind() const { return cellKind_.get(); }
    // Takes a copy of `source` (null: only the kind becomes ckText) and, for
    // ckDropDown, fills the list with its items.
    void ApplyCellKind(const TCellKind* source);
    TInplaceListBox* ListBox() const { return listBox_; }
    // The x of a press on the arrow button; -1 while it is not held.
    int ArrowDownX() const { return arrowDownX_; }

    // Keeps typed text clear of the arrow button.
    void UpdateTextRect();
    // Opens the list under the editor (right edges aligned, at least as
    // wide as the editor) with the editor's text chosen, or closes it.
    void ToggleList();
    // The list's choice changed: the grid's OnGridBtnClick for its current
    // cell.
    void ListClick(TObject* Sender);

    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Click() override;

protected:
    void Paint() override;
    void FocusIn() override;
    void FocusOut() override;

private:
    bool IsDropDown() const { return cellKind_->Kind() == ckDropDown; }
    bool OnArrow(int x) const;
    void DrawComboArrow(ui::Canvas& canvas, bool pressed);
    void HideList();

    std::unique_ptr<TCellKind> cellKind_;
    TInplaceListBox* listBox_ = nullptr;  // owned by the editor
    int arrowDownX_ = -1;
};

// Draws a push-button face over `rect`, raised or pressed, and returns the
// area inside it that holds the caption (moved a pixel right and down when
// pressed).  The drop-down arrow of the editor uses the same face.
TRect DrawButtonFace(ui::Canvas& canvas, const TRect& rect, bool pressed);

// The marker that makes a ckButton column show each cell's own text.
inline constexpr const char* kUseCellData = "%%USECELLDATA%%";

// Width in pixels of a horizontal scroll-bar arrow, the width of the
// drop-down arrow of an editor.  Read from the desktop style the first time
// it is asked for (the style exists only with the application object) and
// kept from then on.
int ArrowWidth();

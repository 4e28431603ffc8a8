#include "controls/CmbGrid.h"

#include "framework/cp932_chars.h"
#include "framework/exceptions.h"
#include "framework/sysutils.h"
#include "framework/ui/graphics/canvas.h"
#include "framework/ui/graphics/system_metrics.h"
#include "framework/value_reader.h"
#include "framework/value_writer.h"

#include <algorithm>

// --- TCellKind --------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TCellKind)
void TCellKind::DeclarePublished(TClassBuilder<TCellKind>&) {}

TCellKind::TCellKind(TComboGrid* grid) : grid_(grid), items_(std::make_unique<TStringList>()) {}

TCellKind::~TCellKind() = default;

void TCellKind::SetCellAlign(TCellAlign value) {
    if (value == cellAlign_) return;
    cellAlign_ = value;
    Changed();
}

void TCellKind::SetFixedAlign(TCellAlign value) {
    if (value == fixedAlign_) return;
    fixedAlign_ = value;
    Changed();
}

void TCellKind::Changed() {
    if (grid_) grid_->InvalidateGrid();
}

void TCellKind::Assign(const TCellKind& source) {
    if (&source == this) return;
    kind_ = source.kind_;
    items_->Assign(source.items_.get());
    listWidth_ = source.listWidth_;
    margin_ = source.margin_;
    fixedAlign_ = source.fixedAlign_;
    cellAlign_ = source.cellAlign_;
    editLimit_ = source.editLimit_;
    editable_ = source.editable_;
}

// --- TComboGrid -------------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TComboGrid)
void TComboGrid::DeclarePublished(TClassBuilder<TComboGrid>& c) {
    c.Event("OnGridBtnClick", &TComboGrid::OnGridBtnClick);
}

TComboGrid::TComboGrid(TComponent* owner) : TStringGrid(owner) {}

TComboGrid::~TComboGrid() = default;

TCellKind* TComboGrid::GetCellKind(int ACol) {
    if (ACol < 0) throw EInvalidOperation("Grid index out of range");
    const size_t index = static_cast<size_t>(ACol);
    if (index >= cellKinds_.size()) cellKinds_.resize(index + 1);
    if (!cellKinds_[index]) cellKinds_[index] = std::make_unique<TCellKind>(this);
    return cellKinds_[index].get();
}

void TComboGrid::DoGridBtnClick(int ACol, int ARow) { OnGridBtnClick(this, ACol, ARow); }

// ---- Drawing ---------------------------------------------------------------------

namespace {

// Drawn texts hold at most this many bytes.
constexpr size_t kDrawnTextBytes = 255;

bool IsButtonKind(uint8_t kind) { return kind == ckButton || kind == ckCheck; }

// The first item equal to `text` without regard to case, or -1.
int FindItemNoCase(const TStringList& items, std::string_view text) {
    for (int i = 0; i < items.Count(); ++i)
        if (ui::SameTextCp932(items.Strings(i), text)) return i;
    return -1;
}

}  // namespace

void TComboGrid::DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) {
    if (Rect.IsEmpty()) return;
    if (DefaultDrawing()) {
        const TCellKind& kind = *GetCellKind(ACol);
        const bool buttons = IsButtonKind(kind.Kind());
        // A held button looks held, in a fixed column too.
        const bool pressed = drawPressed_ && ACol == pressedCol_ && ARow == pressedRow_;
        if ((State & gdFixed) && (ARow < FixedRows() || !buttons))
            DrawFixedText(Rect, kind, Cells(ACol, ARow));
        else if (!buttons)
            DrawCellText(Rect, kind, Cells(ACol, ARow));
        else
            DrawCellButton(Rect, pressed, kind, ButtonText(ACol, ARow, kind));
    }
    // The string grid's own text drawing is replaced, its event is kept.
    TCustomGrid::DrawCell(ACol, ARow, Rect, State);
}

void TComboGrid::PaintDone() {
    const int col = Col();
    const int row = Row();
    if (IsButtonKind(GetCellKind(col)->Kind())) DrawCell(col, row, CellRect(col, row), 0);
    // On this toolkit drawing happens only in paint: the focus frame a
    // press draws over its cell is drawn here while the cell is held and,
    // after the release, while it stays the current one.
    if (framedCol_ < 0) return;
    const bool held = drawPressed_ && framedCol_ == pressedCol_ && framedRow_ == pressedRow_;
    const bool current = framedRow_ == row && (framedCol_ == col || (Options() & goRowSelect));
    if (held || current) Canvas().DrawFocusRect(CellRect(framedCol_, framedRow_));
}

std::string TComboGrid::ButtonText(int ACol, int ARow, const TCellKind& kind) const {
    const TStringList& items = *kind.Items();
    if (kind.Kind() == ckCheck) return Cells(ACol, ARow);
    if (items.Count() == 0) return std::string();
    if (items.Strings(0) == kUseCellData) return Cells(ACol, ARow);
    return items.Strings(0);
}

void TComboGrid::DrawFixedText(const TRect& rect, const TCellKind& kind, const std::string& text) {
    DrawAlignedText(rect, kind.FixedAlign(), kind.Margin(), 2, text);
}

void TComboGrid::DrawCellText(const TRect& rect, const TCellKind& kind, const std::string& text) {
    // A text column may show its numbers through a picture format (item 1).
    const TStringList& items = *kind.Items();
    if (kind.Kind() == ckText && items.Count() >= 2 && !items.Strings(1).empty() && !text.empty()) {
        double value = 0;
        if (TryStrToFloat(text, value)) {
            try {
                DrawAlignedText(rect, kind.CellAlign(), kind.Margin(), 0, FormatFloat(items.Strings(1), value));
                return;
            } catch (const Exception&) {
                // A format that cannot be applied leaves the text as it is.
            }
        }
    }
    DrawAlignedText(rect, kind.CellAlign(), kind.Margin(), 0, text);
}

// The text's reference point: its left end `margin` pixels in from the
// left edge, its centre on the middle, or its right end `margin` pixels
// in from the right edge; its top centred, 2 pixels below the top edge, or
// `bottomGap` pixels above the bottom edge.  The cell is filled first and
// the text clipped to it.
void TComboGrid::DrawAlignedText(const TRect& rect, TCellAlign align, int margin, int bottomGap,
                                 std::string_view text) {
    ui::Canvas& canvas = Canvas();
    text = ui::Cp932Prefix(text, kDrawnTextBytes);
    const int h = canvas.TextHeight(text);
    const int w = rect.Width();
    const int hr = rect.Height();
    ui::TextAlign reference = ui::TextAlign::Left;
    int x = margin;
    int y = (hr - h) / 2;
    if (align & caCenter) {
        reference = ui::TextAlign::Center;
        x = w / 2;
    }
    if (align & caRight) {
        reference = ui::TextAlign::Right;
        x = w - margin;
    }
    if (align & caTop) y = 2;
    if (align & caBottom) y = hr - h - bottomGap;
    canvas.TextRect(rect, rect.left + x, rect.top + y, text, reference);
}

void TComboGrid::DrawCellButton(const TRect& rect, bool pressed, const TCellKind& kind, const std::string& text) {
    if (kind.Kind() == ckButton)
        DrawPushButton(rect, pressed, text);
    else
        DrawCheckCell(rect, pressed, kind, text);
}

TRect DrawButtonFace(ui::Canvas& canvas, const TRect& rect, bool pressed) {
    using namespace ui;
    TRect r = rect;
    if (pressed) {
        canvas.DrawEdge(r, kSunkenInner, kSideTopLeft);
        canvas.DrawEdge(r, kSunkenOuter, kSideBottomRight);
        r = TRect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
        canvas.DrawEdge(r, kSunkenOuter, kSideTopLeft | kSideMiddle);
    } else {
        canvas.DrawEdge(r, kRaisedOuter, kSideBottomRight);
        r.right -= 1;
        r.bottom -= 1;
        canvas.DrawEdge(r, kRaisedInner, kSideTopLeft);
        r.left += 1;
        r.top += 1;
        canvas.DrawEdge(r, kRaisedInner, kSideBottomRight | kSideMiddle);
    }
    TRect inner{rect.left + 1, rect.top + 1, rect.right - 2, rect.bottom - 2};
    if (pressed) inner = TRect{inner.left + 1, inner.top + 1, inner.right + 1, inner.bottom + 1};
    return inner;
}

void TComboGrid::DrawPushButton(const TRect& rect, bool pressed, const std::string& text) {
    ui::Canvas& canvas = Canvas();
    const ui::Brush brush = canvas.GetBrush();
    const ui::Pen pen = canvas.GetPen();
    const TRect inner = DrawButtonFace(canvas, rect, pressed);
    const std::string_view caption = ui::Cp932Prefix(text, kDrawnTextBytes);
    const int h = canvas.TextHeight(caption);
    canvas.SetBrush(ui::Brush{ui::colors::ButtonFace, ui::BrushStyle::Solid});
    canvas.TextRect(inner, inner.left + inner.Width() / 2, inner.top + (inner.Height() - h) / 2, caption,
                    ui::TextAlign::Center);
    canvas.SetPen(ui::Pen{ui::colors::ButtonHighlight, 1, ui::PenStyle::Solid});
    canvas.MoveTo(rect.left, rect.bottom - 1);
    canvas.LineTo(rect.left, rect.top);
    canvas.LineTo(rect.right, rect.top);
    canvas.SetBrush(brush);
    canvas.SetPen(pen);
}

void TComboGrid::DrawCheckCell(const TRect& rect, bool pressed, const TCellKind& kind, const std::string& text) {
    using namespace ui;
    ui::Canvas& canvas = Canvas();
    const Brush brush = canvas.GetBrush();
    const Pen pen = canvas.GetPen();
    canvas.SetBrush(Brush{colors::ButtonFace, BrushStyle::Solid});
    canvas.FillRect(rect);
    TRect r = rect;
    canvas.Frame3D(r, colors::ButtonHighlight, colors::ButtonShadow);
    canvas.Frame3D(r, colors::ButtonShadow, colors::ButtonHighlight);

    const int cx = r.left + r.Width() / 2;
    const int cy = r.top + r.Height() / 2;
    TRect box{cx - 6, cy - 6, cx + 7, cy + 7};
    const TStringList& items = *kind.Items();
    const int item = FindItemNoCase(items, text);
    ui::Color fill = colors::Window;
    if (pressed)
        fill = colors::ButtonFace;
    else if (item < 0)
        fill = colors::GrayText;
    canvas.SetBrush(Brush{fill, BrushStyle::Solid});
    canvas.FillRect(box);
    canvas.Frame3D(box, colors::ButtonShadow, colors::ButtonHighlight);
    canvas.Frame3D(box, colors::WindowFrame, colors::ButtonFace);
    if (item >= 0 && items.Numbers(item) == 0) {
        const TRect x{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
        canvas.SetPen(Pen{colors::ButtonText, 2, PenStyle::Solid});
        canvas.MoveTo(x.left, x.top);
        canvas.LineTo(x.right - 1, x.bottom - 1);
        canvas.MoveTo(x.right - 1, x.top);
        canvas.LineTo(x.left, x.bottom - 1);
    }
    canvas.SetBrush(brush);
    canvas.SetPen(pen);
}

// ---- Button and check cells ------------------------------------------------------

void TComboGrid::RepaintCell(int ACol, int ARow) {
    if (ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount()) InvalidateCell(ACol, ARow);
}

bool TComboGrid::IsPressable(int ACol, int ARow) {
    if (ARow < FixedRows()) return false;
    const TCellKind& kind = *GetCellKind(ACol);
    if (kind.Kind() == ckButton) return true;
    return kind.Kind() == ckCheck && kind.Editable() && (Options() & goEditing);
}

void TComboGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TStringGrid::MouseDown(button, shift, x, y);
    if (button != TMouseButton::Left) return;
    if (!fromSpace_) leftHeld_ = true;
    RepaintCell(pressedCol_, pressedRow_);
    RepaintCell(framedCol_, framedRow_);
    pressedCol_ = pressedRow_ = -1;
    framedCol_ = framedRow_ = -1;
    drawPressed_ = false;
    int c = -1;
    int r = -1;
    MouseToCell(x, y, c, r);
    if (c < 0 || r < 0) return;
    if (!CellRect(c, r).Contains(x, y) || !IsPressable(c, r)) return;
    pressedCol_ = framedCol_ = c;
    pressedRow_ = framedRow_ = r;
    drawPressed_ = true;
    RepaintCell(c, r);
}

void TComboGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TStringGrid::MouseUp(button, shift, x, y);
    if (button != TMouseButton::Left) return;
    if (TComboInplaceEdit* edit = ComboEdit(); edit && edit->CellKind()->Kind() == ckDropDown) edit->UpdateTextRect();
    if (!fromSpace_) leftHeld_ = false;
    if (pressedCol_ < 0) return;
    const int c = pressedCol_;
    const int r = pressedRow_;
    const TRect rect = CellRect(c, r);
    // The cell is drawn raised from now on; a handler of the click still
    // reads it as PressedCol and PressedRow.
    drawPressed_ = false;
    RepaintCell(c, r);
    if (rect.Contains(x, y)) {
        const TCellKind& kind = *GetCellKind(c);
        if (kind.Kind() == ckCheck) {
            std::string text = Cells(c, r);
            CycleCheckValue(text, kind, rect);
            SetCell(c, r, text);
        }
        DoGridBtnClick(c, r);
    }
    // A data cell keeps its focus frame; a fixed one loses it.
    if (!(c >= FixedCols() && r >= FixedRows())) framedCol_ = framedRow_ = -1;
    pressedCol_ = pressedRow_ = -1;
}

void TComboGrid::CycleCheckValue(std::string& Text, const TCellKind& CellKind, const TRect& Rect) {
    const TStringList& items = *CellKind.Items();
    // A check column is meant to have items; without any there is no next
    // value and the text stays.
    if (items.Count() == 0) return;
    const int found = FindItemNoCase(items, Text);
    int next = 0;
    if (found >= 0 && items.Numbers(found) != 1) {
        next = found;
        for (int i = 0; i < items.Count(); ++i) {
            if (items.Numbers(i) == 1) {
                next = i;
                break;
            }
        }
    }
    Text = items.Strings(next);
    int c = -1;
    int r = -1;
    MouseToCell(Rect.left, Rect.top, c, r);
    RepaintCell(c, r);
}

// Space on a button cell is the left button at the current cell's corner;
// fromSpace_ tells the mouse steps that no real button is held.
void TComboGrid::PressWithSpace(bool down, TShiftState shift) {
    struct FromSpace {
        bool& flag;
        explicit FromSpace(bool& f) : flag(f) { flag = true; }
        ~FromSpace() { flag = false; }
    } scope(fromSpace_);
    const TRect rect = CellRect(Col(), Row());
    if (down) MouseDown(TMouseButton::Left, shift, rect.left, rect.top);
    else MouseUp(TMouseButton::Left, shift, rect.left, rect.top);
}

// A held key repeats as release and press pairs; on a button or check cell
// only the first press and the last release count, so a held Space is one
// click and the cell stays pressed while the key is down.
void TComboGrid::KeyDown(uint16_t& key, TShiftState shift) {
    if (key == ui::key::Space && IsButtonKind(GetCellKind(Col())->Kind())) {
        if (KeyAutoRepeat()) {
            key = 0;
            return;
        }
        if (!leftHeld_) {
            PressWithSpace(true, shift);
            key = 0;
            return;
        }
    }
    TStringGrid::KeyDown(key, shift);
}

void TComboGrid::KeyUp(uint16_t& key, TShiftState shift) {
    if (key == ui::key::Space && IsButtonKind(GetCellKind(Col())->Kind())) {
        if (!KeyAutoRepeat()) PressWithSpace(false, shift);
        key = 0;
        return;
    }
    TStringGrid::KeyUp(key, shift);
}

void TComboGrid::KeyPress(char& key) {
    if (key == '\r' && GetCellKind(Col())->Kind() == ckButton) {
        if (!KeyAutoRepeat()) DoGridBtnClick(Col(), Row());
        key = 0;
        return;
    }
    TStringGrid::KeyPress(key);
}

bool TComboGrid::WantsKey(uint16_t key, TShiftState shift) const {
    return (key == ui::key::Return && CurrentKind() == ckButton) || TStringGrid::WantsKey(key, shift);
}

uint8_t TComboGrid::CurrentKind() const {
    const size_t col = static_cast<size_t>(Col());
    return col < cellKinds_.size() && cellKinds_[col] ? cellKinds_[col]->Kind() : ckText;
}

// ---- In-place editing -------------------------------------------------------------

bool TComboGrid::CanEditShow() {
    const bool base = TStringGrid::CanEditShow();
    TCellKind& kind = *GetCellKind(Col());
    if (TComboInplaceEdit* edit = ComboEdit()) edit->ApplyCellKind(&kind);
    if (!kind.Editable() || IsButtonKind(kind.Kind())) {
        HideEditor();
        InvalidateCell(Col(), Row());
        return false;
    }
    if (base) return true;
    return !EditorMode() && (Options() & goAlwaysShowEditor);
}

std::string TComboGrid::GetEditMask(int ACol, int ARow) {
    const TCellKind& kind = *GetCellKind(Col());
    const TStringList& items = *kind.Items();
    if (kind.Kind() == ckText && items.Count() > 0 && !items.Strings(0).empty()) return items.Strings(0);
    return TStringGrid::GetEditMask(ACol, ARow);
}

int TComboGrid::GetEditLimit() {
    const TCellKind& kind = *GetCellKind(Col());
    if (kind.Kind() == ckText) return kind.EditLimit();
    return TStringGrid::GetEditLimit();
}

void TComboGrid::TopLeftChanged() {
    TStringGrid::TopLeftChanged();
    if (CellRect(Col(), Row()).IsEmpty())
        HideEditor();
    else if (CanEditShow())
        ShowEditor();
}

TInplaceEdit* TComboGrid::CreateInplaceEdit() { return new TComboInplaceEdit(this); }

TComboInplaceEdit* TComboGrid::ComboEdit() const { return ObjectCast<TComboInplaceEdit>(InplaceEdit()); }

void TComboGrid::CancelMode(TControl* cause) {
    TStringGrid::CancelMode(cause);
    if (ComponentState() & csDesigning) return;
    TComboInplaceEdit* edit = ComboEdit();
    if (edit && edit->ListBox() && cause != edit && cause != edit->ListBox()) edit->ListBox()->Hide();
}

// --- TInplaceListBox --------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TInplaceListBox)
void TInplaceListBox::DeclarePublished(TClassBuilder<TInplaceListBox>&) {}

TInplaceListBox::TInplaceListBox(TComponent* owner, TComboInplaceEdit* edit) : TPopupListBox(owner), edit_(edit) {
    Hide();
}

void TInplaceListBox::CopySelection() {
    const int index = ItemIndex();
    if (index >= 0 && index < Items()->Count()) edit_->SetText(Items()->Strings(index));
}

void TInplaceListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TPopupListBox::MouseUp(button, shift, x, y);
    if (button != TMouseButton::Left) return;
    CopySelection();
    Hide();
}

void TInplaceListBox::KeyUp(uint16_t& key, TShiftState shift) {
    TPopupListBox::KeyUp(key, shift);
    CopySelection();
}

// --- TComboInplaceEdit ------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TComboInplaceEdit)
void TComboInplaceEdit::DeclarePublished(TClassBuilder<TComboInplaceEdit>& c) {
    c.Property("CellKind", &TComboInplaceEdit::CellKind, &TComboInplaceEdit::ApplyCellKind);
}

TComboInplaceEdit::TComboInplaceEdit(TComboGrid* grid) : TInplaceEdit(grid), cellKind_(std::make_unique<TCellKind>()) {}

TComboInplaceEdit::~TComboInplaceEdit() = default;

void TComboInplaceEdit::ApplyCellKind(const TCellKind* source) {
    if (!source) {
        cellKind_->SetKind(ckText);
        return;
    }
    cellKind_->Assign(*source);
    if (!IsDropDown()) return;
    if (!listBox_) {
        listBox_ = new TInplaceListBox(this, this);
        listBox_->OnClick.Bind([this](TObject* sender) { ListClick(sender); });
    }
    listBox_->Items()->Clear();
    listBox_->SetWidth(cellKind_->ListWidth());
    const TStringList& items = *cellKind_->Items();
    for (int i = 0; i < items.Count(); ++i) listBox_->Items()->Add(items.Strings(i), items.Numbers(i));
}

void TComboInplaceEdit::UpdateTextRect() { SetTextRect({2, 2, Width() - ArrowWidth() - 2, Height()}); }

void TComboInplaceEdit::ToggleList() {
    if (!listBox_) return;
    if (!listBox_->Visible()) {
        const TStringList& items = *listBox_->Items();
        if (items.Count() > 0) {
            listBox_->SetItemIndex(0);
            int match = -1;
            const std::string text = Text();
            for (int i = 0; i < items.Count() && match < 0; ++i)
                if (ui::SameTextCp932(items.Strings(i), text)) match = i;
            listBox_->SetItemIndex(match);
        }
        const int width = std::max(cellKind_->ListWidth(), Width());
        const ui::Point at = ClientToScreen({Width() - width, Height()});
        listBox_->PlaceAt(at.x, at.y, width, listBox_->Height());
        // The keyboard stays with the editor, which hands Up and Down to
        // the list: a window of its own that took the focus would take the
        // activation from the grid's window.
        SelectAll();
        listBox_->Show();
    } else {
        listBox_->Hide();
    }
    Invalidate();
    Grid()->InvalidateGrid();
}

void TComboInplaceEdit::HideList() {
    if (listBox_) listBox_->Hide();
}

void TComboInplaceEdit::ListClick(TObject*) {
    TComboGrid* grid = static_cast<TComboGrid*>(Grid());
    grid->DoGridBtnClick(grid->Col(), grid->Row());
}

bool TComboInplaceEdit::OnArrow(int x) const { return IsDropDown() && x > Width() - ArrowWidth(); }

void TComboInplaceEdit::KeyDown(uint16_t& key, TShiftState shift) {
    if (IsDropDown() && listBox_) {
        if (key == ui::key::Up || key == ui::key::Down) {
            listBox_->SendKey(key, shift, true);
            key = 0;
            return;
        }
        // Esc closes an open list and goes no further; with the list
        // closed it undoes the edit as in any editor.
        if (key == ui::key::Escape && listBox_->Visible()) {
            HideList();
            key = 0;
            return;
        }
    }
    TInplaceEdit::KeyDown(key, shift);
}

void TComboInplaceEdit::KeyUp(uint16_t& key, TShiftState shift) {
    if (IsDropDown() && listBox_ && (key == ui::key::Up || key == ui::key::Down)) {
        listBox_->SendKey(key, shift, false);
        key = 0;
        return;
    }
    TInplaceEdit::KeyUp(key, shift);
}

void TComboInplaceEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    arrowDownX_ = -1;
    if (button == TMouseButton::Left && OnArrow(x)) {
        arrowDownX_ = x;
        Invalidate();  // drawn pressed
    }
    TInplaceEdit::MouseDown(button, shift, x, y);
}

void TComboInplaceEdit::MouseMove(TShiftState shift, int x, int y) {
    SetCursorShape(OnArrow(x) ? ui::CursorShape::Arrow : ui::CursorShape::Default);
    TInplaceEdit::MouseMove(shift, x, y);
}

void TComboInplaceEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::Left) {
        if (IsDropDown()) Invalidate();  // drawn raised
        arrowDownX_ = -1;
    }
    TInplaceEdit::MouseUp(button, shift, x, y);
}

void TComboInplaceEdit::Click() {
    TInplaceEdit::Click();
    if (IsDropDown() && arrowDownX_ != -1) ToggleList();
}

void TComboInplaceEdit::Paint() {
    if (IsDropDown()) DrawComboArrow(Canvas(), arrowDownX_ != -1);
}

void TComboInplaceEdit::FocusIn() {
    if (IsDropDown()) UpdateTextRect();
}

void TComboInplaceEdit::FocusOut() {
    if (IsDropDown()) HideList();
}

void TComboInplaceEdit::DrawComboArrow(ui::Canvas& canvas, bool pressed) {
    const int w = Width();
    const int h = Height();
    const int aw = ArrowWidth();
    DrawButtonFace(canvas, TRect{w - aw, 0, w, h - 1}, pressed);
    const ui::Pen pen = canvas.GetPen();
    canvas.SetPen(ui::Pen{ui::colors::ButtonText, 1, ui::PenStyle::Solid});
    const int cx = w - aw / 2;
    const int cy = h / 2;
    for (int i = 0; i < 4; ++i) {
        const int y = cy - 2 + i;
        const int x = cx - 4 + i;
        canvas.MoveTo(x, y);
        canvas.LineTo(x + 7 - 2 * i, y);
    }
    canvas.SetPen(pen);
    if (pressed) canvas.DrawFocusRect(TRect{w - aw, 0, w, h});
}

// ---- Stored data -----------------------------------------------------------------

void TComboGrid::DefineProperties(TFiler& filer) {
    TStringGrid::DefineProperties(filer);
    filer.DefineProperty(
        "CellData", [this](TReader& r) { ReadCellData(r); }, [this](TWriter& w) { WriteCellData(w); }, true);
    filer.DefineProperty(
        "CellKind", [this](TReader& r) { ReadCellKind(r); }, [this](TWriter& w) { WriteCellKind(w); }, true);
}

void TComboGrid::WriteCellData(TWriter& writer) {
    writer.WriteListBegin();
    for (int row = 0; row < RowCount(); ++row) {
        for (int col = 0; col < ColCount(); ++col) {
            const std::string text = Cells(col, row);
            if (text.empty()) continue;
            writer.WriteInteger(col);
            writer.WriteInteger(row);
            writer.WriteString(text);
        }
    }
    writer.WriteListEnd();
}

void TComboGrid::ReadCellData(TReader& reader) {
    reader.ReadListBegin();
    while (!reader.EndOfList()) {
        const int col = reader.ReadInteger();
        const int row = reader.ReadInteger();
        const std::string text = reader.ReadString();
        // A text for a cell the grid does not have would be lost.
        if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
            throw EReadError("Cell data for column " + std::to_string(col) + ", row " + std::to_string(row) +
                             " lies outside the grid");
        SetCell(col, row, text);
    }
    reader.ReadListEnd();
}

void TComboGrid::WriteCellKind(TWriter& writer) {
    writer.WriteListBegin();
    for (int col = 0; col < ColCount(); ++col) {
        const TCellKind& kind = *GetCellKind(col);
        const TStringList& items = *kind.Items();
        writer.WriteInteger(kind.Kind());
        writer.WriteInteger(kind.FixedAlign());
        writer.WriteInteger(kind.CellAlign());
        writer.WriteInteger(items.Count());
        for (int i = 0; i < items.Count(); ++i) {
            writer.WriteString(items.Strings(i));
            if (kind.Kind() == ckCheck) writer.WriteInteger(items.Numbers(i));
        }
        writer.WriteInteger(kind.ListWidth());
        writer.WriteInteger(kind.Margin());
        writer.WriteInteger(kind.EditLimit());
        writer.WriteBoolean(kind.Editable());
    }
    writer.WriteListEnd();
}

void TComboGrid::ReadCellKind(TReader& reader) {
    cellKinds_.clear();
    reader.ReadListBegin();
    while (!reader.EndOfList()) {
        auto kind = std::make_unique<TCellKind>(this);
        // Bytes are kept as stored: the low 8 bits, the margin signed.
        kind->SetKind(static_cast<uint8_t>(reader.ReadInteger()));
        kind->SetFixedAlign(static_cast<TCellAlign>(reader.ReadInteger()));
        kind->SetCellAlign(static_cast<TCellAlign>(reader.ReadInteger()));
        const int count = reader.ReadInteger();
        for (int i = 0; i < count; ++i) {
            const std::string text = reader.ReadString();
            const int32_t number = kind->Kind() == ckCheck ? reader.ReadInteger() : 0;
            kind->Items()->Add(text, number);
        }
        kind->SetListWidth(reader.ReadInteger());
        kind->SetMargin(static_cast<int8_t>(static_cast<uint8_t>(reader.ReadInteger())));
        kind->SetEditLimit(reader.ReadInteger());
        kind->SetEditable(reader.ReadBoolean());
        cellKinds_.push_back(std::move(kind));
    }
    reader.ReadListEnd();
}

int ArrowWidth() {
    static const int width = ui::ScrollArrowWidth();
    return width;
}

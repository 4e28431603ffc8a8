#include "framework/ui/grid/grids.h"

#include "framework/exceptions.h"
#include "framework/ui/grid/grid_host.h"
#include "framework/ui/grid/inplace_edit.h"
#include "framework/ui/grid/inplace_editor.h"
#include "framework/value_reader.h"
#include "framework/value_writer.h"

#include <vector>

namespace {

std::vector<int> ReadIntegerList(TReader& reader) {
    std::vector<int> values;
    reader.ReadListBegin();
    while (!reader.EndOfList()) values.push_back(reader.ReadInteger());
    reader.ReadListEnd();
    return values;
}

void WriteIntegerList(TWriter& writer, const std::vector<int>& values) {
    writer.WriteListBegin();
    for (int v : values) writer.WriteInteger(v);
    writer.WriteListEnd();
}

}  // namespace

// --- TCustomGrid ----------------------------------------------------------------

TANSU_IMPLEMENT_CLASS(TCustomGrid)
void TCustomGrid::DeclarePublished(TClassBuilder<TCustomGrid>& c) {
    c.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(1);
    c.Property("ColCount", &TCustomGrid::ColCount, &TCustomGrid::SetColCount).Default(5);
    c.Property("Color", &TControl::Color, &TControl::SetColor).NotStored();  // stored by TControl, by name
    c.Property("DefaultColWidth", &TCustomGrid::DefaultColWidth, &TCustomGrid::SetDefaultColWidth).Default(64);
    c.Property("DefaultRowHeight", &TCustomGrid::DefaultRowHeight, &TCustomGrid::SetDefaultRowHeight).Default(24);
    c.Property("DefaultDrawing", &TCustomGrid::DefaultDrawing, &TCustomGrid::SetDefaultDrawing).Default(1);
    c.Property("FixedColor", &TCustomGrid::FixedColor, &TCustomGrid::SetFixedColor).Default(clBtnFace);
    c.Property("FixedCols", &TCustomGrid::FixedCols, &TCustomGrid::SetFixedCols).Default(1);
    c.Property("RowCount", &TCustomGrid::RowCount, &TCustomGrid::SetRowCount).Default(5);
    c.Property("FixedRows", &TCustomGrid::FixedRows, &TCustomGrid::SetFixedRows).Default(1);
    c.Property("Font", &TControl::Font).StoredWhen(&TCustomGrid::IsFontStored);
    c.Property("GridLineWidth", &TCustomGrid::GridLineWidth, &TCustomGrid::SetGridLineWidth).Default(1);
    c.Set("Options", &TCustomGrid::Options, &TCustomGrid::SetOptions,
          {"goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect", "goDrawFocusSelected",
           "goRowSizing", "goColSizing", "goRowMoving", "goColMoving", "goEditing", "goTabs", "goRowSelect",
           "goAlwaysShowEditor", "goThumbTracking"})
        .Default(ui::kDefaultGridOptions);
    c.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(0);
    c.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(1);
    c.Enum("ScrollBars", &TCustomGrid::ScrollBars, &TCustomGrid::SetScrollBars,
           {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"})
        .Default(static_cast<int>(TScrollStyle::ssBoth));
    c.Event("OnClick", &TCustomGrid::OnClick);
    c.Event("OnColumnMoved", &TCustomGrid::OnColumnMoved);
    c.Event("OnDblClick", &TCustomGrid::OnDblClick);
    c.Event("OnDrawCell", &TCustomGrid::OnDrawCell);
    c.Event("OnEnter", &TCustomGrid::OnEnter);
    c.Event("OnExit", &TCustomGrid::OnExit);
    c.Event("OnGetEditMask", &TCustomGrid::OnGetEditMask);
    c.Event("OnGetEditText", &TCustomGrid::OnGetEditText);
    c.Event("OnKeyDown", &TCustomGrid::OnKeyDown);
    c.Event("OnKeyPress", &TCustomGrid::OnKeyPress);
    c.Event("OnKeyUp", &TCustomGrid::OnKeyUp);
    PublishMouseEvents(c);
    c.Event("OnRowMoved", &TCustomGrid::OnRowMoved);
    c.Event("OnSelectCell", &TCustomGrid::OnSelectCell);
    c.Event("OnSetEditText", &TCustomGrid::OnSetEditText);
    c.Event("OnTopLeftChanged", &TCustomGrid::OnTopLeftChanged);
}

TCustomGrid::TCustomGrid(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    defaultColor_ = clWindow;
    SetColor(clWindow);
    SetBounds(0, 0, 320, 120);
    // The grid's whole state (sizes, cells, current cell) lives in its
    // widget, so the widget is there from the start.
    Widget();
}

TCustomGrid::~TCustomGrid() { DetachHost(); }

void TCustomGrid::BeforeDestruction() {
    DetachHost();
    TWinControl::BeforeDestruction();
}

void TCustomGrid::DetachHost() {
    if (HasWidget()) Host()->Detach();
}

QWidget* TCustomGrid::CreateWidget() { return new ui::GridHost(this); }

ui::GridHost* TCustomGrid::Host() const {
    // A widget the toolkit deleted with its parent's is made anew.
    return static_cast<ui::GridHost*>(const_cast<TCustomGrid*>(this)->Widget());
}

void TCustomGrid::InitWidget() {
    TWinControl::InitWidget();
    ApplyScrollBars();
    ApplyCellLook();
}

void TCustomGrid::FontChanged() {
    TWinControl::FontChanged();
    ApplyCellLook();
}

void TCustomGrid::ColorChanged() {
    TWinControl::ColorChanged();
    ApplyCellLook();
}

void TCustomGrid::ApplyCellLook() {
    if (!HasWidget()) return;
    ui::GridHost* host = Host();
    host->SetCellFont(EffectiveFont()->Value());
    host->SetCellColor(CodeToColor(EffectiveColor()));
    host->SetFixedColor(CodeToColor(fixedColor_));
}

void TCustomGrid::ApplyScrollBars() {
    if (!HasWidget()) return;
    const bool horz = scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth;
    const bool vert = scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth;
    Host()->setHorizontalScrollBarPolicy(horz ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    Host()->setVerticalScrollBarPolicy(vert ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

// ---- Properties -----------------------------------------------------------------

int TCustomGrid::ColCount() const { return Host()->ColCount(); }
void TCustomGrid::SetColCount(int count) { Host()->SetColCount(count); }
int TCustomGrid::RowCount() const { return Host()->RowCount(); }
void TCustomGrid::SetRowCount(int count) { Host()->SetRowCount(count); }
int TCustomGrid::FixedCols() const { return Host()->FixedCols(); }
void TCustomGrid::SetFixedCols(int count) { Host()->SetFixedCols(count); }
int TCustomGrid::FixedRows() const { return Host()->FixedRows(); }
void TCustomGrid::SetFixedRows(int count) { Host()->SetFixedRows(count); }
int TCustomGrid::DefaultColWidth() const { return Host()->DefaultColWidth(); }
void TCustomGrid::SetDefaultColWidth(int width) { Host()->SetDefaultColWidth(width); }
int TCustomGrid::DefaultRowHeight() const { return Host()->DefaultRowHeight(); }
void TCustomGrid::SetDefaultRowHeight(int height) { Host()->SetDefaultRowHeight(height); }
int TCustomGrid::ColWidths(int col) const { return Host()->ColWidth(col); }
void TCustomGrid::SetColWidths(int col, int width) { Host()->SetColWidth(col, width); }
int TCustomGrid::RowHeights(int row) const { return Host()->RowHeight(row); }
void TCustomGrid::SetRowHeights(int row, int height) { Host()->SetRowHeight(row, height); }
int TCustomGrid::GridLineWidth() const { return Host()->GridLineWidth(); }
void TCustomGrid::SetGridLineWidth(int width) { Host()->SetGridLineWidth(width); }

TGridOptions TCustomGrid::Options() const { return Host()->Options(); }
void TCustomGrid::SetOptions(TGridOptions options) { Host()->SetOptions(options); }
bool TCustomGrid::DefaultDrawing() const { return Host()->DefaultDrawing(); }
void TCustomGrid::SetDefaultDrawing(bool on) { Host()->SetDefaultDrawing(on); }

void TCustomGrid::SetScrollBars(TScrollStyle style) {
    scrollBars_ = style;
    ApplyScrollBars();
}

void TCustomGrid::SetFixedColor(TColor color) {
    fixedColor_ = color;
    ApplyCellLook();
}

int TCustomGrid::TextWidth(std::string_view text) const { return Host()->CellTextWidth(text); }
bool TCustomGrid::KeyAutoRepeat() const { return Host()->KeyAutoRepeat(); }

int TCustomGrid::Col() const { return Host()->Col(); }
void TCustomGrid::SetCol(int col) { Host()->SetCol(col); }
int TCustomGrid::Row() const { return Host()->Row(); }
void TCustomGrid::SetRow(int row) { Host()->SetRow(row); }
TGridRect TCustomGrid::Selection() const { return Host()->Selection(); }
void TCustomGrid::SetSelection(const TGridRect& selection) { Host()->SetSelection(selection); }
int TCustomGrid::TopRow() const { return Host()->TopRow(); }
void TCustomGrid::SetTopRow(int row) { Host()->SetTopRow(row); }
int TCustomGrid::LeftCol() const { return Host()->LeftCol(); }
void TCustomGrid::SetLeftCol(int col) { Host()->SetLeftCol(col); }
int TCustomGrid::VisibleRowCount() const { return Host()->VisibleRowCount(); }
int TCustomGrid::VisibleColCount() const { return Host()->VisibleColCount(); }

TRect TCustomGrid::CellRect(int ACol, int ARow) const { return Host()->CellRect(ACol, ARow); }
void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const { Host()->MouseToCell(X, Y, ACol, ARow); }

void TCustomGrid::MoveRow(int from, int to) { Host()->MoveRow(from, to); }
void TCustomGrid::MoveColumn(int from, int to) { Host()->MoveColumn(from, to); }

bool TCustomGrid::EditorMode() const { return Host()->EditorMode(); }
void TCustomGrid::SetEditorMode(bool on) { Host()->SetEditorMode(on); }
void TCustomGrid::ShowEditor() { Host()->ShowEditor(); }
void TCustomGrid::HideEditor() { Host()->HideEditor(); }
ui::InplaceEditor* TCustomGrid::InplaceEditor() const { return Host()->Editor(); }

void TCustomGrid::InvalidateCell(int ACol, int ARow) { Host()->InvalidateCell(ACol, ARow); }
void TCustomGrid::InvalidateRow(int ARow) { Host()->InvalidateRow(ARow); }
void TCustomGrid::InvalidateCol(int ACol) { Host()->InvalidateCol(ACol); }
void TCustomGrid::InvalidateGrid() { Host()->InvalidateGrid(); }

ui::Canvas& TCustomGrid::Canvas() {
    ui::Canvas* canvas = Host()->PaintCanvas();
    if (!canvas) throw EInvalidOperation("The grid's canvas exists only while the grid paints");
    return *canvas;
}

bool TCustomGrid::IsPainting() const { return Host()->PaintCanvas() != nullptr; }

bool TCustomGrid::WantsTab() const { return (Options() & goTabs) != 0; }

// ---- Steps ---------------------------------------------------------------------

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    Host()->MouseDown(button, shift, x, y);
    TWinControl::MouseDown(button, shift, x, y);
}

void TCustomGrid::MouseMove(TShiftState shift, int x, int y) {
    Host()->MouseMove(shift, x, y);
    TWinControl::MouseMove(shift, x, y);
}

void TCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    Host()->MouseUp(button, shift, x, y);
    TWinControl::MouseUp(button, shift, x, y);
}

void TCustomGrid::KeyDown(uint16_t& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (key != 0) Host()->KeyDown(key, shift);
}

void TCustomGrid::KeyUp(uint16_t& key, TShiftState shift) { TWinControl::KeyUp(key, shift); }

void TCustomGrid::KeyPress(char& key) { TWinControl::KeyPress(key); }

void TCustomGrid::Click() { TWinControl::Click(); }

void TCustomGrid::DblClick() { TWinControl::DblClick(); }

void TCustomGrid::CancelMode(TControl* cause) {
    TWinControl::CancelMode(cause);
    Host()->BaseCancelMode();
}

void TCustomGrid::FocusEntered() {
    TWinControl* top = this;
    while (top->Parent()) top = top->Parent();
    top->FocusMovedTo(this);
    DoEnter();
}

void TCustomGrid::FocusLeft() { DoExit(); }

void TCustomGrid::DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) {
    OnDrawCell(this, ACol, ARow, Rect, State);
}

bool TCustomGrid::CanEditShow() { return Host()->CanEditShow(); }

TInplaceEdit* TCustomGrid::CreateInplaceEdit() { return new TInplaceEdit(this); }

ui::InplaceEditor* TCustomGrid::CreateEditor() { return CreateInplaceEdit()->EditorWidget(); }

TInplaceEdit* TCustomGrid::InplaceEdit() const {
    ui::InplaceEditor* editor = Host()->Editor();
    return editor ? ObjectCast<TInplaceEdit>(TControl::FromWidget(editor)) : nullptr;
}

std::string TCustomGrid::GetEditMask(int ACol, int ARow) {
    std::string mask;
    OnGetEditMask(this, ACol, ARow, mask);
    return mask;
}

std::string TCustomGrid::GetEditText(int ACol, int ARow) {
    std::string text;
    OnGetEditText(this, ACol, ARow, text);
    return text;
}

void TCustomGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
    OnSetEditText(this, ACol, ARow, Value);
}

void TCustomGrid::TopLeftChanged() {
    Host()->TopLeftChanged();
    OnTopLeftChanged(this);
}

bool TCustomGrid::SelectCell(int ACol, int ARow) {
    bool canSelect = true;
    OnSelectCell(this, ACol, ARow, canSelect);
    return canSelect;
}

void TCustomGrid::RowMoved(int FromIndex, int ToIndex) { OnRowMoved(this, FromIndex, ToIndex); }

void TCustomGrid::ColumnMoved(int FromIndex, int ToIndex) { OnColumnMoved(this, FromIndex, ToIndex); }

// ---- Stored sizes ----------------------------------------------------------------

void TCustomGrid::DefineProperties(TFiler& filer) {
    TWinControl::DefineProperties(filer);
    filer.DefineProperty(
        "ColWidths", [this](TReader& r) { ReadColWidths(r); }, [this](TWriter& w) { WriteColWidths(w); },
        Host()->ColWidthsCustomized());
    filer.DefineProperty(
        "RowHeights", [this](TReader& r) { ReadRowHeights(r); }, [this](TWriter& w) { WriteRowHeights(w); },
        Host()->RowHeightsCustomized());
}

void TCustomGrid::ReadColWidths(TReader& reader) { Host()->SetColWidths(ReadIntegerList(reader)); }
void TCustomGrid::WriteColWidths(TWriter& writer) { WriteIntegerList(writer, Host()->ColWidths()); }
void TCustomGrid::ReadRowHeights(TReader& reader) { Host()->SetRowHeights(ReadIntegerList(reader)); }
void TCustomGrid::WriteRowHeights(TWriter& writer) { WriteIntegerList(writer, Host()->RowHeights()); }

// --- TDrawGrid, TStringGrid -----------------------------------------------------

TANSU_IMPLEMENT_CLASS(TDrawGrid)
void TDrawGrid::DeclarePublished(TClassBuilder<TDrawGrid>&) {}

TANSU_IMPLEMENT_CLASS(TStringGrid)
void TStringGrid::DeclarePublished(TClassBuilder<TStringGrid>&) {}

TStringGrid::TStringGrid(TComponent* owner) : TDrawGrid(owner) {}

std::string TStringGrid::Cells(int ACol, int ARow) const { return std::string(Host()->Cell(ACol, ARow)); }

std::string_view TStringGrid::CellText(int ACol, int ARow) const { return Host()->Cell(ACol, ARow); }

void TStringGrid::RowTexts(int ARow, std::string_view* out, int count) const { Host()->RowCells(ARow, out, count); }

void TStringGrid::SetCell(int ACol, int ARow, const std::string& text) { Host()->SetCell(ACol, ARow, text); }

void TStringGrid::ReorderRows(const std::vector<int>& order) { Host()->ReorderRows(order); }

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) {
    if (DefaultDrawing()) Canvas().TextRect(Rect, Rect.left + 2, Rect.top + 2, Host()->Cell(ACol, ARow));
    TDrawGrid::DrawCell(ACol, ARow, Rect, State);
}

std::string TStringGrid::GetEditText(int ACol, int ARow) {
    std::string text = Cells(ACol, ARow);
    OnGetEditText(this, ACol, ARow, text);
    return text;
}

void TStringGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
    if (Value != Host()->Cell(ACol, ARow)) SetCell(ACol, ARow, Value);
    TDrawGrid::SetEditText(ACol, ARow, Value);
}

void RegisterGridClasses() {
    RegisterClass(TCustomGrid::StaticClass());
    RegisterClass(TDrawGrid::StaticClass());
    RegisterClass(TStringGrid::StaticClass());
}

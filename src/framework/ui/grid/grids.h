// The grid components: TCustomGrid (a rectangle of cells with fixed heading
// rows and columns, a current cell, column and row sizing and moving, an
// in-place editor), TDrawGrid (the same, drawn by OnDrawCell) and
// TStringGrid (a text in every cell).
//
// The component answers its widget's hooks (grid_hooks.h): the virtual
// steps below are those hooks, each one virtual function.  Mouse, keys and
// focus reach the input steps (MouseDown, KeyDown, KeyPress, DblClick, ...)
// once each, and each step does the grid's own handling besides raising its
// event, so a class that overrides a step and calls the inherited one keeps
// both.  Mouse positions and cell rectangles are in the coordinates of the
// cell area.
//
// ColWidths and RowHeights are stored as custom data: lists of integers,
// written only when some size differs from the default.
#pragma once

#include "framework/ui/core/control.h"
#include "framework/ui/graphics/graphics_types.h"
#include "framework/ui/grid/grid_hooks.h"
#include "framework/ui/grid/grid_types.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ui {
class Canvas;
class GridHost;
class InplaceEditor;
class StringGridWidget;
}  // namespace ui

using TGridOptions = ui::GridOptions;
using TGridDrawState = ui::GridDrawState;
using TRect = ui::Rect;
using TGridRect = ui::GridRect;
using ui::gdFixed;
using ui::gdFocused;
using ui::gdSelected;
using ui::goAlwaysShowEditor;
using ui::goColMoving;
using ui::goColSizing;
using ui::goDrawFocusSelected;
using ui::goEditing;
using ui::goFixedHorzLine;
using ui::goFixedVertLine;
using ui::goHorzLine;
using ui::goRangeSelect;
using ui::goRowMoving;
using ui::goRowSelect;
using ui::goRowSizing;
using ui::goTabs;
using ui::goThumbTracking;
using ui::goVertLine;

using TDrawCellEvent =
    TEvent<void(TObject* Sender, int ACol, int ARow, const TRect& Rect, TGridDrawState State)>;
using TMovedEvent = TEvent<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TGetEditEvent = TEvent<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TSetEditEvent = TEvent<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;
using TSelectCellEvent = TEvent<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;

class TInplaceEdit;

class TCustomGrid : public TWinControl, public ui::GridHooks {
    TANSU_CLASS(TCustomGrid, TWinControl)
public:
    explicit TCustomGrid(TComponent* owner);
    ~TCustomGrid() override;

    // ---- Size.  Counts are at least 1; the fixed counts stay below them
    // (EInvalidOperation otherwise).
    int ColCount() const;
    void SetColCount(int count);
    int RowCount() const;
    void SetRowCount(int count);
    int FixedCols() const;
    void SetFixedCols(int count);
    int FixedRows() const;
    void SetFixedRows(int count);
    // Setting a default gives every column (row) that size.
    int DefaultColWidth() const;
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const;
    void SetDefaultRowHeight(int height);
    // Out-of-range indexes raise EInvalidOperation.
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);
    int GridLineWidth() const;
    void SetGridLineWidth(int width);

    // ---- Look and behaviour.
    TGridOptions Options() const;
    void SetOptions(TGridOptions options);
    bool DefaultDrawing() const;
    void SetDefaultDrawing(bool on);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle style);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor color);
    // The font the cells are drawn in (the parent's with ParentFont), and
    // the width in pixels of a cp932 text in it; usable at any time, not
    // only while painting.
    const TFont* CellFont() const { return EffectiveFont(); }
    int TextWidth(std::string_view text) const;

    // ---- Current cell, selection, scrolling.
    int Col() const;
    void SetCol(int col);
    int Row() const;
    void SetRow(int row);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& selection);
    int TopRow() const;
    void SetTopRow(int row);
    int LeftCol() const;
    void SetLeftCol(int col);
    int VisibleRowCount() const;
    int VisibleColCount() const;

    // ---- Geometry: a cell out of view has an empty rectangle; no column
    // (row) under the point gives -1.
    TRect CellRect(int ACol, int ARow) const;
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;

    // ---- Moving: the row (column) at `from` ends at `to` with its texts;
    // RowMoved (ColumnMoved) reports it.
    void MoveRow(int from, int to);
    void MoveColumn(int from, int to);

    // ---- In-place editing.
    bool EditorMode() const;
    void SetEditorMode(bool on);
    void ShowEditor();
    void HideEditor();
    // Null until the grid first needed one.
    ui::InplaceEditor* InplaceEditor() const;
    // The editor component, null until the grid first needed one.
    TInplaceEdit* InplaceEdit() const;

    // ---- Repainting.
    void InvalidateCell(int ACol, int ARow);
    void InvalidateRow(int ARow);
    void InvalidateCol(int ACol);
    void InvalidateGrid();

    // The drawing surface, while the grid paints (from DrawCell and
    // OnDrawCell); EInvalidOperation at any other time.
    ui::Canvas& Canvas();
    bool IsPainting() const;

    // ---- Events.
    TDrawCellEvent OnDrawCell;
    TMovedEvent OnRowMoved;
    TMovedEvent OnColumnMoved;
    TGetEditEvent OnGetEditMask;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;
    TSelectCellEvent OnSelectCell;
    TNotifyEvent OnTopLeftChanged;

    // ---- Steps.  Input steps first do the grid's own handling, then raise
    // the event (keys: the event first; a key set to 0 goes no further).
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;
    // Each cp932 byte typed into the grid or its editor comes here once.
    void KeyPress(char& key) override;
    // The base raises OnClick; Click runs when the user (or SetCol/SetRow)
    // moved the current cell.
    void Click() override;
    void DblClick() override;
    // The grid ends a sizing or moving drag of its own.
    void CancelMode(TControl* cause) override;

    // During KeyDown, KeyPress and KeyUp: whether the key repeats a held
    // key.  The toolkit repeats a held key as pairs of a release and a
    // press, both marked as repeats; a step that must see one press and one
    // release per stroke ignores the marked ones.
    bool KeyAutoRepeat() const;

    bool WidgetReportsInput() const override { return true; }
    bool WantsTab() const override;

    void DefineProperties(TFiler& filer) override;

protected:
    // Draws one visible cell; with DefaultDrawing the canvas comes with the
    // font and the background already filled.  The base raises OnDrawCell.
    void DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) override;
    // Runs after the whole grid has painted (the canvas is still there).
    void PaintDone() override {}
    // May the editor show over the current cell now?  The base: in editor
    // mode with goEditing and without goRowSelect.
    bool CanEditShow() override;
    // Makes the editor component, owned by the grid, once.  The base
    // makes a plain TInplaceEdit.
    virtual TInplaceEdit* CreateInplaceEdit();
    ui::InplaceEditor* CreateEditor() final;
    // The base asks OnGetEditMask (empty: no mask).
    std::string GetEditMask(int ACol, int ARow) override;
    // Longest editor text in cp932 bytes, 0 for no limit.
    int GetEditLimit() override { return 0; }
    // The editor's starting text and the edited text written back; the
    // base raises OnGetEditText and OnSetEditText.
    std::string GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const std::string& Value) override;
    // The grid scrolled; the base moves the editor, then OnTopLeftChanged.
    void TopLeftChanged() override;
    // May (ACol, ARow) become current?  The base asks OnSelectCell.
    bool SelectCell(int ACol, int ARow) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;

    QWidget* CreateWidget() override;
    void InitWidget() override;
    void BeforeDestruction() override;
    void FontChanged() override;
    void ColorChanged() override;

    // The widget, made at construction (toolkit side).
    ui::GridHost* Host() const;

private:
    friend class ui::GridHost;
    bool IsFontStored() const { return !ParentFont(); }
    // The widget's font and colours follow the control's.
    void ApplyCellLook();
    void ApplyScrollBars();
    // The widget stops reporting to a grid that goes.
    void DetachHost();
    // Focus of the grid or its editor, from the widget.
    void FocusEntered();
    void FocusLeft();
    void ReadColWidths(TReader& reader);
    void WriteColWidths(TWriter& writer);
    void ReadRowHeights(TReader& reader);
    void WriteRowHeights(TWriter& writer);

    TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
    TColor fixedColor_ = clBtnFace;
};

// A grid the program draws in OnDrawCell.
class TDrawGrid : public TCustomGrid {
    TANSU_CLASS(TDrawGrid, TCustomGrid)
public:
    explicit TDrawGrid(TComponent* owner) : TCustomGrid(owner) {}
};

// A grid with a cp932 text in every cell.  Texts move with their rows and
// columns, feed the editor and take back what it edited, and are drawn two
// pixels in from the cell's top left by the default drawing.
class TStringGrid : public TDrawGrid {
    TANSU_CLASS(TStringGrid, TDrawGrid)
public:
    explicit TStringGrid(TComponent* owner);

    // Empty for an empty cell and outside the grid.
    std::string Cells(int ACol, int ARow) const;
    // The same text without a copy, for reading many cells at once; the
    // view lasts until the cell's row is changed.
    std::string_view CellText(int ACol, int ARow) const;
    // The texts of a row's first `count` cells at once, without copies; for
    // reading whole records.  Empty past the row's texts and outside the grid.
    void RowTexts(int ARow, std::string_view* out, int count) const;
    // Outside the grid: EInvalidOperation.
    void SetCell(int ACol, int ARow, const std::string& text);
    // Row i takes the texts row order[i] had (no text is copied); heights,
    // current cell and selection stay; one repaint.  EInvalidOperation
    // unless `order` names every row exactly once.
    void ReorderRows(const std::vector<int>& order);

protected:
    void DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) override;
    std::string GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const std::string& Value) override;
};

// TCustomGrid, TDrawGrid and TStringGrid, for the class registry.
void RegisterGridClasses();

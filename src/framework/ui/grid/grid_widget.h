// The grid control: a rectangle of cells with fixed heading rows and
// columns, a current cell and a selection, scrolling, column and row sizing
// and moving by the mouse, keyboard navigation, a painting loop that asks
// DrawCell for every visible cell, and the mechanics of an in-place editor.
// It holds no cell data itself; StringGridWidget adds the texts.
//
// The steps it leaves to an owner are the hooks of grid_hooks.h.  The widget
// answers them itself (its own handling, below, raising the public
// std::function events) until a component takes them over with SetHooks;
// subclasses of the widget override the hooks directly.
// Every cost of painting and scrolling depends on what is visible, not on
// the number of rows.
//
// Coordinates are those of the cell area (the viewport inside the frame and
// scroll bars).  Fixed columns and rows always show at the left and the
// top; the others scroll, LeftCol and TopRow being the first shown.
#pragma once

#include "framework/ui/graphics/canvas.h"
#include "framework/ui/graphics/graphics_types.h"
#include "framework/ui/grid/grid_axis.h"
#include "framework/ui/grid/grid_hooks.h"
#include "framework/ui/grid/grid_types.h"
#include "framework/ui/core/event_guard.h"
#include "framework/ui/core/input_types.h"

#include <QAbstractScrollArea>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QTimer;
class QWindow;

namespace ui {

class InplaceEditor;

class GridWidget : public QAbstractScrollArea, public GridHooks {
    Q_OBJECT

public:
    explicit GridWidget(QWidget* parent = nullptr);
    ~GridWidget() override;

    // ---- Size.  ColCount and RowCount are at least 1; the fixed counts
    // stay below them (EInvalidOperation otherwise).
    int ColCount() const { return cols_.Count(); }
    void SetColCount(int count);
    int RowCount() const { return rows_.Count(); }
    void SetRowCount(int count);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int count);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int count);

    // Setting a default size gives every column (row) that size.
    int DefaultColWidth() const { return cols_.DefaultSize(); }
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const { return rows_.DefaultSize(); }
    void SetDefaultRowHeight(int height);
    // Out-of-range indexes raise EInvalidOperation.
    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int height);
    // The lists stored as ColWidths and RowHeights: every width (height) in
    // order, worth storing only when some differs from the default.  Reading
    // one sets the first min(list size, count) sizes.
    bool ColWidthsCustomized() const { return cols_.HasCustomSizes(); }
    std::vector<int> ColWidths() const { return cols_.Sizes(); }
    void SetColWidths(const std::vector<int>& widths);
    bool RowHeightsCustomized() const { return rows_.HasCustomSizes(); }
    std::vector<int> RowHeights() const { return rows_.Sizes(); }
    void SetRowHeights(const std::vector<int>& heights);
    // Pixels of the lines between cells (when the options draw them).
    int GridLineWidth() const { return lineWidth_; }
    void SetGridLineWidth(int width);

    // ---- Look and behaviour.
    GridOptions Options() const { return options_; }
    void SetOptions(GridOptions options);
    bool HasOption(GridOption o) const { return (options_ & o) != 0; }
    // With default drawing the grid fills each cell's background, draws the
    // edges of fixed cells and the focus frame; without it DrawCell does all.
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool on);
    const Font& CellFont() const { return font_; }
    void SetCellFont(const Font& font);
    Color CellColor() const { return color_; }  // background of data cells
    void SetCellColor(Color color);
    Color FixedColor() const { return fixedColor_; }  // background of fixed cells
    void SetFixedColor(Color color);
    // Width of a cp932 text in the cell font, as the cells draw it.
    int CellTextWidth(std::string_view text) const;

    // ---- Current cell, selection and scrolling.  The current cell is
    // always a data cell.  Setting Col or Row moves the selection with it.
    int Col() const { return current_.x; }
    void SetCol(int col);
    int Row() const { return current_.y; }
    void SetRow(int row);
    // Makes (col, row) current, as a click would (SelectCell may refuse);
    // with moveAnchor false the selection stretches from its anchor.
    void FocusCell(int col, int row, bool moveAnchor = true);
    // With goRowSelect the selection spans every data column.
    GridRect Selection() const;
    void SetSelection(const GridRect& selection);
    int TopRow() const { return topRow_; }
    void SetTopRow(int row);
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int col);
    // Data rows (columns) wholly visible from TopRow (LeftCol).
    int VisibleRowCount() const;
    int VisibleColCount() const;
    GridState State() const { return state_; }

    // ---- Geometry.  A cell out of view has an empty rectangle.
    Rect CellRect(int col, int row) const;
    // The cell under a point of the cell area: x or y is -1 where no column
    // or row lies under it.
    GridCoord MouseCoord(int x, int y) const;
    void MouseToCell(int x, int y, int& col, int& row) const;

    // ---- Moving rows and columns: the item at `from` ends at `to`, its
    // size and data go with it, the current cell follows; then RowMoved
    // (ColumnMoved) reports it.
    void MoveRow(int from, int to);
    void MoveColumn(int from, int to);

    // ---- In-place editing.  In editor mode the editor shows over the
    // current cell whenever CanEditShow allows and follows it; the edited
    // text goes back through SetEditText when the cell is left or the
    // editor hidden.
    bool EditorMode() const { return editorMode_; }
    void SetEditorMode(bool on);
    void ShowEditor();
    void HideEditor();
    InplaceEditor* Editor() const;  // null until first needed

    // ---- Repainting.
    void InvalidateCell(int col, int row);
    void InvalidateRow(int row);
    void InvalidateCol(int col);
    void InvalidateGrid();

    // Tells the grid that the mouse was pressed on `cause` (possibly null)
    // while the grid or its editor was the active control of the window.
    // The grid sends it itself for presses inside its window; forms call it
    // for menu selections.
    void SendCancelMode(QWidget* cause);

    // Whether the key being handled (KeyDown, KeyPress, KeyUp) comes from a
    // held key's auto-repeat: the toolkit repeats a held key as release and
    // press pairs, both marked so.
    bool KeyAutoRepeat() const { return keyAutoRepeat_; }

    // ---- Events.  Key codes are those of input_types.h; a handler may set
    // the key (the character) to 0 to keep the grid from acting on it.
    std::function<void(int col, int row, const Rect& rect, GridDrawState state)> onDrawCell;
    std::function<void()> onClick;  // the current cell was moved by the user or by FocusCell
    std::function<void()> onDblClick;
    std::function<void(int& key, ShiftState shift)> onKeyDown;
    std::function<void(int& key, ShiftState shift)> onKeyUp;
    std::function<void(char& key)> onKeyPress;  // one cp932 byte
    std::function<void(int from, int to)> onRowMoved;
    std::function<void(int from, int to)> onColMoved;
    std::function<void()> onTopLeftChanged;
    std::function<void(int col, int row, bool& canSelect)> onSelectCell;
    std::function<void(int col, int row, std::string& mask)> onGetEditMask;
    std::function<void(int col, int row, std::string& text)> onGetEditText;
    std::function<void(int col, int row, const std::string& text)> onSetEditText;
    std::function<void()> onColWidthsChanged;
    std::function<void()> onRowHeightsChanged;

    // ---- The hooks (grid_hooks.h) and who answers them.  The widget's own
    // handling: DrawCell fires onDrawCell; CanEditShow answers yes in editor
    // mode of a grid with goEditing and without goRowSelect; CreateEditor
    // makes a plain editor; GetEditMask, GetEditText, SetEditText and
    // SelectCell ask their events; TopLeftChanged moves the editor with its
    // cell (hiding it while the cell is out of view), then fires its event;
    // KeyDown fires onKeyDown, then navigates; MouseDown focuses, selects,
    // starts sizing and moving drags and shows the editor.
    void SetHooks(GridHooks* hooks) { hooks_ = hooks ? hooks : this; }

    void DrawCell(int col, int row, const Rect& rect, GridDrawState state) override;
    void PaintDone() override {}
    bool CanEditShow() override;
    InplaceEditor* CreateEditor() override;
    std::string GetEditMask(int col, int row) override;
    int GetEditLimit() override { return 0; }
    std::string GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const std::string& text) override;
    void TopLeftChanged() override;
    bool SelectCell(int col, int row) override;
    void RowMoved(int from, int to) override;
    void ColumnMoved(int from, int to) override;
    void Click() override;
    void DblClick() override;
    void KeyDown(uint16_t& key, ShiftState shift) override;
    void KeyUp(uint16_t& key, ShiftState shift) override;
    void KeyPress(char& key) override;
    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseMove(ShiftState shift, int x, int y) override;
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;

protected:
    // ---- Painting.  The canvas exists only while the grid paints; outside
    // painting, ask for a repaint (InvalidateCell) instead of drawing.
    bool IsPainting() const { return canvas_ != nullptr; }
    Canvas& GetCanvas();

    // The mouse went down on another control (see SendCancelMode); the base
    // ends a drag of the grid's own.
    virtual void CancelMode(QWidget* cause);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    // Per-row and per-column data of subclasses follows these.
    virtual void MoveRowData(int /*from*/, int /*to*/) {}
    virtual void MoveColData(int /*from*/, int /*to*/) {}
    virtual void SizeChanged(int /*oldColCount*/, int /*oldRowCount*/) {}
    // The editor was made (it is the grid's from now on).
    virtual void EditorMade(InplaceEditor* /*editor*/) {}

    // Writes the editor's text back when it was changed.
    void UpdateText();
    // A subclass changed the data of a cell: an editor holding it reloads.
    void CellTextChanged(int col, int row);

    // ---- Qt.
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    friend class InplaceEditor;

    struct VisibleItem {
        int index;
        int pos;
        int size;
    };

    // Geometry.
    int64_t FixedWidth() const { return cols_.Start(fixedCols_); }
    int64_t FixedHeight() const { return rows_.Start(fixedRows_); }
    int64_t ColX(int col) const;
    int64_t RowY(int row) const;
    int MaxTopRow() const;
    int MaxLeftCol() const;
    static int FirstToShow(const GridAxis& axis, int fixed, int item, int64_t avail);
    std::vector<VisibleItem> VisibleItems(const GridAxis& axis, int fixed, int first, int limit) const;
    void UpdateLineWidths();
    void UpdateScrollBars();
    void SetTopLeft(int left, int top);
    void LayoutChanged();
    void ScrollInView(int col, int row);

    // Current cell and selection.
    bool MoveCurrent(int col, int row, bool moveAnchor, bool show);
    void ClampCurrent();
    int AdjustForMove(int index, int from, int to) const;

    // Drawing.
    void PaintLines(Canvas& canvas, const std::vector<VisibleItem>& cols, const std::vector<VisibleItem>& rows,
                    int width, int height);
    void PaintMoveMark(Canvas& canvas);
    bool GridHasFocus() const;

    // Mouse.
    bool SizingHit(int x, int y, GridState& state, int& index) const;
    void DragMove(int x, int y);
    void EndDrag(bool apply);

    // Runs a hook guarded: an exception of the owner's handler ends at the
    // application's exception box, and the hook's answer is then `refused`.
    template <class R, class F>
    R Ask(R refused, F&& hook) {
        R answer = refused;
        if (!RunGuarded([&] { answer = hook(); })) answer = refused;
        return answer;
    }
    template <class F>
    void Tell(F&& hook) {
        RunGuarded(hook);
    }
    // The key hooks; a handler that fails keeps the key from the grid.
    void HookKeyDown(int& key, ShiftState shift);
    void HookKeyUp(int& key, ShiftState shift);
    void HookKeyPress(char& key);

    // Editing.
    void UpdateEdit();
    void HideEdit();
    void PlaceEditor();
    void LoadEditor();
    void EditorEscape();
    void TakeFocusFromEditor();
    void EnterKey();
    void TypeIntoEditor(const QString& text);
    bool EditorVisible() const;

    // Cancel mode: presses anywhere in the window.
    void WatchWindow();
    QWidget* ControlOf(QWidget* w) const;

    GridAxis cols_;
    GridAxis rows_;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int lineWidth_ = 1;
    GridOptions options_ = kDefaultGridOptions;
    bool defaultDrawing_ = true;
    Font font_;
    Color color_ = colors::Window;
    Color fixedColor_ = colors::ButtonFace;

    GridCoord current_{1, 1};
    GridCoord anchor_{1, 1};
    int topRow_ = 1;
    int leftCol_ = 1;

    GridState state_ = GridState::Normal;
    int dragIndex_ = -1;   // the column or row being sized or moved
    int dragOffset_ = 0;   // sizing: from the mouse to the border
    int moveTarget_ = -1;  // moving: where the item would go

    bool editorMode_ = false;
    QPointer<InplaceEditor> editor_;
    GridCoord editCell_;  // the cell the editor holds, or none
    bool writingBack_ = false;
    bool takingFocus_ = false;  // the grid takes the focus back from its editor
    bool keyAutoRepeat_ = false;  // the key event being handled repeats a held key
    // The toolkit marks a held key's release as a repeat only when the
    // next press is already read; else the pair comes unmarked, with one
    // time stamp.  A release that may be such a half is held back a moment
    // and sent as a repeat if the press with its stamp follows.
    struct HeldBackRelease {
        int key;
        ShiftState shift;
        uint64_t time;
    };
    std::optional<HeldBackRelease> heldBackRelease_;
    QTimer* heldBackTimer_ = nullptr;
    int lastPressKey_ = 0;
    bool lastPressRepeated_ = false;
    uint64_t lastPressTime_ = 0;
    // Sends the held-back release, if any; false when the grid was freed.
    bool SendHeldBackRelease(bool repeat);

    Canvas* canvas_ = nullptr;
    bool updatingScrollBars_ = false;
    QPointer<QWindow> watchedWindow_;
    GridHooks* hooks_ = this;
};

}  // namespace ui

// The steps a grid widget leaves to whoever owns the grid's behaviour, one
// virtual function each.  The widget is its own owner (GridWidget's
// implementations are the grid's own handling) until a component takes the
// steps over with GridWidget::SetHooks; a component that wants the grid's
// own handling of a step as well calls the widget's function for it.
#pragma once

#include "framework/ui/core/input_types.h"
#include "framework/ui/graphics/graphics_types.h"
#include "framework/ui/grid/grid_types.h"

#include <cstdint>
#include <string>

namespace ui {

class InplaceEditor;

class GridHooks {
public:
    // ---- Painting.  One visible cell (with default drawing the canvas
    // comes with the cell font and the filled background), then the end of
    // the paint.
    virtual void DrawCell(int col, int row, const Rect& rect, GridDrawState state) = 0;
    virtual void PaintDone() = 0;

    // ---- Editing.  May the editor show over the current cell now; the
    // editor, made once; the cell's mask, the length limit in cp932 bytes
    // (0: none), the text the editor starts with and the edited text
    // written back.
    virtual bool CanEditShow() = 0;
    virtual InplaceEditor* CreateEditor() = 0;
    virtual std::string GetEditMask(int col, int row) = 0;
    virtual int GetEditLimit() = 0;
    virtual std::string GetEditText(int col, int row) = 0;
    virtual void SetEditText(int col, int row, const std::string& text) = 0;

    // ---- Notifications.  The first cells shown changed; may (col, row)
    // become current; a row or column moved; the user moved the current
    // cell; a double click.
    virtual void TopLeftChanged() = 0;
    virtual bool SelectCell(int col, int row) = 0;
    virtual void RowMoved(int from, int to) = 0;
    virtual void ColumnMoved(int from, int to) = 0;
    virtual void Click() = 0;
    virtual void DblClick() = 0;

    // ---- Input, in cell-area coordinates.  Key codes are those of
    // input_types.h; a key (a character) set to 0 goes no further.
    virtual void KeyDown(uint16_t& key, ShiftState shift) = 0;
    virtual void KeyUp(uint16_t& key, ShiftState shift) = 0;
    virtual void KeyPress(char& key) = 0;
    virtual void MouseDown(MouseButton button, ShiftState shift, int x, int y) = 0;
    virtual void MouseMove(ShiftState shift, int x, int y) = 0;
    virtual void MouseUp(MouseButton button, ShiftState shift, int x, int y) = 0;

protected:
    ~GridHooks() = default;
};

}  // namespace ui

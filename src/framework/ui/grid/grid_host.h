// The widget of a grid component: the string grid widget with its steps
// handed to the component (TCustomGrid), which may call back into the
// widget's own handling through the Base... functions.  Every call into the
// component runs guarded, so an exception of a handler ends at the
// application's exception box, not in the toolkit.
#pragma once

#include "framework/ui/grid/string_grid_widget.h"

class TCustomGrid;

namespace ui {

class GridHost : public StringGridWidget {
public:
    explicit GridHost(TCustomGrid* grid);
    // The component is going: the widget reports to nobody any more.
    void Detach() { grid_ = nullptr; }

    Canvas* PaintCanvas() { return IsPainting() ? &GetCanvas() : nullptr; }

    // The widget's own handling of each step.
    void BaseMouseDown(MouseButton button, ShiftState shift, int x, int y) { GridWidget::MouseDown(button, shift, x, y); }
    void BaseMouseMove(ShiftState shift, int x, int y) { GridWidget::MouseMove(shift, x, y); }
    void BaseMouseUp(MouseButton button, ShiftState shift, int x, int y) { GridWidget::MouseUp(button, shift, x, y); }
    void BaseKeyDown(int& key, ShiftState shift) { GridWidget::KeyDown(key, shift); }
    void BaseKeyUp(int& key, ShiftState shift) { GridWidget::KeyUp(key, shift); }
    bool BaseCanEditShow() { return GridWidget::CanEditShow(); }
    void BaseTopLeftChanged() { GridWidget::TopLeftChanged(); }
    void BaseCancelMode() { GridWidget::CancelMode(nullptr); }

protected:
    void DrawCell(int col, int row, const Rect& rect, GridDrawState state) override;
    void PaintDone() override;
    bool CanEditShow() override;
    InplaceEditor* CreateEditor() override;
    std::string GetEditMask(int col, int row) override;
    int GetEditLimit() override;
    std::string GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const std::string& text) override;
    void TopLeftChanged() override;
    void CancelMode(QWidget* cause) override;
    bool SelectCell(int col, int row) override;
    void RowMoved(int from, int to) override;
    void ColumnMoved(int from, int to) override;
    void Click() override;
    void DblClick() override;
    void KeyDown(int& key, ShiftState shift) override;
    void KeyUp(int& key, ShiftState shift) override;
    void KeyPress(char& key) override;
    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseMove(ShiftState shift, int x, int y) override;
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;

    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The focus came into the grid or its editor, or left both.
    void FocusChange(QFocusEvent* e, bool in);

    TCustomGrid* grid_;
    bool focusInside_ = false;
};

}  // namespace ui

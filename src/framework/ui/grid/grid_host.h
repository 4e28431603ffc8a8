// The widget of a grid component: the string grid widget whose hooks the
// component (TCustomGrid) answers, set up with the component as its owner.
// The widget runs every hook guarded, so an exception of a handler ends at
// the application's exception box, not in the toolkit.  Besides, it turns
// the widget's focus, look and cancel-mode notices into the component's.
#pragma once

#include "framework/ui/grid/string_grid_widget.h"

class TCustomGrid;

namespace ui {

class GridHost : public StringGridWidget {
public:
    explicit GridHost(TCustomGrid* grid);
    // The component is going: the widget reports to nobody any more.
    void Detach() {
        grid_ = nullptr;
        SetHooks(nullptr);
    }

    Canvas* PaintCanvas() { return IsPainting() ? &GetCanvas() : nullptr; }

    // The widget's own handling of the cancel mode.
    void BaseCancelMode() { GridWidget::CancelMode(nullptr); }

protected:
    void CancelMode(QWidget* cause) override;
    void EditorMade(InplaceEditor* editor) override;

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

// The bridge between a control and its widget: it watches the widget's
// input and geometry and turns them into the control's events.
#pragma once

#include "framework/ui/control_types.h"

#include <QObject>
#include <QPoint>

class QWidget;
class TControl;
class TWinControl;

namespace ui {

class ControlBridge : public QObject {
public:
    ControlBridge(TControl* control, QWidget* widget);
    // The control is going: the widget's events reach nobody any more.
    void Detach() { control_ = nullptr; }
    TControl* Control() const { return control_; }

    bool eventFilter(QObject* watched, QEvent* event) override;

    // Drag and drop between controls, run by the mouse of the source.
    static void BeginDrag(TControl* source, bool immediately);
    static bool Dragging(const TControl* source);
    static void CancelDrag(const TControl* control);

private:
    bool MouseEvent(QEvent* event);
    bool KeyEvent(QEvent* event);
    // Tab (without Ctrl and Alt) walks the form's tab order unless the
    // control wants it; true when it did.
    bool TabWalk(TWinControl* win, uint16_t key, ShiftState shift);

    TControl* control_;
    QWidget* widget_;
    bool leftPressed_ = false;
    bool sendingReplacement_ = false;
};

}  // namespace ui

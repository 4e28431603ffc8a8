// The bridge between a control and its widget: it watches the widget's
// input and geometry and turns them into the control's events.
#pragma once

#include "framework/ui/core/control_types.h"

#include <QObject>
#include <QPoint>

class QKeyEvent;
class TWinControl;
class QWidget;
class TControl;

namespace ui {

class ControlBridge : public QObject {
public:
    ControlBridge(TControl* control, QWidget* widget);
    // The control is going: the widget's events reach nobody any more.
    void Detach() { control_ = nullptr; }
    TControl* Control() const { return control_; }

    bool eventFilter(QObject* watched, QEvent* event) override;
    // Mouse input of an inner widget (a list's viewport) counts as the
    // control's, in the control's coordinates.
    void WatchMouseOf(QWidget* inner);

    // Drag and drop between controls, run by the mouse of the source.
    static void BeginDrag(TControl* source, bool immediately);
    static bool Dragging(const TControl* source);
    static void CancelDrag(const TControl* control);

private:
    bool MouseEvent(QWidget* receiver, QEvent* event);
    // Menu shortcuts and the dialog keys of the control's window; true
    // when they took the key.
    bool WindowKeys(TWinControl* win, QKeyEvent* e);
    bool KeyEvent(QEvent* event);

    TControl* control_;
    QWidget* widget_;
    QWidget* inner_ = nullptr;
    bool leftPressed_ = false;
    bool entered_ = false;
    bool sendingReplacement_ = false;
};

}  // namespace ui

#include "framework/ui/controls/popup_list_box.h"

#include <QAbstractScrollArea>
#include <QMouseEvent>
#include <QWidget>

namespace {

// Only the left button chooses an item: the toolkit's list would choose on
// a press of any button.  The control still hears every button (its own
// watch on the items comes first).
class LeftButtonOnly : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return static_cast<QMouseEvent*>(e)->button() != Qt::LeftButton;
        default:
            return false;
        }
    }
};

}  // namespace

TANSU_IMPLEMENT_CLASS(TPopupListBox)
void TPopupListBox::DeclarePublished(TClassBuilder<TPopupListBox>&) {}

TPopupListBox::TPopupListBox(TComponent* owner) : TListBox(owner) {
    SetTabStop(false);
    SetVisible(false);
}

QWidget* TPopupListBox::CreateWidget() {
    QWidget* w = TListBox::CreateWidget();
    w->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setFocusPolicy(Qt::NoFocus);
    static_cast<QAbstractScrollArea*>(w)->viewport()->installEventFilter(new LeftButtonOnly(w));
    return w;
}

void TPopupListBox::PlaceAt(int screenX, int screenY, int width, int height) {
    SetBounds(screenX, screenY, width, height);
    Widget()->raise();
}

#include "framework/ui/controls/popup_list_box.h"

#include <QWidget>

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
    return w;
}

void TPopupListBox::PlaceAt(int screenX, int screenY, int width, int height) {
    SetBounds(screenX, screenY, width, height);
    Widget()->raise();
}

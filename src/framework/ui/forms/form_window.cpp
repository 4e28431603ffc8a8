#include "framework/ui/forms/form_window.h"

#include "framework/ui/core/event_guard.h"
#include "framework/ui/forms/form.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QWindow>

namespace ui {

FormWindow::FormWindow(TForm* form) : QWidget(nullptr, Qt::Window), form_(form), client_(new QWidget(this)) {}

FormWindow::~FormWindow() {
    // The bar belongs to its menu, which may outlive this window.
    if (menuBar_) menuBar_->setParent(nullptr);
}

void FormWindow::SetMenuBar(QMenuBar* bar) {
    if (bar == menuBar_) return;
    if (menuBar_) {
        menuBar_->hide();
        menuBar_->setParent(nullptr);
    }
    menuBar_ = bar;
    if (bar) {
        bar->setParent(this);
        bar->show();
    }
    Layout();
}

int FormWindow::MenuBarHeight() const { return menuBar_ ? menuBar_->sizeHint().height() : 0; }

void FormWindow::Layout() {
    int bar = MenuBarHeight();
    if (menuBar_) menuBar_->setGeometry(0, 0, width(), bar);
    client_->setGeometry(0, bar, width(), std::max(0, height() - bar));
}

void FormWindow::resizeEvent(QResizeEvent* e) {
    Layout();
    QWidget::resizeEvent(e);
}

void FormWindow::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    if (form_) form_->WindowMoved(x(), y());
}

void FormWindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    WatchWindow();
    if (form_ && !e->spontaneous()) {
        TForm* form = form_;
        RunGuarded([form] { form->WindowShown(); });
    }
}

void FormWindow::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    if (form_ && !e->spontaneous()) {
        TForm* form = form_;
        RunGuarded([form] { form->WindowHidden(); });
    }
}

void FormWindow::closeEvent(QCloseEvent* e) {
    // The form decides, and hides itself when it closes.
    e->ignore();
    if (form_) {
        TForm* form = form_;
        RunGuarded([form] { form->WindowCloseRequested(); });
    }
}

void FormWindow::WatchWindow() {
    if (watching_ || !windowHandle()) return;
    windowHandle()->installEventFilter(this);
    watching_ = true;
}

bool FormWindow::eventFilter(QObject* watched, QEvent* e) {
    if (form_ && watched == windowHandle() && e->type() == QEvent::MouseButtonPress) {
        QPoint at = static_cast<QMouseEvent*>(e)->position().toPoint();
        QWidget* target = childAt(at);
        // A press on the menu bar opens a menu, which tells the form itself.
        bool onBar = menuBar_ && target && (target == menuBar_ || menuBar_->isAncestorOf(target));
        if (!onBar) {
            TForm* form = form_;
            TControl* cause = TControl::FromWidget(target ? target : this);
            RunGuarded([form, cause] { form->NotifyCancelMode(cause); });
        }
    }
    return QWidget::eventFilter(watched, e);
}

}  // namespace ui

// The toolkit window of a form: a top-level widget with the menu bar on top
// and the client area below it, which passes its showing, hiding, moving and
// closing on to the form.  Presses of the mouse anywhere in the window reach
// it first (on its QWindow), so the form can tell its active control.
#pragma once

#include <QPointer>
#include <QWidget>

class QMenuBar;
class TForm;

namespace ui {

class FormWindow : public QWidget {
public:
    explicit FormWindow(TForm* form);
    ~FormWindow() override;

    // The form is going: nothing reaches it any more.
    void Detach() { form_ = nullptr; }
    QWidget* Client() const { return client_; }
    // The menu bar shown on top (null for none); the window does not own it.
    void SetMenuBar(QMenuBar* bar);
    QMenuBar* MenuBar() const { return menuBar_; }
    int MenuBarHeight() const;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Layout();
    void WatchWindow();

    TForm* form_;
    QWidget* client_;
    QPointer<QMenuBar> menuBar_;
    bool watching_ = false;
};

}  // namespace ui

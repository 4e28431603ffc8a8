#include "framework/ui/modal/message_box.h"

#include <QApplication>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "framework/ui/modal/message_box_flags.h"
#include "framework/ui/graphics/qt_text.h"

#include <algorithm>

namespace ui {

std::vector<int> MessageBoxButtons(unsigned flags) {
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
    }
}

std::string MessageBoxButtonText(int answer) {
    switch (answer) {
    case IDOK: return "OK";
    case IDCANCEL: return "キャンセル";
    case IDABORT: return "中止(&A)";
    case IDRETRY: return "再試行(&R)";
    case IDIGNORE: return "無視(&I)";
    case IDYES: return "はい(&Y)";
    case IDNO: return "いいえ(&N)";
    default: return "";
    }
}

int MessageBoxEscapeAnswer(unsigned flags) {
    std::vector<int> buttons = MessageBoxButtons(flags);
    for (int b : buttons)
        if (b == IDCANCEL) return IDCANCEL;
    return buttons.size() == 1 ? buttons.front() : 0;
}

int MessageBoxFallbackAnswer(unsigned flags) {
    int escape = MessageBoxEscapeAnswer(flags);
    return escape != 0 ? escape : MessageBoxButtons(flags).back();
}

QWidget* MessageBoxOwner(QWidget* parent) {
    if (!parent) parent = QApplication::activeModalWidget();
    if (!parent) parent = QApplication::activeWindow();
    if (!parent) {
        // Without a window manager nothing is active: the program's window
        // that shows is the owner.
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w->windowType() == Qt::Window) {
                parent = w;
                break;
            }
        }
    }
    return parent ? parent->window() : nullptr;
}

void CentreOnOwner(QWidget& dialog, const QWidget* owner) {
    QRect area = owner ? owner->frameGeometry() : QRect();
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    QRect available = screen ? screen->availableGeometry() : QRect();
    if (area.isEmpty()) area = available;
    if (area.isEmpty()) return;
    // The frame's size where the window system has told it, so the title
    // bar counts too.
    QSize frame = dialog.frameGeometry().size().expandedTo(dialog.size());
    QRect placed(QPoint(), frame);
    placed.moveCenter(area.center());
    // Kept on the screen, the title bar first.
    if (!available.isEmpty()) {
        placed.moveRight(std::min(placed.right(), available.right()));
        placed.moveBottom(std::min(placed.bottom(), available.bottom()));
        placed.moveLeft(std::max(placed.left(), available.left()));
        placed.moveTop(std::max(placed.top(), available.top()));
    }
    dialog.move(placed.topLeft());
}

namespace {

// The box takes its final size only as it shows; it is centred then.
class CentredMessageBox : public QMessageBox {
public:
    explicit CentredMessageBox(QWidget* owner) : QMessageBox(owner), owner_(owner) {}

protected:
    void showEvent(QShowEvent* e) override {
        QMessageBox::showEvent(e);
        CentreOnOwner(*this, owner_);
    }

private:
    QWidget* owner_;
};

}  // namespace

int RunQtMessageBox(std::string_view text, std::string_view caption, unsigned flags, QWidget* parent) {
    QWidget* owner = MessageBoxOwner(parent);
    CentredMessageBox box(owner);
    // A fixed dialog window: a title and (where Esc answers) a close box,
    // nothing to minimise, maximise or resize.
    Qt::WindowFlags frame = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint;
    if (MessageBoxEscapeAnswer(flags) != 0) frame |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    box.setWindowFlags(frame);
    box.setWindowTitle(ToQt(caption));
    box.setTextFormat(Qt::PlainText);
    box.setText(ToQt(text));
    switch (flags & MB_ICONMASK) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }

    // All buttons take one role, so the box keeps them in our order; the
    // escape button is then only the one we name.
    std::vector<int> answers = MessageBoxButtons(flags);
    std::vector<QPushButton*> buttons;
    for (int answer : answers)
        buttons.push_back(box.addButton(ToQt(MessageBoxButtonText(answer)), QMessageBox::ActionRole));
    size_t def = (flags & MB_DEFMASK) >> 8;
    box.setDefaultButton(buttons[def < buttons.size() ? def : 0]);
    int escape = MessageBoxEscapeAnswer(flags);
    for (size_t i = 0; i < answers.size(); ++i)
        if (answers[i] == escape) box.setEscapeButton(buttons[i]);

    box.layout()->setSizeConstraint(QLayout::SetFixedSize);
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return answers[i];
    return MessageBoxFallbackAnswer(flags);
}

}  // namespace ui

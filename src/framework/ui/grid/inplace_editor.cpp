#include "framework/ui/grid/inplace_editor.h"

#include "framework/ui/grid/grid_widget.h"
#include "framework/ui/graphics/qt_text.h"
#include "framework/ui/core/qt_input.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace ui {

InplaceEditor::InplaceEditor(GridWidget* grid) : MaskLineEdit(grid->viewport()), grid_(grid) {
    setFrame(false);
    hide();
}

InplaceEditor::~InplaceEditor() = default;

std::optional<std::string> InplaceEditor::Text() const {
    if (IsMasked()) return MaskLineEdit::Text();
    return FromQt(text());
}

void InplaceEditor::SetText(std::string_view cp932) { MaskLineEdit::SetText(cp932); }

void InplaceEditor::LoadText(std::string_view cp932) {
    original_ = cp932;
    SetText(cp932);
    loaded_ = Text();
}

bool InplaceEditor::Changed() const { return Text() != loaded_; }

void InplaceEditor::Revert() { SetText(original_); }

void InplaceEditor::MarkUnchanged() {
    loaded_ = Text();
    if (loaded_) original_ = *loaded_;
}

void InplaceEditor::TypeOver(const QString& text) {
    selectAll();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    MaskLineEdit::keyPressEvent(&press);
}

void InplaceEditor::SetTextRect(const Rect& rect) {
    textRect_ = rect;
    setTextMargins(std::max(0, rect.left - 2), 0, std::max(0, width() - rect.right - 2), 0);
}

void InplaceEditor::SetCursorShape(CursorShape shape) {
    if (shape == CursorShape::Default)
        unsetCursor();
    else
        setCursor(ToQtCursor(shape));
}

void InplaceEditor::KeyDown(int& key, ShiftState shift) {
    // Left, Right, Home and End leave the text only while the editor is
    // always shown, and only at the edge they point to.
    const bool forward = grid_->HasOption(goAlwaysShowEditor);
    const int len = static_cast<int>(text().size());
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int end = hasSelectedText() ? selectionEnd() : cursorPosition();
    const bool leftSide = start == 0 && (end == 0 || end == len);
    const bool rightSide = (start == 0 || start == end) && end == len;
    bool toGrid = false;
    switch (key) {
        case key::Up:
        case key::Down:
        case key::PageUp:
        case key::PageDown: toGrid = true; break;
        case key::Tab: toGrid = grid_->HasOption(goTabs) && !(shift & kAlt); break;
        case key::Left: toGrid = forward && leftSide; break;
        case key::Right: toGrid = forward && rightSide; break;
        case key::Home: toGrid = (shift & kCtrl) || (forward && leftSide); break;
        case key::End: toGrid = (shift & kCtrl) || (forward && rightSide); break;
        default: break;
    }
    if (!toGrid) return;
    grid_->HookKeyDown(key, shift);
    key = 0;
}

void InplaceEditor::paintEvent(QPaintEvent* e) {
    MaskLineEdit::paintEvent(e);
    QPainter painter(this);
    Canvas canvas(painter);
    PaintOverlay(canvas);
}

void InplaceEditor::focusInEvent(QFocusEvent* e) {
    MaskLineEdit::focusInEvent(e);
    FocusIn();
    grid_->InvalidateGrid();
}

void InplaceEditor::focusOutEvent(QFocusEvent* e) {
    FocusOut();
    // The grid taking the focus back (to hide or move the editor) is no
    // leaving of the field; only a move to another control checks the mask.
    QWidget* next = QApplication::focusWidget();
    if (next && (next == grid_ || grid_->isAncestorOf(next)))
        QLineEdit::focusOutEvent(e);
    else
        MaskLineEdit::focusOutEvent(e);
    grid_->InvalidateGrid();
}

void InplaceEditor::keyPressEvent(QKeyEvent* e) {
    int code = KeyCodeOf(*e);
    if (code != 0) {
        KeyDown(code, ShiftStateOf(*e));
        if (code == 0) {
            e->accept();
            return;
        }
    }
    const QString typed = e->text();
    const auto bytes = typed.isEmpty() ? std::nullopt : FromQt(typed);
    if (!bytes) {
        MaskLineEdit::keyPressEvent(e);
        return;
    }
    // The grid's KeyPress sees every character typed here, byte by byte.
    std::string kept;
    for (char b : *bytes) {
        char ch = b;
        grid_->HookKeyPress(ch);
        if (ch == 0) {
            e->accept();
            return;
        }
        kept.push_back(ch);
    }
    e->accept();
    if (kept == "\r") {
        grid_->EnterKey();
    } else if (kept == "\x1b") {
        grid_->EditorEscape();
    } else if (kept != *bytes) {
        QKeyEvent changed(e->type(), e->key(), e->modifiers(), ToEditQt(kept), e->isAutoRepeat(),
                          static_cast<quint16>(e->count()));
        MaskLineEdit::keyPressEvent(&changed);
    } else {
        MaskLineEdit::keyPressEvent(e);
    }
}

void InplaceEditor::keyReleaseEvent(QKeyEvent* e) {
    int code = KeyCodeOf(*e);
    if (code != 0) {
        KeyUp(code, ShiftStateOf(*e));
        if (code == 0) return;
    }
    MaskLineEdit::keyReleaseEvent(e);
}

void InplaceEditor::mousePressEvent(QMouseEvent* e) {
    MouseButton b;
    if (MouseButtonOf(e->button(), b)) {
        const QPoint p = e->position().toPoint();
        MouseDown(b, ShiftStateOf(*e), p.x(), p.y());
        if (b == MouseButton::Left) leftPressed_ = true;
    }
    MaskLineEdit::mousePressEvent(e);
}

void InplaceEditor::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    MouseMove(ShiftStateOf(*e), p.x(), p.y());
    MaskLineEdit::mouseMoveEvent(e);
}

void InplaceEditor::mouseReleaseEvent(QMouseEvent* e) {
    MouseButton b;
    if (MouseButtonOf(e->button(), b)) {
        const QPoint p = e->position().toPoint();
        if (b == MouseButton::Left) {
            if (leftPressed_ && rect().contains(p)) Click();
            leftPressed_ = false;
        }
        MouseUp(b, ShiftStateOf(*e), p.x(), p.y());
    }
    MaskLineEdit::mouseReleaseEvent(e);
}

bool InplaceEditor::event(QEvent* e) {
    if (e->type() == QEvent::KeyPress && grid_->HasOption(goTabs)) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if ((ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) &&
            !(ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(ke);
            return true;
        }
    }
    // Moving or resizing onto a cell gives the text the whole editor again.
    if (e->type() == QEvent::Move || e->type() == QEvent::Resize) setTextMargins(0, 0, 0, 0);
    return MaskLineEdit::event(e);
}

}  // namespace ui

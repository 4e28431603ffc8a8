#include "framework/ui/controls/mask_line_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QValidator>

#include "framework/ui/core/window_switch.h"
#include "framework/ui/modal/modal_host.h"
#include "framework/ui/graphics/qt_text.h"

namespace ui {

const char* const MaskLineEdit::kInvalidInputMessage = "入力値が不正です. ｴｽｹｰﾌﾟｷｰで変更を取り消せます";

namespace {

// One Qt character per mask position, whatever the bytes of a cell are.
QString DisplayOf(const MaskedText& value) {
    QString whole = ToQt(value.DisplayText());
    if (whole.size() == static_cast<qsizetype>(value.Length())) return whole;
    QString out;
    for (size_t i = 0; i < value.Length(); ++i) {
        QString c = ToQt(value.IsBlank(i) ? value.Mask().Blank() : value.CharAt(i));
        out += c.size() == 1 ? c : QString(QChar(0xFFFD));
    }
    return out;
}

// After a refusal by a click elsewhere, the click itself must not act (the
// focus never really left the field): eats that press and its release.
class ClickSwallower : public QObject {
public:
    explicit ClickSwallower(QWidget* field) : QObject(field), field_(field) {
        qApp->installEventFilter(this);
        QTimer::singleShot(0, this, [this] { Finish(); });
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* e) override {
        bool press = e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick;
        bool release = e->type() == QEvent::MouseButtonRelease;
        if ((!press && !release) || !receiver->isWidgetType() || receiver == field_) return false;
        if (press && !sawPress_) {
            sawPress_ = true;
            return true;
        }
        if (release && sawPress_) {
            Finish();
            return true;
        }
        Finish();
        return false;
    }

private:
    void Finish() {
        if (done_) return;
        done_ = true;
        qApp->removeEventFilter(this);
        deleteLater();
    }

    QWidget* field_;
    bool sawPress_ = false;
    bool done_ = false;
};

bool IsTextKey(const QKeyEvent* e) {
    if (e->text().isEmpty() || !e->text().front().isPrint()) return false;
    Qt::KeyboardModifiers m = e->modifiers();
    // Ctrl without Alt is a shortcut; Ctrl+Alt is AltGr on some keyboards.
    return !(m & Qt::ControlModifier) || (m & Qt::AltModifier);
}

}  // namespace

// Refuses plain input without a cp932 form, and input that makes the text
// longer than the limit.  Escaped bytes of a text that was set pass.
class MaskLineEdit::PlainValidator : public QValidator {
public:
    explicit PlainValidator(MaskLineEdit* edit) : QValidator(edit), edit_(edit) {}

    State validate(QString& input, int&) const override {
        const auto bytes = FromQt(input);
        if (!bytes) return Invalid;
        const size_t limit = static_cast<size_t>(edit_->maxLength_);
        if (limit > 0 && bytes->size() > limit && bytes->size() > edit_->acceptedBytes_) return Invalid;
        return Acceptable;
    }

private:
    MaskLineEdit* edit_;
};

MaskLineEdit::MaskLineEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new PlainValidator(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!IsMasked()) {
            const auto bytes = FromQt(text);
            acceptedBytes_ = bytes ? bytes->size() : 0;
        }
        RefitChangedDisplay(text);
    });
}

void MaskLineEdit::SetMaxLength(int bytes) { maxLength_ = std::max(0, bytes); }

void MaskLineEdit::SetEditMask(std::string_view maskText) {
    std::string current = IsMasked() ? value_.EditText() : Text();
    value_ = MaskedText(EditMask(maskText));
    setAcceptDrops(!IsMasked());
    SetText(current);
}

void MaskLineEdit::SetText(std::string_view cp932) {
    value_.SetText(cp932);
    baseline_ = value_;
    if (IsMasked()) {
        Show(value_.Mask().NextEditable(0));
    } else {
        updating_ = true;
        QLineEdit::setText(ToEditQt(cp932));
        updating_ = false;
    }
    setModified(false);
}

std::string MaskLineEdit::Text() const {
    if (IsMasked()) return value_.Text();
    // The validator lets in only characters with a cp932 form.
    return FromQt(QLineEdit::text()).value_or(std::string());
}

std::string MaskLineEdit::EditText() const { return IsMasked() ? value_.EditText() : Text(); }

bool MaskLineEdit::ValidateEdit() {
    if (!IsMasked() || value_ == baseline_) return true;
    if (auto bad = value_.FirstInvalid()) {
        Refuse(*bad, false);
        return false;
    }
    baseline_ = value_;
    return true;
}

void MaskLineEdit::Undo() {
    if (!IsMasked()) {
        undo();
        return;
    }
    value_ = baseline_;
    Show(value_.Mask().NextEditable(0));
    selectAll();
}

size_t MaskLineEdit::Caret() const {
    return static_cast<size_t>(hasSelectedText() ? selectionStart() : cursorPosition());
}

void MaskLineEdit::Show(size_t caret) {
    QString display = DisplayOf(value_);
    updating_ = true;
    if (display != QLineEdit::text()) QLineEdit::setText(display);
    updating_ = false;
    deselect();
    setCursorPosition(static_cast<int>(caret));
}

// Anything that changed the display behind the mask's back (a drop, a
// middle-click paste, a plain setText) is taken back through the mask.
void MaskLineEdit::RefitChangedDisplay(const QString& display) {
    if (updating_ || !IsMasked()) return;
    QString spaced = display;
    spaced.replace(ToQt(value_.Mask().Blank()), QStringLiteral(" "));
    if (auto text = FromQt(spaced)) value_.SetText(*text);
    Show(value_.Mask().NextEditable(static_cast<size_t>(cursorPosition())));
}

void MaskLineEdit::TypeText(const QString& text) {
    MaskedText next = value_;
    size_t caret = Caret();
    if (hasSelectedText()) next.Clear(caret, caret + static_cast<size_t>(selectedText().size()));
    bool typed = false;
    bool refused = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        auto ch = FromQt(text.mid(i, n));
        i += n - 1;
        std::optional<size_t> after = ch ? next.Type(caret, *ch) : std::nullopt;
        if (!after) {
            refused = true;
            break;
        }
        caret = *after;
        typed = true;
    }
    if (refused) ModalHost::Instance().Beep();
    if (!typed) return;
    value_ = std::move(next);
    Show(caret);
}

void MaskLineEdit::ClearSelected() {
    size_t from = static_cast<size_t>(selectionStart());
    value_.Clear(from, from + static_cast<size_t>(selectedText().size()));
    Show(from);
}

void MaskLineEdit::Cut() {
    if (!hasSelectedText()) return;
    copy();
    ClearSelected();
}

void MaskLineEdit::PasteClipboard() { TypeText(QGuiApplication::clipboard()->text()); }

// The keys that change a masked text; false for the others (navigation,
// copy, Enter...), which the plain edit handles.
bool MaskLineEdit::HandleEditKey(QKeyEvent* e) {
    const EditMask& m = value_.Mask();
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    if ((e->key() == Qt::Key_Left || e->key() == Qt::Key_Right) && !shift) {
        size_t pos = static_cast<size_t>(cursorPosition());
        if (hasSelectedText()) {
            pos = static_cast<size_t>(e->key() == Qt::Key_Left ? selectionStart() : selectionEnd());
        } else if (e->key() == Qt::Key_Right) {
            pos = m.NextEditable(std::min(pos + 1, m.Length()));
        } else {
            pos = m.PrevEditable(pos).value_or(m.NextEditable(0));
        }
        Show(pos);
        return true;
    }
    if (e->key() == Qt::Key_Home && !shift) {
        Show(m.NextEditable(0));
        return true;
    }
    if (isReadOnly()) return false;
    if (e->matches(QKeySequence::Undo)) {
        Undo();
        return true;
    }
    if (e->matches(QKeySequence::Redo)) return true;
    if (e->matches(QKeySequence::Cut)) {
        Cut();
        return true;
    }
    if (e->matches(QKeySequence::Paste)) {
        PasteClipboard();
        return true;
    }
    if (e->matches(QKeySequence::DeleteCompleteLine)) {
        value_.Clear(0, m.Length());
        Show(m.NextEditable(0));
        return true;
    }
    if (e->matches(QKeySequence::DeleteEndOfLine)) {
        size_t from = Caret();
        value_.Clear(from, m.Length());
        Show(from);
        return true;
    }
    if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete) {
        if (hasSelectedText()) {
            ClearSelected();
        } else if (e->key() == Qt::Key_Backspace) {
            if (auto p = m.PrevEditable(static_cast<size_t>(cursorPosition()))) {
                value_.Clear(*p);
                Show(*p);
            }
        } else {
            size_t p = m.NextEditable(static_cast<size_t>(cursorPosition()));
            if (p < m.Length()) {
                value_.Clear(p);
                Show(p);
            }
        }
        return true;
    }
    if (IsTextKey(e)) {
        TypeText(e->text());
        return true;
    }
    return false;
}

bool MaskLineEdit::event(QEvent* e) {
    // Esc that undoes a change must reach the field before any shortcut
    // (a dialog's Cancel); an unchanged field lets Esc go on.
    if (e->type() == QEvent::ShortcutOverride && IsMasked()) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Escape && value_ != baseline_) {
            e->accept();
            return true;
        }
    }
    return QLineEdit::event(e);
}

void MaskLineEdit::keyPressEvent(QKeyEvent* e) {
    if (!IsMasked()) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        if (value_ != baseline_) {
            Undo();
            e->accept();
        } else {
            e->ignore();
        }
        return;
    }
    if (HandleEditKey(e)) {
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void MaskLineEdit::inputMethodEvent(QInputMethodEvent* e) {
    if (!IsMasked() || isReadOnly() || e->commitString().isEmpty()) {
        if (!IsMasked() || e->commitString().isEmpty()) QLineEdit::inputMethodEvent(e);
        return;
    }
    // The composition shows as usual; the committed text is typed through
    // the mask.
    QInputMethodEvent preedit(e->preeditString(), e->attributes());
    QLineEdit::inputMethodEvent(&preedit);
    TypeText(e->commitString());
    e->accept();
}

// The focus coming back with its window (after a message box, a menu, or
// another application) does not enter the field anew.
void MaskLineEdit::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    if (IsMasked() && !refusing_ && !IsWindowSwitch(e->reason())) baseline_ = value_;
}

// Only a move to another control of this window leaves the field; another
// window coming up (a message box, a menu) does not.
static bool LeavesForControl(const QWidget* field, Qt::FocusReason reason) {
    if (IsWindowSwitch(reason)) return false;
    QWidget* next = QApplication::focusWidget();
    return next && next->window() == field->window() && field->isVisible();
}

bool MaskLineEdit::LeavingRefused(Qt::FocusReason reason) const {
    if (!IsMasked() || isReadOnly() || refusing_ || value_ == baseline_) return false;
    return LeavesForControl(this, reason) && value_.FirstInvalid().has_value();
}

void MaskLineEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (!IsMasked() || isReadOnly() || refusing_ || value_ == baseline_) return;
    Qt::FocusReason reason = e->reason();
    if (!LeavesForControl(this, reason)) return;
    if (auto bad = value_.FirstInvalid()) {
        Refuse(*bad, reason == Qt::MouseFocusReason);
        return;
    }
    baseline_ = value_;
}

void MaskLineEdit::Refuse(size_t pos, bool byMouse) {
    refusing_ = true;
    ModalHost& host = ModalHost::Instance();
    host.Beep();
    host.ShowError(kInvalidInputMessage);
    setFocus(Qt::OtherFocusReason);
    Show(pos);
    refusing_ = false;
    if (byMouse) new ClickSwallower(this);
}

void MaskLineEdit::mouseReleaseEvent(QMouseEvent* e) {
    // The middle-button paste would go around the mask.
    if (IsMasked() && e->button() == Qt::MiddleButton) {
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void MaskLineEdit::contextMenuEvent(QContextMenuEvent* e) {
    // Our own menu, so that its texts are Japanese.
    QMenu menu(this);
    const bool editable = !isReadOnly();
    const bool selected = hasSelectedText();
    QAction* undoAction = menu.addAction(ToQt("元に戻す(&U)"), this, [this] { Undo(); });
    undoAction->setEnabled(editable && (IsMasked() ? Modified() : isUndoAvailable()));
    menu.addSeparator();
    menu.addAction(ToQt("切り取り(&T)"), this, [this] { IsMasked() ? Cut() : cut(); })->setEnabled(editable && selected);
    menu.addAction(ToQt("コピー(&C)"), this, [this] { copy(); })->setEnabled(selected);
    menu.addAction(ToQt("貼り付け(&P)"), this, [this] { IsMasked() ? PasteClipboard() : paste(); })
        ->setEnabled(editable && !QGuiApplication::clipboard()->text().isEmpty());
    menu.addAction(ToQt("削除(&D)"), this, [this] { IsMasked() ? ClearSelected() : del(); })
        ->setEnabled(editable && selected);
    menu.addSeparator();
    menu.addAction(ToQt("すべて選択(&A)"), this, [this] { selectAll(); })->setEnabled(!QLineEdit::text().isEmpty());
    menu.exec(e->globalPos());
}

}  // namespace ui

// A single-line edit driven by the edit-mask engine (Qt's own input masks
// speak another language and are not used).  With a mask, what the field
// holds is always its masked text: typing overwrites positions, the caret
// steps over literals, Backspace and Delete blank positions, and when the
// focus moves to another control of the window a changed field with a
// required position unfilled is refused: a beep, the error message, and the
// focus back at the first offending position.  Esc undoes the change (back
// to the text the field had when it was entered or last validated).  A
// field the user has not changed is never refused.  Without a mask it is a
// plain edit that takes only characters with a cp932 form, keeps every byte
// of a text it was given (bytes without a character travel as escapes, see
// qt_text.h), and may limit the text's length in cp932 bytes.
//
// Texts cross as cp932; the display is UTF-16 with one character per mask
// position.  Beeps and messages go through ModalHost.
#pragma once

#include <QLineEdit>
#include <optional>
#include <string>
#include <string_view>

#include "framework/edit_mask.h"

namespace ui {

class MaskLineEdit : public QLineEdit {
    Q_OBJECT
public:
    // The message of a refused field (cp932).
    static const char* const kInvalidInputMessage;

    explicit MaskLineEdit(QWidget* parent = nullptr);

    // Sets the mask text ("" for none); the current text is fitted to it.
    void SetEditMask(std::string_view maskText);
    const std::string& MaskText() const { return value_.Mask().MaskText(); }
    bool IsMasked() const { return !value_.Mask().Empty(); }

    // Sets the field's text (fitted to the mask); the field is unchanged
    // afterwards.
    void SetText(std::string_view cp932);
    // The field's text: with a mask the masked text (literals as the mask
    // says); without, the plain text.
    std::string Text() const;
    // The masked text with literals, blanks as spaces.
    std::string EditText() const;

    // Longest text in cp932 bytes without a mask; 0 for no limit.  A longer
    // text that was set stays; the user may shorten it but not lengthen it.
    void SetMaxLength(int bytes);
    int MaxLength() const { return maxLength_; }

    // Whether the content differs from the text at entering, at the last
    // validation or at the last SetText.
    bool Modified() const { return IsMasked() ? value_ != baseline_ : isModified(); }
    // The first required position left blank, if any.
    std::optional<size_t> FirstInvalid() const { return value_.FirstInvalid(); }
    // Checks a changed field as leaving it does: true when accepted (the
    // field counts as unchanged then); otherwise refuses it and answers
    // false.
    bool ValidateEdit();
    // Back to the text of entering or of the last validation.
    void Undo();
    // Whether the focus, now moving away for `reason`, is refused (and
    // comes back): a changed masked field left for another control of its
    // window with a required position unfilled.
    bool LeavingRefused(Qt::FocusReason reason) const;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    class PlainValidator;
    size_t Caret() const;
    void Show(size_t caret);
    void TypeText(const QString& text);
    void ClearSelected();
    void Cut();
    void PasteClipboard();
    bool HandleEditKey(QKeyEvent* e);
    void Refuse(size_t pos, bool byMouse);
    void RefitChangedDisplay(const QString& display);

    MaskedText value_;
    MaskedText baseline_;
    bool refusing_ = false;
    bool updating_ = false;
    int maxLength_ = 0;
    size_t acceptedBytes_ = 0;  // length of the last accepted plain text
};

}  // namespace ui

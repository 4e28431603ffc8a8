// The grid's in-place editor: a one-line masked edit over the current cell,
// made by the grid's CreateEditor and placed, loaded and written back by the
// grid.  With an edit mask, typing goes through the mask engine of
// MaskLineEdit.  Without one it edits cp932 texts without losing a byte:
// what it loads comes back unchanged unless the user changes it, and it
// accepts only input that has a cp932 form and fits the length limit
// (counted in cp932 bytes).  Either way a cell the user did not change is
// never written back.
//
// The mask's completeness is checked (and an incomplete text refused) when
// the focus leaves for another control of the window, not when the editor
// moves from cell to cell with the grid.
//
// Components that extend the editor subclass it and use the protected
// steps: PaintOverlay draws over the edit, the key and mouse steps see the
// input first, FocusIn and FocusOut follow the focus.
#pragma once

#include "framework/ui/graphics/canvas.h"
#include "framework/ui/graphics/graphics_types.h"
#include "framework/ui/core/input_types.h"
#include "framework/ui/controls/mask_line_edit.h"

#include <optional>
#include <string>
#include <string_view>

namespace ui {

class GridWidget;

class InplaceEditor : public MaskLineEdit {
    Q_OBJECT

public:
    // A child of the grid's cell area, hidden until the grid shows it.
    explicit InplaceEditor(GridWidget* grid);
    ~InplaceEditor() override;

    GridWidget* Grid() const { return grid_; }

    // The text as cp932 (with a mask: the masked text); nullopt only if a
    // program set a text without a cp932 form.
    std::optional<std::string> Text() const;
    // Sets the text (fitted to the mask, if any).
    void SetText(std::string_view cp932);
    // Sets the text and makes it the one Changed and Revert refer to.
    void LoadText(std::string_view cp932);
    bool Changed() const;
    void Revert();
    // The current text becomes the loaded one (after it was written back).
    void MarkUnchanged();
    void SelectAll() { selectAll(); }
    // Types `text` over the whole content, as the first key typed into a
    // cell does (through the mask, if any).
    void TypeOver(const QString& text);

    // The edit mask in the language of edit_mask.h, "" for none.  Set it
    // before the text: the text is fitted to the mask.
    using MaskLineEdit::SetEditMask;
    const std::string& EditMask() const { return MaskText(); }
    // The length limit of a field without mask (MaskLineEdit::SetMaxLength).
    using MaskLineEdit::MaxLength;
    using MaskLineEdit::SetMaxLength;

    // The area the text lies in, in the editor's coordinates (the edit
    // keeps its own 2-pixel margin inside it).
    void SetTextRect(const Rect& rect);
    void SetCursorShape(CursorShape shape);

protected:
    // Runs after the edit has painted itself.
    virtual void PaintOverlay(Canvas& /*canvas*/) {}
    virtual void FocusIn() {}
    virtual void FocusOut() {}
    // The base hands the keys that move between cells to the grid (Up,
    // Down, PageUp, PageDown, Tab with goTabs, Left at the start and Right
    // at the end of the text, Ctrl+Home and Ctrl+End) and clears the key.
    // A key left non-zero goes to the edit.
    virtual void KeyDown(int& key, ShiftState shift);
    virtual void KeyUp(int& /*key*/, ShiftState /*shift*/) {}
    // Mouse steps run before the edit's own handling.
    virtual void MouseDown(MouseButton /*button*/, ShiftState /*shift*/, int /*x*/, int /*y*/) {}
    virtual void MouseMove(ShiftState /*shift*/, int /*x*/, int /*y*/) {}
    virtual void MouseUp(MouseButton /*button*/, ShiftState /*shift*/, int /*x*/, int /*y*/) {}
    // A left-button release inside the editor after a press on it; runs
    // before MouseUp.
    virtual void Click() {}

    void paintEvent(QPaintEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool event(QEvent* e) override;

private:
    GridWidget* grid_;
    std::string original_;              // the text as loaded
    std::optional<std::string> loaded_;  // what Text() gave right after loading
    bool leftPressed_ = false;
    Rect textRect_;
};

}  // namespace ui

// The grid's in-place editor as a component: a windowed control around the
// toolkit's one-line editor (InplaceEditor), owned by its grid, made by the
// grid's CreateInplaceEdit.  The grid places, loads and writes it back; a
// component that extends the editor overrides the steps below and never
// sees the toolkit.
//
// Input reaches the steps once each: KeyDown and KeyUp (the base raises the
// events, then hands the keys that move between cells to the grid),
// MouseDown, MouseMove, MouseUp and Click (a left release inside the editor
// after a press on it, before its MouseUp), FocusIn and FocusOut, and Paint
// after the edit has drawn itself.  Keys that belong to the window (menu
// shortcuts, dialog keys) are the grid's window's, as if the grid had them.
#pragma once

#include "framework/ui/core/control.h"
#include "framework/ui/graphics/graphics_types.h"

#include <string>

class TCustomGrid;
namespace ui {
class Canvas;
class InplaceEditor;
class InplaceEditHost;
}  // namespace ui

class TInplaceEdit : public TWinControl {
    TANSU_CLASS(TInplaceEdit, TWinControl)
public:
    explicit TInplaceEdit(TCustomGrid* grid);
    ~TInplaceEdit() override;

    TCustomGrid* Grid() const { return grid_; }

    // The edited cp932 text (with a mask: the masked text).
    std::string Text() const override;
    void SetText(const std::string& text) override;
    void SelectAll();
    // The edit mask ("" for none) and the length limit in cp932 bytes of a
    // field without mask (0: none).
    std::string EditMask() const;
    void SetEditMask(const std::string& mask);
    int MaxLength() const;
    void SetMaxLength(int length);
    // The area the text lies in, in the editor's coordinates; the editor
    // sets it back to its whole width whenever it moves or is resized.
    void SetTextRect(const ui::Rect& rect);
    void SetCursorShape(ui::CursorShape shape);
    // Asks for a repaint of the editor.
    void Invalidate();

    // The toolkit widget, for the grid's mechanics.
    ui::InplaceEditor* EditorWidget();

    // ---- Steps.
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyUp(uint16_t& key, TShiftState shift) override;

    bool WidgetReportsInput() const override { return true; }
    bool WantsKey(uint16_t key, TShiftState shift) const override;
    bool IsShortCut(uint16_t key, TShiftState shift) override;
    bool DialogKey(TWinControl* focused, uint16_t key, TShiftState shift) override;

protected:
    // Runs after the edit has painted itself; Canvas() is there meanwhile.
    virtual void Paint() {}
    virtual void FocusIn() {}
    virtual void FocusOut() {}
    // The drawing surface, while Paint runs; EInvalidOperation otherwise.
    ui::Canvas& Canvas();

    QWidget* CreateWidget() override;
    void InitWidget() override;

private:
    friend class ui::InplaceEditHost;
    ui::InplaceEditHost* Host() const;

    TCustomGrid* grid_;
    ui::Canvas* canvas_ = nullptr;
};

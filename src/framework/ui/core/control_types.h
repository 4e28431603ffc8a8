// What the framework's controls have in common besides the classes: the
// event signatures (with the arguments the control arrays forward), shift
// states, mouse buttons, alignment in the parent and drag states.
#pragma once

#include "framework/published.h"
#include "framework/ui/graphics/graphics_types.h"
#include "framework/ui/core/input_types.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class TFiler;

using TShiftState = ui::ShiftState;
using TMouseButton = ui::MouseButton;
using TColor = int64_t;  // see ColorToCode

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum class TDragMode { dmManual, dmAutomatic };
// Which scroll bars a scrolling control (grid, memo, list) shows.
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// What travels with a drag; controls may give their own in OnStartDrag.
class TDragObject : public TObject {
    TANSU_CLASS(TDragObject, TObject)
public:
    TDragObject() = default;
};

using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = TEvent<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = TEvent<void(TObject* Sender, char& Key)>;
using TDragOverEvent = TEvent<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = TEvent<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = TEvent<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDragEvent = TEvent<void(TObject* Sender, TDragObject*& DragObject)>;
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;

// Colours as stored in forms: an RGB value 0xRRGGBB, or a system colour as
// 0x80000000 plus its number.
TColor ColorToCode(ui::Color color);
ui::Color CodeToColor(TColor code);
inline constexpr TColor clBtnFace = 0x80000000 + static_cast<int>(ui::SystemColor::ButtonFace);
inline constexpr TColor clWindow = 0x80000000 + static_cast<int>(ui::SystemColor::Window);
inline constexpr TColor clWindowText = 0x80000000 + static_cast<int>(ui::SystemColor::WindowText);
inline constexpr TColor clBtnShadow = 0x80000000 + static_cast<int>(ui::SystemColor::ButtonShadow);
inline constexpr TColor clBtnHighlight = 0x80000000 + static_cast<int>(ui::SystemColor::ButtonHighlight);
inline constexpr TColor clBtnText = 0x80000000 + static_cast<int>(ui::SystemColor::ButtonText);
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;

// Colours by the names stored forms use ("clBtnFace", "clRed"...).  The
// ident of a colour without a name is empty.
bool IdentToColor(std::string_view ident, TColor& color);
std::string ColorToIdent(TColor color);
// Custom stored data of a colour property: a name where the colour has one,
// otherwise its code.
void DefineColorProperty(TFiler& filer, const std::string& name, const std::function<TColor()>& get,
                         const std::function<void(TColor)>& set, bool hasData);

// Messages a control can be sent with Perform.
struct TMessage {
    uint32_t Msg = 0;
    intptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};
inline constexpr uint32_t WM_NEXTDLGCTL = 0x28;

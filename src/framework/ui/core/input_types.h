// Keyboard and mouse input as the components see it: key codes, the shift
// state and the mouse buttons, free of toolkit types.
#pragma once

#include <cstdint>

namespace ui {

// Key codes of the key-down and key-up events.  Letters and digits are
// their upper-case ASCII codes ('A', '7').
namespace key {
inline constexpr int Back = 0x08;
inline constexpr int Tab = 0x09;
inline constexpr int Return = 0x0D;
inline constexpr int Shift = 0x10;
inline constexpr int Control = 0x11;
inline constexpr int Alt = 0x12;
inline constexpr int Escape = 0x1B;
inline constexpr int Space = 0x20;
inline constexpr int PageUp = 0x21;
inline constexpr int PageDown = 0x22;
inline constexpr int End = 0x23;
inline constexpr int Home = 0x24;
inline constexpr int Left = 0x25;
inline constexpr int Up = 0x26;
inline constexpr int Right = 0x27;
inline constexpr int Down = 0x28;
inline constexpr int Insert = 0x2D;
inline constexpr int Delete = 0x2E;
inline constexpr int F1 = 0x70;  // F1 + n - 1 is Fn, up to F24
inline constexpr int F2 = 0x71;
}  // namespace key

// Modifier keys and mouse buttons held during an event (a set of flags).
enum ShiftFlag : uint8_t {
    kShift = 0x01,
    kAlt = 0x02,
    kCtrl = 0x04,
    kLeftButton = 0x08,
    kRightButton = 0x10,
    kMiddleButton = 0x20,
    kDouble = 0x40,
};
using ShiftState = uint8_t;

enum class MouseButton : uint8_t { Left, Right, Middle };

enum class CursorShape : uint8_t { Default, Arrow, IBeam, SizeColumn, SizeRow, Drag };

}  // namespace ui

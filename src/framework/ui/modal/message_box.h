// The message box on Qt: our own Japanese button texts in the usual order,
// the icon of the flags, and the answer as the button's ID.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace ui {

// The answers of the buttons a box of `flags` shows, left to right.
std::vector<int> MessageBoxButtons(unsigned flags);

// The button text of an answer (cp932), e.g. "はい(&Y)".
std::string MessageBoxButtonText(int answer);

// The answer of Esc and of the close box; 0 when the box has none (a Yes/No
// box must be answered with a button).
int MessageBoxEscapeAnswer(unsigned flags);

// The answer given when no one can answer: Esc's, or the last button's.
int MessageBoxFallbackAnswer(unsigned flags);

// The window a box belongs to: `parent`'s window, else the active modal or
// active window, else the program's visible window.
QWidget* MessageBoxOwner(QWidget* parent);

// Moves a dialog of its present size to the middle of its owner (or of the
// screen), whole on the screen.
void CentreOnOwner(QWidget& dialog, const QWidget* owner);

// Shows the box modally, a fixed dialog window centred over its owner (see
// MessageBoxOwner), and returns the answer.  Texts are cp932.
int RunQtMessageBox(std::string_view text, std::string_view caption, unsigned flags, QWidget* parent = nullptr);

}  // namespace ui

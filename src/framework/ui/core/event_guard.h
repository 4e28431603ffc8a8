// Exceptions must not cross the toolkit's event dispatch.  Everything the
// framework runs for a toolkit event runs inside RunGuarded: an exception
// that escapes goes to the application's exception handler (by default the
// standard exception box) and the program goes on.
#pragma once

#include <exception>
#include <functional>
#include <string>

namespace ui {

// Runs `step`; true when it ended without an exception.
bool RunGuarded(const std::function<void()>& step);

// Shows an exception the way the application does.
void HandleException(const std::exception& e);

// The standard box's text: the message, with a full stop added when it
// does not end in one already.
std::string ExceptionBoxText(const std::string& message);

// Replaces the handler (the application object installs its own; tests
// may record).  An empty function restores the standard box.
void SetExceptionHandler(std::function<void(const std::exception&)> handler);

}  // namespace ui

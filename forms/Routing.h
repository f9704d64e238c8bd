// Routes every control event of every window to its handler.
#pragma once
#include "forms/ControlIds.h"
#include "shell/App.h"

namespace dv {

// Runs the handler of (control, event), if it has one.
void raiseEvent(App& app, Ctl control, Event event);

// The window's own close request (system close, Alt+F4). True lets the window close.
bool closeRequested(App& app, Ctl window);

}  // namespace dv

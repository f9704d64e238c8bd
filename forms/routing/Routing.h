// Routes every control event of every window to its handler.
#pragma once
#include <vector>

#include "forms/ControlIds.h"
#include "shell/App.h"

namespace dv {

// Runs the handler of (control, event), if it has one.
void raiseEvent(App& app, Ctl control, Event event);

// The window's own close request (system close, Alt+F4). True lets the window close.
bool closeRequested(App& app, Ctl window);

// Both, on this App: where the window layer sends what the user does.
UiEvents routeTo(App& app);

// Every (control, event) that has a handler, in table order.
struct RoutedEvent {
    Ctl control;
    Event event;
};
std::vector<RoutedEvent> routedEvents();

}  // namespace dv

// Makes a real window, with every control of its table, from a window table.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "platform/win32ui/LiveWindow.h"

namespace dv {

// Private timer of windows with an animated picture.
constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT kAnimationMs = 60;

// What every window of a window layer is built with: the program's window tables and the
// stored items of its combo boxes.
struct WindowKit {
    const WindowTables& tables;
    ComboItems comboItems;
};

// Creates the window hidden, centred on the work area, with all its controls in their
// initial state and its timers running as the table says. Null when the system refuses.
std::unique_ptr<LiveWindow> buildWindow(const WindowSpec& spec, WindowEvents& events,
                                        const WindowKit& kit);

// Arial at a pixel height, normal or bold; shared and kept for the life of the process.
HFONT tableFont(int px, bool bold);

// Registers a control's tooltip with the window, or changes its text.
void setToolText(LiveWindow& w, LiveControl& c, const std::string& text);

// Moves the window so that it is centred on the work area of its monitor.
void centreWindow(HWND hwnd);

}  // namespace dv

// Makes a real window, with every control of its table, from a window table.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/win32ui/LiveWindow.h"

namespace dv {

// Private timer of windows with an animated picture.
constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT kAnimationMs = 60;

// What every window of a window layer is built with: the program's window tables, the
// stored items of its combo boxes, and the fonts the tables ask for, made when first
// needed and deleted with the kit. Making one registers the window classes.
class WindowKit {
public:
    WindowKit(const WindowTables& tables, ComboItems comboItems);
    ~WindowKit();
    WindowKit(const WindowKit&) = delete;
    WindowKit& operator=(const WindowKit&) = delete;

    const WindowTables& tables;
    const ComboItems comboItems;

    // Arial at a pixel height (already scaled), normal or bold.
    HFONT font(int px, bool bold);
    // Check boxes, radio buttons and group boxes draw their text in the colours the window
    // gives them only without a visual style.
    void dropVisualStyle(HWND control) const;

private:
    using SetThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    std::map<std::pair<int, bool>, HFONT> fonts_;
    HMODULE uxtheme_ = nullptr;
    SetThemeFn setTheme_ = nullptr;  // the system's SetWindowTheme, where it has one
};

// Creates the window hidden, centred on the work area, with all its controls in their
// initial state and its timers running as the table says. Null when the system refuses.
std::unique_ptr<LiveWindow> buildWindow(const WindowSpec& spec, WindowEvents& events,
                                        WindowKit& kit);

// Registers a control's tooltip with the window, or changes its text.
void setToolText(LiveWindow& w, LiveControl& c, const std::string& text);

// Sizes the window for its client size in table units at its scale.
void fitWindowSize(LiveWindow& w);
// Moves and sizes a control to its place at the window's scale.
void placeControl(LiveWindow& w, LiveControl& c);
// The window moved to a monitor of another scale: it takes the place the system suggests,
// and every size, font and list column is made again for the new DPI.
void rescaleWindow(LiveWindow& w, int dpi, const RECT& suggested);

// Moves the window so that it is centred on the work area of its monitor.
void centreWindow(HWND hwnd);

}  // namespace dv

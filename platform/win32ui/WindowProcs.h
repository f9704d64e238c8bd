// The message handlers of Dustvane's windows and of the controls that need more than the
// system's own behaviour.
#pragma once
#include <windows.h>

#include <string>

namespace dv {

struct LiveControl;
struct LiveWindow;

// Top-level windows (kWindowClass); the LiveWindow comes with WM_NCCREATE.
LRESULT CALLBACK topWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
// Panels (kPanelClass): paint their colour and pass their children's messages up.
LRESULT CALLBACK panelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
// Installed on controls whose kind needs it; the reference data is the LiveControl.
LRESULT CALLBACK controlSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                     DWORD_PTR ref);

// Repaints the labels drawn over `c` (later rows of its container that overlap `before`,
// the rectangle it had, or its rectangle now).
void repaintOverlays(LiveWindow& w, const LiveControl& c, const RECT& before);
// A window's text, whatever its length.
std::string windowText(HWND h);
// The control's rectangle in its parent's coordinates.
RECT rectInParent(HWND hwnd);

}  // namespace dv

// Display scale. Every window is laid out in the pixels of a 96-DPI display (the window
// tables' units) and multiplied by its own DPI / 96 when it is built or moves to a monitor
// of another scale. The per-monitor calls of Windows 10 are looked up at run time: older
// systems, and Wine without them, use the system DPI.
#pragma once
#include <windows.h>

namespace dv {

constexpr int kBaseDpi = 96;

// Makes this thread's new windows per-monitor aware (v2) where the system knows that, for
// systems that do not read the awareness from the program's manifest.
void becomePerMonitorAware();

// The DPI a window is shown at; the system DPI where the system cannot tell per window.
int dpiOf(HWND window);

// A length of the tables at `dpi`, rounded.
inline int scaled(int length, int dpi) { return MulDiv(length, dpi, kBaseDpi); }
inline float scaledF(float length, int dpi) { return length * float(dpi) / kBaseDpi; }

// The window size whose client area is `width` x `height` at `dpi`.
SIZE windowSizeFor(int width, int height, DWORD style, DWORD exStyle, int dpi);

}  // namespace dv

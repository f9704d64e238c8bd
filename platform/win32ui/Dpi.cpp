#include "platform/win32ui/Dpi.h"

namespace dv {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using SetThreadAwarenessFn = HANDLE(WINAPI*)(HANDLE);

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, which older headers lack.
const HANDLE kPerMonitorV2 = reinterpret_cast<HANDLE>(-4);

template <class Fn>
Fn user32(const char* name) {
    HMODULE user = GetModuleHandleA("user32.dll");
    FARPROC fn = user ? GetProcAddress(user, name) : nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(fn));
}

int systemDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

}  // namespace

void becomePerMonitorAware() {
    static const auto set = user32<SetThreadAwarenessFn>("SetThreadDpiAwarenessContext");
    if (set) set(kPerMonitorV2);
}

int dpiOf(HWND window) {
    static const auto forWindow = user32<GetDpiForWindowFn>("GetDpiForWindow");
    int dpi = forWindow && window ? int(forWindow(window)) : 0;
    return dpi > 0 ? dpi : systemDpi();
}

SIZE windowSizeFor(int width, int height, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjust = user32<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    RECT r = {0, 0, scaled(width, dpi), scaled(height, dpi)};
    if (!adjust || !adjust(&r, style, FALSE, exStyle, UINT(dpi)))
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

}  // namespace dv

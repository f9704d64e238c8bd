#include "platform/win32ui/LiveWindow.h"

namespace dv {

namespace {

void setBrush(HBRUSH& brush, uint32_t& brushRgb, uint32_t rgb) {
    if (brush && brushRgb == rgb) return;
    if (brush) DeleteObject(brush);
    brush = CreateSolidBrush(colourRef(rgb));
    brushRgb = rgb;
}

}  // namespace

LiveWindow::~LiveWindow() {
    for (auto& [id, c] : controls) {
        if (c.brush) DeleteObject(c.brush);
        if (c.kind == Kind::Menu && c.menu) DestroyMenu(c.menu);
    }
    if (brush) DeleteObject(brush);
}

LiveControl* LiveWindow::find(Ctl c) {
    auto it = controls.find(c);
    return it == controls.end() ? nullptr : &it->second;
}

LiveControl* LiveWindow::findByHwnd(HWND h) {
    if (!h) return nullptr;
    LiveControl* c = find(ctlOfId(GetDlgCtrlID(h)));
    return c && c->hwnd == h ? c : nullptr;
}

uint32_t LiveWindow::backOf(const LiveControl& c) const {
    return c.backRgb != kNoColour ? c.backRgb : containerBack(c.container);
}

uint32_t LiveWindow::containerBack(Ctl container) const {
    // Containers nest only a few levels deep; the table holds no cycles, but stay bounded.
    for (int depth = 0; depth < 8 && container != kNoControl; ++depth) {
        auto it = controls.find(container);
        if (it == controls.end()) break;
        if (it->second.backRgb != kNoColour) return it->second.backRgb;
        container = it->second.container;
    }
    return backRgb;
}

HBRUSH LiveWindow::brushOf(LiveControl& c) {
    setBrush(c.brush, c.brushRgb, backOf(c));
    return c.brush;
}

void LiveWindow::syncLists(bool now) {
    for (auto& [id, c] : controls)
        if (c.rows) c.rows->sync(now);
}

HBRUSH LiveWindow::windowBrush() {
    setBrush(brush, brushRgb, backRgb);
    return brush;
}

LiveWindow* liveWindowOf(HWND hwnd) {
    if (!hwnd) return nullptr;
    HWND root = GetAncestor(hwnd, GA_ROOT);
    if (!root) return nullptr;
    char cls[32] = {};
    GetClassNameA(root, cls, sizeof cls);
    if (lstrcmpA(cls, kWindowClass) != 0) return nullptr;
    return reinterpret_cast<LiveWindow*>(GetWindowLongPtrA(root, GWLP_USERDATA));
}

}  // namespace dv

#include "tests/gui/driver/Windows.h"

#include <commctrl.h>

#include "tests/gui/driver/Wait.h"

namespace gui {

namespace {

constexpr UINT kSendTimeout = 5000;

LRESULT sendTimed(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(w, msg, wp, lp, SMTO_NORMAL, kSendTimeout, &result)) return -1;
    return static_cast<LRESULT>(result);
}

BOOL CALLBACK collectTop(HWND w, LPARAM lp) {
    auto* out = reinterpret_cast<std::pair<DWORD, std::vector<HWND>*>*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == out->first) out->second->push_back(w);
    return TRUE;
}

BOOL CALLBACK collectChild(HWND w, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
    return TRUE;
}

std::string windowTitle(HWND w) {
    char buf[512];
    int n = GetWindowTextA(w, buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
}

POINT centreOf(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace

std::vector<HWND> topWindowsOf(DWORD pid) {
    std::vector<HWND> out;
    std::pair<DWORD, std::vector<HWND>*> ctx{pid, &out};
    EnumWindows(collectTop, reinterpret_cast<LPARAM>(&ctx));
    return out;
}

SIZE clientSize(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

HWND findTopWindow(DWORD pid, const char* title, int width, int height, bool visibleOnly) {
    for (HWND w : topWindowsOf(pid)) {
        if (visibleOnly && !IsWindowVisible(w)) continue;
        if (title && windowTitle(w) != title) continue;
        SIZE s = clientSize(w);
        if (width && s.cx != width) continue;
        if (height && s.cy != height) continue;
        return w;
    }
    return nullptr;
}

HWND waitTopWindow(DWORD pid, const char* title, int width, int height, DWORD timeoutMs,
                   bool visibleOnly) {
    HWND found = nullptr;
    waitUntil([&] { return (found = findTopWindow(pid, title, width, height, visibleOnly)); },
              timeoutMs);
    return found;
}

RECT rectIn(HWND top, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    POINT origin{0, 0};
    ClientToScreen(top, &origin);
    OffsetRect(&r, -origin.x, -origin.y);
    return r;
}

std::string className(HWND w) {
    char buf[256];
    int n = GetClassNameA(w, buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
}

std::string textOf(HWND w) {
    LRESULT len = sendTimed(w, WM_GETTEXTLENGTH, 0, 0);
    if (len <= 0) return std::string();
    std::string buf(static_cast<size_t>(len) + 1, '\0');
    LRESULT n = sendTimed(w, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(&buf[0]));
    buf.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return buf;
}

bool setText(HWND w, const std::string& text) {
    return sendTimed(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) == TRUE;
}

std::vector<HWND> findControls(HWND top, const Find& f) {
    std::vector<HWND> all, out;
    EnumChildWindows(top, collectChild, reinterpret_cast<LPARAM>(&all));
    for (HWND w : all) {
        if (!f.cls.empty() && lstrcmpiA(className(w).c_str(), f.cls.c_str()) != 0) continue;
        if (f.byRect) {
            RECT r = rectIn(top, w);
            if (!EqualRect(&f.rect, &r)) continue;
        }
        if (f.byText && textOf(w) != f.text) continue;
        out.push_back(w);
    }
    return out;
}

HWND findControl(HWND top, const Find& f) {
    std::vector<HWND> found = findControls(top, f);
    return found.empty() ? nullptr : found.front();
}

HWND waitControl(HWND top, const Find& f, DWORD timeoutMs) {
    HWND found = nullptr;
    waitUntil([&] { return (found = findControl(top, f)) != nullptr; }, timeoutMs);
    return found;
}

bool shown(HWND w) { return (GetWindowLongA(w, GWL_STYLE) & WS_VISIBLE) != 0; }
bool enabled(HWND w) { return IsWindowEnabled(w) != FALSE; }
bool checked(HWND w) { return sendTimed(w, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void clickAt(HWND w, int x, int y) {
    LPARAM at = MAKELPARAM(x, y);
    PostMessageA(w, WM_MOUSEMOVE, 0, at);
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(w, WM_LBUTTONUP, 0, at);
}

void click(HWND w) {
    POINT c = centreOf(w);
    clickAt(w, c.x, c.y);
}

void rightClickAt(HWND w, int x, int y) {
    LPARAM at = MAKELPARAM(x, y);
    PostMessageA(w, WM_MOUSEMOVE, 0, at);
    PostMessageA(w, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageA(w, WM_RBUTTONUP, 0, at);
}

void doubleClickAt(HWND w, int x, int y) {
    LPARAM at = MAKELPARAM(x, y);
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(w, WM_LBUTTONUP, 0, at);
    PostMessageA(w, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(w, WM_LBUTTONUP, 0, at);
}

void postKey(HWND w, WORD vk) {
    UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    PostMessageA(w, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageA(w, WM_KEYUP, vk, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

int comboCount(HWND combo) { return static_cast<int>(sendTimed(combo, CB_GETCOUNT, 0, 0)); }

int comboSelection(HWND combo) { return static_cast<int>(sendTimed(combo, CB_GETCURSEL, 0, 0)); }

void selectCombo(HWND combo, int index) {
    sendTimed(combo, CB_SETCURSEL, index, 0);
    PostMessageA(GetParent(combo), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

int progressPosition(HWND bar) { return static_cast<int>(sendTimed(bar, PBM_GETPOS, 0, 0)); }

}  // namespace gui

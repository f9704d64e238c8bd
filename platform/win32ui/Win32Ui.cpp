// Windows, modal loops, menus, message boxes and the keyboard of Win32Ui; the control
// operations are in Win32UiControls.cpp.
#include "platform/win32ui/Win32Ui.h"

#include <algorithm>
#include <functional>

#include "platform/win32ui/Dpi.h"
#include "platform/win32ui/ListView.h"

namespace dv {

namespace {

// Paints a window and all its controls at once, so it never shows half drawn.
void paintNow(HWND hwnd) { RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

bool isButtonKind(Kind k) {
    return k == Kind::ImageButton || k == Kind::PictureButton || k == Kind::Check ||
           k == Kind::Radio;
}

// The controls Tab visits, in table order.
std::vector<LiveControl*> tabStops(LiveWindow& w) {
    std::vector<LiveControl*> stops;
    for (auto& [id, c] : w.controls) {
        if (!c.hwnd || !IsWindowVisible(c.hwnd) || !IsWindowEnabled(c.hwnd)) continue;
        if (GetWindowLongA(c.hwnd, GWL_STYLE) & WS_TABSTOP) stops.push_back(&c);
    }
    std::sort(stops.begin(), stops.end(),
              [](const LiveControl* a, const LiveControl* b) { return a->order < b->order; });
    return stops;
}

// Focus rectangles show once the keyboard moves the focus (the mouse alone hides them).
void showFocusCues(LiveWindow& w) {
    SendMessageA(w.hwnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void moveFocus(LiveWindow& w, bool backwards) {
    std::vector<LiveControl*> stops = tabStops(w);
    if (stops.empty()) return;
    showFocusCues(w);
    HWND focus = GetFocus();
    int n = int(stops.size()), at = -1;
    for (int i = 0; i < n; ++i)
        if (stops[i]->hwnd == focus || IsChild(stops[i]->hwnd, focus)) at = i;
    int next = at < 0 ? (backwards ? n - 1 : 0) : (at + (backwards ? n - 1 : 1)) % n;
    SetFocus(stops[next]->hwnd);
    if (stops[next]->kind == Kind::Edit) SendMessageA(stops[next]->hwnd, EM_SETSEL, 0, -1);
}

// The next radio button of the same container in table order (wrapping), skipping
// hidden and disabled ones.
LiveControl* nextRadio(LiveWindow& w, const LiveControl& from, bool forwards) {
    std::vector<LiveControl*> group;
    for (auto& [id, c] : w.controls)
        if (c.kind == Kind::Radio && c.container == from.container && c.hwnd &&
            IsWindowVisible(c.hwnd) && IsWindowEnabled(c.hwnd))
            group.push_back(&c);
    std::sort(group.begin(), group.end(),
              [](const LiveControl* a, const LiveControl* b) { return a->order < b->order; });
    int n = int(group.size());
    for (int i = 0; i < n; ++i)
        if (group[i] == &from) return group[(i + (forwards ? 1 : n - 1)) % n];
    return nullptr;
}

// Esc presses the button the window's table names (a secondary window's Return or close
// button); the main window names none. An open drop-down list takes its own Esc.
bool pressEscape(LiveWindow& w, HWND target) {
    LiveControl* button = w.find(w.spec->escape);
    if (!button || !button->hwnd) return false;
    HWND combo = target;
    while (combo && combo != w.hwnd) {
        LiveControl* c = w.findByHwnd(combo);
        if (c && c->kind == Kind::Combo) {
            if (SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) return false;
            break;
        }
        combo = GetParent(combo);
    }
    if (IsWindowVisible(button->hwnd) && IsWindowEnabled(button->hwnd))
        SendMessageA(button->hwnd, BM_CLICK, 0, 0);
    return true;
}

}  // namespace

Win32Ui::Win32Ui(const WindowTables& tables, ComboItems comboItems)
    : kit_{tables, comboItems}, guiThread_(GetCurrentThreadId()) {}

Win32Ui::~Win32Ui() {
    std::vector<HWND> windows;  // destroying one takes it out of open_
    for (auto& [id, w] : open_)
        if (w->alive) windows.push_back(w->hwnd);
    for (HWND h : windows)
        if (IsWindow(h)) DestroyWindow(h);
}

bool Win32Ui::relayed(std::function<void()> call) {
    if (onGuiThread()) return false;
    relay_.post(std::move(call));
    return true;
}

LiveWindow* Win32Ui::window(Ctl w) const {
    auto it = open_.find(w);
    return it != open_.end() && it->second->alive ? it->second.get() : nullptr;
}

LiveControl* Win32Ui::control(Ctl c) const {
    if (c == kNoControl) return nullptr;
    LiveWindow* w = window(kit_.tables.windowOf(c));
    return w ? w->find(c) : nullptr;
}

bool Win32Ui::createWindow(Ctl id) {
    if (window(id)) return true;
    const WindowSpec* spec = kit_.tables.window(id);
    if (!spec) return false;
    std::unique_ptr<LiveWindow> w = buildWindow(*spec, *this, kit_);
    if (!w) return false;
    open_[id] = std::move(w);
    return true;
}

HWND Win32Ui::windowHandle(Ctl id) const {
    LiveWindow* w = window(id);
    return w ? w->hwnd : nullptr;
}

void Win32Ui::raise(Ctl control, Event event) {
    if (!events_.raise) return;
    ++handlerDepth_;
    events_.raise(control, event);
    --handlerDepth_;
}

bool Win32Ui::closeAllowed(Ctl id) {
    if (!events_.closeRequested) return true;
    ++handlerDepth_;
    bool allowed = events_.closeRequested(id);
    --handlerDepth_;
    return allowed;
}

void Win32Ui::windowDestroyed(Ctl id) {
    auto it = open_.find(id);
    if (it == open_.end()) return;
    closed_.push_back(std::move(it->second));
    open_.erase(it);
}

void Win32Ui::releaseClosedWindows() { closed_.clear(); }

bool Win32Ui::preTranslate(MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    LiveWindow* w = liveWindowOf(msg.hwnd);
    if (!w || !w->alive) return false;
    if (msg.wParam == VK_TAB) {
        moveFocus(*w, GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    if (msg.wParam == VK_UP || msg.wParam == VK_DOWN || msg.wParam == VK_LEFT ||
        msg.wParam == VK_RIGHT) {
        LiveControl* c = w->findByHwnd(msg.hwnd);
        if (!c || c->kind != Kind::Radio) return false;
        if (LiveControl* next = nextRadio(*w, *c, msg.wParam == VK_DOWN || msg.wParam == VK_RIGHT)) {
            showFocusCues(*w);
            SetFocus(next->hwnd);
            SendMessageA(next->hwnd, BM_CLICK, 0, 0);  // the arrow moves the choice, as a click
        }
        return true;
    }
    if (msg.wParam == VK_ESCAPE) return pressEscape(*w, msg.hwnd);
    if (msg.wParam == VK_RETURN) {
        LiveControl* c = w->findByHwnd(msg.hwnd);
        if (c && isButtonKind(c->kind))
            SendMessageA(c->hwnd, BM_CLICK, 0, 0);
        else
            raise(w->id, Event::KeyEnter);
        return true;
    }
    return false;
}

void Win32Ui::dispatch(MSG& msg) {
    // The viewer's own windows only: the keyboard of the program's windows stays here.
    if (helpViewer_ && helpViewer_->loaded() && !liveWindowOf(msg.hwnd) &&
        helpViewer_->preTranslate(msg))
        return;
    if (preTranslate(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

int Win32Ui::runMessageLoop() {
    MSG msg = {};
    BOOL r;
    for (;;) {
        repaintHeldLists(true);
        if ((r = GetMessageA(&msg, nullptr, 0, 0)) <= 0) break;
        dispatch(msg);
        if (handlerDepth_ == 0) releaseClosedWindows();
    }
    runExitRoutine();
    return r == 0 ? int(msg.wParam) : 1;
}

// How often a long loop lets the window serve its messages when no input waits: often
// enough that the caption, the elapsed seconds and a scroll keep moving smoothly.
constexpr DWORD kProcessEveryMs = 20;
// How often it asks whether input waits: a key or a click served within a few milliseconds
// is served at once to the user, and each asking costs a trip to the window system.
constexpr DWORD kInputCheckEveryMs = 5;

bool Win32Ui::messagesDue() {
    if (!onGuiThread()) return false;
    const DWORD now = GetTickCount();
    if (now - lastProcessed_ >= kProcessEveryMs) return true;
    // A key or a click (Cancel) is served without waiting for the next round.
    if (now - lastInputCheck_ < kInputCheckEveryMs) return false;
    lastInputCheck_ = now;
    return HIWORD(GetQueueStatus(QS_INPUT)) != 0;
}

void Win32Ui::processPendingMessages() {
    if (!onGuiThread()) return;
    repaintHeldLists(false);
    MSG msg;
    // Bounded, so a message that keeps coming back cannot hold the caller forever.
    for (int n = 0; n < 100000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));  // left for the loop that owns it
            break;
        }
        dispatch(msg);
    }
    lastProcessed_ = GetTickCount();
}

// A window that asks for text starts in its first box. Buttons are never focused at
// first: a stray Enter would press them (the wizard's first button deletes files).
void Win32Ui::focusFirstControl(LiveWindow& w) {
    std::vector<LiveControl*> stops = tabStops(w);
    if (!stops.empty() && stops.front()->kind == Kind::Edit) {
        SetFocus(stops.front()->hwnd);
        SendMessageA(stops.front()->hwnd, EM_SETSEL, 0, -1);
    }
}

void Win32Ui::openModal(Ctl id) {
    if (!onGuiThread()) return;
    if (LiveWindow* open = window(id)) {
        SetForegroundWindow(open->hwnd);
        return;
    }
    if (!createWindow(id)) return;
    LiveWindow* w = window(id);
    for (auto& [other, ow] : open_) {
        if (ow.get() == w || !ow->alive || !IsWindowEnabled(ow->hwnd)) continue;
        EnableWindow(ow->hwnd, FALSE);
        w->disabledOthers.push_back(ow->hwnd);
    }
    raise(id, Event::Created);
    if (w->alive) {
        ShowWindow(w->hwnd, SW_SHOW);
        SetForegroundWindow(w->hwnd);
        paintNow(w->hwnd);
        focusFirstControl(*w);
    }
    // `w` stays readable after the window closes: closed windows are released only when
    // no handler runs, and this loop runs inside one.
    MSG msg;
    while (w->alive) {
        repaintHeldLists(true);
        BOOL r = GetMessageA(&msg, nullptr, 0, 0);
        if (r == 0) {
            PostQuitMessage(int(msg.wParam));
            break;
        }
        if (r < 0) break;
        dispatch(msg);
    }
}

void Win32Ui::closeWindow(Ctl id) {
    if (!onGuiThread() && relayed([this, id] { closeWindow(id); })) return;
    LiveWindow* w = window(id);
    if (!w) return;
    // The opener comes back before this window goes, so it takes the activation.
    for (HWND h : w->disabledOthers)
        if (IsWindow(h)) EnableWindow(h, TRUE);
    w->disabledOthers.clear();
    DestroyWindow(w->hwnd);
}

void Win32Ui::setWindowSize(Ctl id, int width, int height) {
    if (!onGuiThread() && relayed([=] { setWindowSize(id, width, height); })) return;
    LiveWindow* w = window(id);
    if (!w) return;
    w->width = width;
    w->height = height;
    fitWindowSize(*w);
}

void Win32Ui::setWindowState(Ctl id, WindowState state) {
    if (!onGuiThread() && relayed([=] { setWindowState(id, state); })) return;
    LiveWindow* w = window(id);
    if (!w) return;
    switch (state) {
        case WindowState::Normal:
            w->showMinimised = false;
            ShowWindow(w->hwnd, SW_RESTORE);
            break;
        case WindowState::Minimised:
            // A window not shown yet stays out of sight until it is shown.
            if (!IsWindowVisible(w->hwnd)) {
                w->showMinimised = true;
                return;
            }
            ShowWindow(w->hwnd, SW_MINIMIZE);
            break;
        case WindowState::Centred: centreWindow(w->hwnd); break;
    }
    if (state != WindowState::Minimised) paintNow(w->hwnd);
}

void Win32Ui::addWindowStyle(Ctl id, uint32_t bits) {
    if (!onGuiThread() && relayed([=] { addWindowStyle(id, bits); })) return;
    LiveWindow* w = window(id);
    if (!w) return;
    bits &= ~uint32_t(WS_THICKFRAME | WS_MAXIMIZEBOX);  // never sized by the user
    LONG style = GetWindowLongA(w->hwnd, GWL_STYLE);
    SetWindowLongA(w->hwnd, GWL_STYLE, LONG(uint32_t(style) | bits));
    SetWindowPos(w->hwnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Ui::setHelpFile(Ctl id, const std::string& helpFile) {
    if (!onGuiThread() && relayed([=] { setHelpFile(id, helpFile); })) return;
    if (LiveWindow* w = window(id)) w->helpFile = helpFile;
}

void Win32Ui::dragWindow(Ctl id) {
    if (!onGuiThread()) return;
    LiveWindow* w = window(id);
    if (!w) return;
    // Only while the button is really held: a move started without it would wait for
    // the next click.
    int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    if (!(GetAsyncKeyState(button) & 0x8000)) return;
    POINT pt;
    GetCursorPos(&pt);
    ReleaseCapture();
    SendMessageA(w->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
}

void Win32Ui::popupMenu(Ctl menu) {
    repaintHeldLists(true);
    if (!onGuiThread()) return;
    LiveControl* c = control(menu);
    LiveWindow* w = window(kit_.tables.windowOf(menu));
    if (!c || !w || c->kind != Kind::Menu || !c->menu) return;
    POINT pt;
    GetCursorPos(&pt);
    SetForegroundWindow(w->hwnd);  // so that a click elsewhere closes the menu
    UINT cmd = UINT(TrackPopupMenu(c->menu,
                                   TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN |
                                       TPM_TOPALIGN,
                                   pt.x + scaled(3, w->dpi), pt.y + scaled(3, w->dpi), 0,
                                   w->hwnd, nullptr));
    PostMessageA(w->hwnd, WM_NULL, 0, 0);
    Ctl item = ctlOfId(int(cmd));
    if (item != kNoControl) raise(item, Event::Click);
}

// Without an owner, but task-modal: while a question waits for its answer, no other
// button of the program can start work underneath it.
int Win32Ui::messageBox(const std::string& text, const std::string& title, unsigned style) {
    repaintHeldLists(true);
    return MessageBoxA(nullptr, text.c_str(), title.c_str(), style | MB_TASKMODAL);
}

void Win32Ui::holdListPainting(HWND list) {
    if (std::find(heldLists_.begin(), heldLists_.end(), list) != heldLists_.end()) return;
    if (heldLists_.empty()) lastListRepaint_ = GetTickCount();
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    heldLists_.push_back(list);
}

void Win32Ui::repaintHeldLists(bool now) {
    for (auto& [id, w] : open_)
        if (w->alive) w->syncLists(now);
    if (heldLists_.empty() || (!now && GetTickCount() - lastListRepaint_ < 100)) return;
    for (HWND list : heldLists_) {
        if (!IsWindow(list)) continue;
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    heldLists_.clear();
    lastListRepaint_ = GetTickCount();
}

void Win32Ui::runExitRoutine() {
    if (helpViewer_) helpViewer_->closeAll();
    if (exitHook_) exitHook_();
}

void Win32Ui::endProgram(int exitCode) {
    runExitRoutine();
    ExitProcess(UINT(exitCode));
}

}  // namespace dv

#include "platform/win32ui/WindowProcs.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "platform/win32ui/Artwork.h"
#include "platform/win32ui/Canvas.h"
#include "platform/win32ui/Dpi.h"
#include "platform/win32ui/ListView.h"
#include "platform/win32ui/LiveWindow.h"
#include "platform/win32ui/WindowBuilder.h"

namespace dv {

namespace {

LiveWindow* windowData(HWND h) {
    return reinterpret_cast<LiveWindow*>(GetWindowLongPtrA(h, GWLP_USERDATA));
}

bool ownVisible(HWND h) { return (GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE) != 0; }

bool isList(Kind k) { return k == Kind::ReportList || k == Kind::CheckList; }

bool isStaticKind(Kind k) {
    return k == Kind::Label || k == Kind::TransparentLabel || k == Kind::Picture ||
           k == Kind::Rule;
}

// Messages a container passes to the window, which knows every control.
bool isForwarded(UINT msg) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_DRAWITEM:
        case WM_MEASUREITEM: return true;
        default: return false;
    }
}

void fillBackground(HWND h, HDC dc, HBRUSH brush) {
    RECT r;
    GetClientRect(h, &r);
    FillRect(dc, &r, brush);
}

ButtonLook lookOf(const DRAWITEMSTRUCT& d, const LiveControl& c) {
    if (d.itemState & ODS_DISABLED) return ButtonLook::Disabled;
    if (d.itemState & ODS_SELECTED) return ButtonLook::Pressed;
    return c.hover ? ButtonLook::Hover : ButtonLook::Normal;
}

void drawItem(LiveWindow& w, const DRAWITEMSTRUCT& d) {
    LiveControl* c = w.find(ctlOfId(int(d.CtlID)));
    if (!c || c->hwnd != d.hwndItem) return;
    ButtonFace face;
    face.look = lookOf(d, *c);
    face.focused = (d.itemState & ODS_FOCUS) && !(d.itemState & ODS_NOFOCUSRECT);
    face.backRgb = w.containerBack(c->container);
    face.textRgb = c->spec->textColour == kNoColour ? kDefaultInk : c->spec->textColour;
    face.font = c->font;
    face.glyph = c->spec->glyph;
    face.scale = float(w.dpi) / kBaseDpi;
    switch (c->kind) {
        case Kind::ImageButton:
            face.caption = namedByTooltip(*c->spec) ? c->caption : windowText(d.hwndItem);
            drawImageButton(d.hDC, d.rcItem, face);
            break;
        case Kind::PictureButton: drawPictureButton(d.hDC, d.rcItem, face); break;
        case Kind::Picture:
            if (c->spec->flags & kAnimated)
                drawSplash(d.hDC, d.rcItem, w.animationFrame, face.scale, c->still);
            else
                drawProgramMark(d.hDC, d.rcItem, w.backOf(*c));
            break;
        default: break;
    }
}

LRESULT controlColours(LiveWindow& w, HWND self, UINT msg, WPARAM wp, LPARAM lp) {
    LiveControl* c = w.findByHwnd(reinterpret_cast<HWND>(lp));
    if (!c || c->kind == Kind::Edit || c->kind == Kind::Combo || isList(c->kind))
        return DefWindowProcA(self, msg, wp, lp);
    HDC dc = reinterpret_cast<HDC>(wp);
    SetTextColor(dc, colourRef(c->textRgb));
    SetBkColor(dc, colourRef(w.backOf(*c)));
    return reinterpret_cast<LRESULT>(w.brushOf(*c));
}

void onCommand(LiveWindow& w, WPARAM wp, LPARAM lp) {
    WindowEvents& events = *w.events;
    Ctl id = ctlOfId(LOWORD(wp));
    int code = HIWORD(wp);
    if (id == kNoControl) return;
    if (!lp) {  // a menu item
        if (code == 0) events.raise(id, Event::Click);
        return;
    }
    LiveControl* c = w.find(id);
    if (!c || c->hwnd != reinterpret_cast<HWND>(lp)) return;
    switch (c->kind) {
        case Kind::ImageButton:
        case Kind::PictureButton:
        case Kind::Check:
            if (code == BN_CLICKED) events.raise(id, Event::Click);
            break;
        case Kind::Radio:
            if (code == BN_CLICKED) {
                events.setChecked(id, true);
                events.raise(id, Event::Click);
            }
            break;
        case Kind::Combo:
            if (code == CBN_SELCHANGE) events.raise(id, Event::SelChange);
            break;
        case Kind::Edit:
            if (code == EN_CHANGE) events.raise(id, Event::TextChange);
            break;
        default: break;
    }
}

LRESULT onNotify(LiveWindow& w, const NMHDR& nm) {
    LRESULT answer = 0;
    if (LiveControl* list = w.findByHwnd(nm.hwndFrom); list && list->rows)
        if (list->rows->answer(nm, answer)) return answer;
    Ctl id = ctlOfId(int(nm.idFrom));
    LiveControl* c = w.find(id);
    if (!c || c->hwnd != nm.hwndFrom || !isList(c->kind)) return 0;
    if (nm.code == UINT(NM_DBLCLK)) w.events->raise(id, Event::RowActivated);
    if (nm.code == UINT(NM_RCLICK)) w.events->raise(id, Event::RowContext);
    return 0;
}

void onTimer(LiveWindow& w, UINT_PTR timer) {
    if (timer == kAnimationTimer) {
        ++w.animationFrame;
        for (auto& [id, c] : w.controls)
            if (c.hwnd && (c.spec->flags & kAnimated)) InvalidateRect(c.hwnd, nullptr, FALSE);
        return;
    }
    Ctl id = ctlOfId(int(timer));
    LiveControl* c = w.find(id);
    if (c && c->kind == Kind::Timer && c->timerMs > 0) w.events->raise(id, Event::Tick);
}

// A press on a label, picture or panel: reported, and a drag where the table says so.
void pressed(LiveWindow& w, const LiveControl& c) {
    Ctl window = w.id, id = c.id;
    bool drags = c.spec && (c.spec->flags & kDrags);
    w.events->raise(id, Event::LeftDown);
    if (drags && w.alive) w.events->dragWindow(window);
}

// A label drawn over whatever lies below it: the container's colour, the opaque labels
// and rules of earlier rows, then the text.
void paintTransparentLabel(LiveWindow& w, const LiveControl& c, HWND h) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    RECT client;
    GetClientRect(h, &client);
    Canvas canvas(client.right, client.bottom);
    if (canvas.ok()) {
        canvas.fill(w.containerBack(c.container));
        RECT me = rectInParent(h);
        for (auto& [id, o] : w.controls) {
            if (o.order >= c.order || o.container != c.container || !o.hwnd) continue;
            if ((o.kind != Kind::Label && o.kind != Kind::Rule) || !ownVisible(o.hwnd)) continue;
            RECT r = rectInParent(o.hwnd), x;
            if (!IntersectRect(&x, &r, &me)) continue;
            OffsetRect(&x, -me.left, -me.top);
            uint32_t rgb = w.backOf(o);
            canvas.fillRect(x.left, x.top, x.right, x.bottom, {0, 1, rgb, rgb});
        }
        std::string text = windowText(h);
        GdiFlush();
        HGDIOBJ old = SelectObject(canvas.dc(), c.font);
        SetTextColor(canvas.dc(), IsWindowEnabled(h) ? colourRef(c.textRgb) : RGB(96, 96, 96));
        const UINT format = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;
        RECT box = client;
        if (c.spec && (c.spec->flags & kMiddle)) {
            RECT need = client;
            DrawTextA(canvas.dc(), text.c_str(), int(text.size()), &need, format | DT_CALCRECT);
            box.top = std::max(0L, (client.bottom - (need.bottom - need.top)) / 2);
        }
        DrawTextA(canvas.dc(), text.c_str(), int(text.size()), &box, format);
        SelectObject(canvas.dc(), old);
        canvas.blitTo(dc, 0, 0);
    }
    EndPaint(h, &ps);
}

}  // namespace

std::string windowText(HWND h) {
    int n = GetWindowTextLengthA(h);
    std::string s(size_t(n) + 1, '\0');
    n = GetWindowTextA(h, &s[0], n + 1);
    s.resize(size_t(n > 0 ? n : 0));
    return s;
}

RECT rectInParent(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void repaintOverlays(LiveWindow& w, const LiveControl& c, const RECT& before) {
    RECT now = c.hwnd ? rectInParent(c.hwnd) : before;
    for (auto& [id, o] : w.controls) {
        if (o.order <= c.order || o.container != c.container || !o.hwnd) continue;
        if (o.kind != Kind::TransparentLabel) continue;
        RECT r = rectInParent(o.hwnd), x;
        if (IntersectRect(&x, &r, &before) || IntersectRect(&x, &r, &now))
            InvalidateRect(o.hwnd, nullptr, FALSE);
    }
}

LRESULT CALLBACK topWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    LiveWindow* w = windowData(h);
    if (!w) return DefWindowProcA(h, msg, wp, lp);
    switch (msg) {
        case WM_ERASEBKGND:
            fillBackground(h, reinterpret_cast<HDC>(wp), w->windowBrush());
            return 1;
        case WM_COMMAND: onCommand(*w, wp, lp); return 0;
        case WM_NOTIFY: return onNotify(*w, *reinterpret_cast<NMHDR*>(lp));
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: return controlColours(*w, h, msg, wp, lp);
        case WM_DRAWITEM: drawItem(*w, *reinterpret_cast<DRAWITEMSTRUCT*>(lp)); return TRUE;
        case WM_TIMER: onTimer(*w, wp); return 0;
        case WM_LBUTTONDOWN: w->events->raise(w->id, Event::LeftDown); return 0;
        case WM_LBUTTONDBLCLK: w->events->raise(w->id, Event::DoubleClick); return 0;
        case WM_KEYDOWN:
            if (wp == VK_RETURN) {
                w->events->raise(w->id, Event::KeyEnter);
                return 0;
            }
            break;
        case WM_HELP:
            // F1 on the window or any control in it: the system asks the window for help.
            if (!w->helpFile.empty()) w->events->raise(w->id, Event::Help);
            return TRUE;
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE) {
                HWND f = GetFocus();
                if (f && IsChild(h, f)) w->lastFocus = f;
            } else if (!HIWORD(wp) && w->lastFocus && IsWindow(w->lastFocus) &&
                       IsChild(h, w->lastFocus) && IsWindowVisible(w->lastFocus)) {
                SetFocus(w->lastFocus);
                return 0;
            }
            break;
        case WM_DPICHANGED:
            // Dragged onto a monitor of another scale.
            rescaleWindow(*w, LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
            return 0;
        case WM_SYSCOMMAND:
            // Never sized or maximised by the user.
            if ((wp & 0xFFF0) == SC_SIZE || (wp & 0xFFF0) == SC_MAXIMIZE) return 0;
            break;
        case WM_CLOSE: {
            WindowEvents* events = w->events;
            Ctl id = w->id;
            if (events->closeAllowed(id)) events->closeWindow(id);
            return 0;
        }
        case WM_DESTROY:
            if (w->spec->main) PostQuitMessage(0);
            break;
        case WM_NCDESTROY:
            w->alive = false;
            SetWindowLongPtrA(h, GWLP_USERDATA, 0);
            w->events->windowDestroyed(w->id);
            break;
        default: break;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

LRESULT CALLBACK panelProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (isForwarded(msg)) return SendMessageA(GetAncestor(h, GA_ROOT), msg, wp, lp);
    LiveWindow* w = liveWindowOf(h);
    LiveControl* c = w ? w->findByHwnd(h) : nullptr;
    if (!c) return DefWindowProcA(h, msg, wp, lp);
    switch (msg) {
        case WM_ERASEBKGND:
            fillBackground(h, reinterpret_cast<HDC>(wp), w->brushOf(*c));
            return 1;
        case WM_LBUTTONDOWN: pressed(*w, *c); return 0;
        default: return DefWindowProcA(h, msg, wp, lp);
    }
}

LRESULT CALLBACK controlSubclassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                     DWORD_PTR ref) {
    auto& c = *reinterpret_cast<LiveControl*>(ref);
    LiveWindow* w = liveWindowOf(h);
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(h, controlSubclassProc, id);
    if (!w) return DefSubclassProc(h, msg, wp, lp);

    if (c.kind == Kind::GroupBox) {
        if (isForwarded(msg)) return SendMessageA(GetAncestor(h, GA_ROOT), msg, wp, lp);
        if (msg == WM_ERASEBKGND) {
            fillBackground(h, reinterpret_cast<HDC>(wp), w->brushOf(c));
            return 1;
        }
        return DefSubclassProc(h, msg, wp, lp);
    }

    if (c.kind == Kind::ImageButton || c.kind == Kind::PictureButton) {
        switch (msg) {
            case WM_MOUSEMOVE:
                if (!c.hover) {
                    c.hover = true;
                    TRACKMOUSEEVENT t = {sizeof t, TME_LEAVE, h, 0};
                    TrackMouseEvent(&t);
                    InvalidateRect(h, nullptr, FALSE);
                }
                break;
            case WM_MOUSELEAVE:
                c.hover = false;
                InvalidateRect(h, nullptr, FALSE);
                break;
            case WM_LBUTTONDBLCLK:  // a quick second click is a click, not a double click
                return DefSubclassProc(h, WM_LBUTTONDOWN, wp, lp);
            case WM_ERASEBKGND: return 1;
            case WM_SETTEXT: {
                LRESULT r = DefSubclassProc(h, msg, wp, lp);
                InvalidateRect(h, nullptr, FALSE);
                return r;
            }
            default: break;
        }
        return DefSubclassProc(h, msg, wp, lp);
    }

    if (c.kind == Kind::TransparentLabel) {
        switch (msg) {
            case WM_ERASEBKGND: return 1;
            case WM_PAINT: paintTransparentLabel(*w, c, h); return 0;
            case WM_SETTEXT:
            case WM_ENABLE: {
                LRESULT r = DefSubclassProc(h, msg, wp, lp);
                InvalidateRect(h, nullptr, FALSE);
                return r;
            }
            default: break;
        }
    }
    if (isStaticKind(c.kind) && msg == WM_LBUTTONDOWN) {
        pressed(*w, c);
        return 0;
    }
    if (isStaticKind(c.kind) && msg == WM_LBUTTONDBLCLK) {
        w->events->raise(c.id, Event::DoubleClick);
        return 0;
    }
    return DefSubclassProc(h, msg, wp, lp);
}

}  // namespace dv

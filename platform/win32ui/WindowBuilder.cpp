#include "platform/win32ui/WindowBuilder.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <utility>

#include "platform/win32ui/Dpi.h"
#include "platform/win32ui/ListView.h"
#include "platform/win32ui/WindowProcs.h"

namespace dv {

namespace {

constexpr int kProgramIcon = 1;  // icon resource of the program
constexpr int kDefaultFontPx = 12;
constexpr int kDropListHeight = 220;  // combos whose table height is only the closed box
constexpr int kComboFrame = 6;        // a closed combo box is its item height and this
constexpr int kTipWidth = 320;        // longest tooltip line

HINSTANCE instance() { return GetModuleHandleA(nullptr); }

HICON programIcon(int size) {
    return static_cast<HICON>(LoadImageA(instance(), MAKEINTRESOURCEA(kProgramIcon), IMAGE_ICON,
                                         size, size, LR_DEFAULTCOLOR | LR_SHARED));
}

// A second registration of a class fails and leaves the first in place.
void registerClass(const char* name, WNDPROC proc, bool withIcon) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    if (withIcon) {
        wc.hIcon = programIcon(GetSystemMetrics(SM_CXICON));
        wc.hIconSm = programIcon(GetSystemMetrics(SM_CXSMICON));
    }
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

void registerClasses() {
    registerClass(kWindowClass, topWindowProc, true);
    registerClass(kPanelClass, panelProc, false);
}

struct ClassAndStyle {
    const char* cls;
    DWORD style;
    DWORD exStyle;
};

ClassAndStyle classOf(const ControlSpec& s) {
    const DWORD drags = (s.flags & kDrags) ? SS_NOTIFY : 0;
    switch (s.kind) {
        case Kind::Label:
        case Kind::TransparentLabel:
            return {"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0};
        case Kind::Picture: return {"STATIC", SS_OWNERDRAW | SS_NOTIFY, 0};
        case Kind::Rule: return {"STATIC", SS_LEFT | drags, 0};
        case Kind::PictureButton: return {"BUTTON", BS_OWNERDRAW | WS_TABSTOP, 0};
        case Kind::ImageButton: return {"BUTTON", BS_OWNERDRAW | WS_TABSTOP, 0};
        case Kind::Panel: return {kPanelClass, WS_CLIPCHILDREN, 0};
        case Kind::GroupBox: return {"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, 0};
        case Kind::Combo: return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
        // Radio groups are kept by the window layer (one group per container).
        case Kind::Radio: return {"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0};
        case Kind::Check: return {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
        case Kind::Edit: return {"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, 0};
        case Kind::ReportList: return {WC_LISTVIEWA, kListStyle | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case Kind::CheckList:
            return {WC_LISTVIEWA, kListStyle | LVS_NOCOLUMNHEADER | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case Kind::Progress: return {PROGRESS_CLASSA, 0, 0};
        default: return {nullptr, 0, 0};
    }
}

bool needsSubclass(Kind k) {
    switch (k) {
        case Kind::Label:
        case Kind::TransparentLabel:
        case Kind::Picture:
        case Kind::Rule:
        case Kind::PictureButton:
        case Kind::ImageButton:
        case Kind::GroupBox: return true;
        default: return false;
    }
}

void addMenuRow(LiveWindow& w, LiveControl& c, const ControlSpec& s) {
    if (s.kind == Kind::Menu) {
        c.menu = CreatePopupMenu();
        return;
    }
    LiveControl* menu = w.find(s.parent);
    if (!menu || !menu->menu) return;
    c.menu = menu->menu;
    if (s.kind == Kind::MenuSeparator) {
        AppendMenuA(c.menu, MF_SEPARATOR, 0, nullptr);
        return;
    }
    UINT flags = MF_STRING;
    if (s.flags & kDisabled) flags |= MF_GRAYED;
    if (s.flags & kChecked) flags |= MF_CHECKED;
    AppendMenuA(c.menu, flags, UINT_PTR(idOf(s.id)), s.text ? s.text : "");
}

// Where a control stands in its container at the window's scale.
RECT placeOf(const LiveControl& c, int dpi) {
    const ControlSpec& s = *c.spec;
    int height = s.kind == Kind::Combo && s.height < 40 ? kDropListHeight : s.height;
    int x = scaled(s.x, dpi), y = scaled(s.y, dpi);
    return {x, y, x + scaled(c.width, dpi), y + scaled(height, dpi)};
}

// What a control's look takes from the scale: its font and a combo's closed height.
void fitToScale(LiveControl& c, WindowKit& kit, int dpi) {
    const ControlSpec& s = *c.spec;
    c.font = kit.font(scaled(s.fontPx > 0 ? s.fontPx : kDefaultFontPx, dpi), (s.flags & kBold) != 0);
    if (!c.hwnd) return;
    SendMessageA(c.hwnd, WM_SETFONT, WPARAM(c.font), FALSE);
    // A small table height is the closed box itself: make the box that high.
    if (s.kind == Kind::Combo && s.height < 40)
        SendMessageA(c.hwnd, CB_SETITEMHEIGHT, WPARAM(-1), scaled(s.height, dpi) - kComboFrame);
}

void initialiseControl(LiveWindow& w, LiveControl& c, const ControlSpec& s, WindowKit& kit) {
    HWND h = c.hwnd;
    fitToScale(c, kit, w.dpi);
    switch (s.kind) {
        case Kind::Combo: {
            if (kit.comboItems)
                for (const std::string& item : kit.comboItems(s.id))
                    SendMessageA(h, CB_ADDSTRING, 0, LPARAM(item.c_str()));
            break;
        }
        case Kind::Radio:
        case Kind::Check:
            kit.dropVisualStyle(h);
            if (s.flags & kChecked) SendMessageA(h, BM_SETCHECK, BST_CHECKED, 0);
            break;
        case Kind::GroupBox: kit.dropVisualStyle(h); break;
        case Kind::ReportList:
        case Kind::CheckList: {
            std::vector<ListColumn> columns = kit.tables.columns(s.id);
            for (ListColumn& column : columns) column.width = scaled(column.width, w.dpi);
            c.rows = std::make_unique<ListRows>(h, columns, s.kind == Kind::ReportList);
            break;
        }
        case Kind::Progress: SendMessageA(h, PBM_SETRANGE32, 0, 100); break;
        default: break;
    }
    if (needsSubclass(s.kind)) SetWindowSubclass(h, controlSubclassProc, 1, DWORD_PTR(&c));
    if (namedByTooltip(s)) c.caption = s.text ? s.text : "";
    const char* tip = s.tooltip ? s.tooltip : "";
    if (*tip || s.tooltipKey) setToolText(w, c, tip);
}

void addControl(LiveWindow& w, const ControlSpec& s, size_t order, WindowKit& kit) {
    LiveControl temp;
    temp.id = s.id;
    temp.kind = s.kind;
    temp.spec = &s;
    temp.container = s.parent;
    temp.order = order;
    temp.backRgb = s.backColour;
    temp.textRgb = s.textColour == kNoColour ? 0 : s.textColour;
    temp.width = s.width;
    if (s.kind == Kind::MenuSeparator) {  // nameless: only its menu holds it
        addMenuRow(w, temp, s);
        return;
    }
    LiveControl& c = w.controls.emplace(s.id, std::move(temp)).first->second;

    if (s.kind == Kind::Menu || s.kind == Kind::MenuItem) {
        addMenuRow(w, c, s);
        return;
    }
    if (s.kind == Kind::Timer) {
        c.timerMs = s.timerMs > 0 ? s.timerMs : 0;
        if (c.timerMs) SetTimer(w.hwnd, UINT_PTR(idOf(s.id)), UINT(c.timerMs), nullptr);
        return;
    }
    ClassAndStyle cs = classOf(s);
    if (!cs.cls) return;
    HWND parent = w.hwnd;
    if (LiveControl* p = w.find(s.parent); p && p->hwnd) parent = p->hwnd;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | cs.style;
    if (!(s.flags & kHidden)) style |= WS_VISIBLE;
    if (s.flags & kDisabled) style |= WS_DISABLED;
    RECT r = placeOf(c, w.dpi);
    const char* text = s.text && !namedByTooltip(s) ? s.text : "";
    c.hwnd = CreateWindowExA(cs.exStyle, cs.cls, text, style, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, parent, reinterpret_cast<HMENU>(INT_PTR(idOf(s.id))),
                             instance(), nullptr);
    if (c.hwnd) initialiseControl(w, c, s, kit);
}

// Later rows of a table are drawn over earlier ones.
void stackInTableOrder(LiveWindow& w) {
    for (size_t i = 0; i < w.spec->controlCount; ++i) {
        LiveControl* c = w.find(w.spec->controls[i].id);
        if (c && c->hwnd)
            SetWindowPos(c->hwnd, HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
}

bool hasAnimatedPicture(const WindowSpec& spec) {
    for (size_t i = 0; i < spec.controlCount; ++i)
        if (spec.controls[i].flags & kAnimated) return true;
    return false;
}

}  // namespace

WindowKit::WindowKit(const WindowTables& tables, ComboItems comboItems)
    : tables(tables), comboItems(comboItems) {
    becomePerMonitorAware();
    registerClasses();
    uxtheme_ = LoadLibraryA("uxtheme.dll");
    FARPROC fn = uxtheme_ ? GetProcAddress(uxtheme_, "SetWindowTheme") : nullptr;
    setTheme_ = reinterpret_cast<SetThemeFn>(reinterpret_cast<void*>(fn));
}

WindowKit::~WindowKit() {
    for (auto& [key, font] : fonts_)
        if (font) DeleteObject(font);
    if (uxtheme_) FreeLibrary(uxtheme_);
}

HFONT WindowKit::font(int px, bool bold) {
    auto key = std::make_pair(px, bold);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    HFONT f = CreateFontA(-px, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
    fonts_[key] = f;
    return f;
}

void WindowKit::dropVisualStyle(HWND control) const {
    if (setTheme_) setTheme_(control, L"", L"");
}

void setToolText(LiveWindow& w, LiveControl& c, const std::string& text) {
    c.tooltip = text;
    if (c.hwnd && namedByTooltip(*c.spec)) SetWindowTextA(c.hwnd, text.c_str());
    if (!w.tooltip || !c.hwnd) return;
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;  // understood by every common-controls version
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = w.hwnd;
    ti.uId = UINT_PTR(c.hwnd);
    ti.lpszText = const_cast<char*>(c.tooltip.c_str());
    if (!c.hasTool)
        c.hasTool = SendMessageA(w.tooltip, TTM_ADDTOOLA, 0, LPARAM(&ti)) != 0;
    else
        SendMessageA(w.tooltip, TTM_UPDATETIPTEXTA, 0, LPARAM(&ti));
}

void centreWindow(HWND hwnd) {
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &mi)) work = mi.rcWork;
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    GetWindowPlacement(hwnd, &wp);
    RECT& r = wp.rcNormalPosition;
    int w = r.right - r.left, h = r.bottom - r.top;
    int x = work.left + std::max(0L, ((work.right - work.left) - w) / 2);
    int y = work.top + std::max(0L, ((work.bottom - work.top) - h) / 2);
    if (IsIconic(hwnd)) {
        // A minimised window keeps the place it comes back to.
        OffsetRect(&r, x - r.left, y - r.top);
        wp.showCmd = SW_SHOWMINNOACTIVE;
        SetWindowPlacement(hwnd, &wp);
    } else {
        SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void fitWindowSize(LiveWindow& w) {
    const DWORD style = DWORD(GetWindowLongA(w.hwnd, GWL_STYLE));
    const DWORD exStyle = DWORD(GetWindowLongA(w.hwnd, GWL_EXSTYLE));
    SIZE size = windowSizeFor(std::max(0, w.width), std::max(0, w.height), style, exStyle, w.dpi);
    SetWindowPos(w.hwnd, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void placeControl(LiveWindow& w, LiveControl& c) {
    if (!c.hwnd) return;
    RECT r = placeOf(c, w.dpi);
    SetWindowPos(c.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void rescaleWindow(LiveWindow& w, int dpi, const RECT& suggested) {
    if (dpi <= 0 || dpi == w.dpi) return;
    const int before = w.dpi;
    w.dpi = dpi;
    SetWindowPos(w.hwnd, nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    fitWindowSize(w);
    for (auto& [id, c] : w.controls) {
        if (!c.hwnd) continue;
        fitToScale(c, *w.kit, dpi);
        placeControl(w, c);
        if (c.rows) c.rows->rescaleColumns(before, dpi);
        c.still.reset();
    }
    if (w.tooltip) SendMessageA(w.tooltip, TTM_SETMAXTIPWIDTH, 0, scaled(kTipWidth, dpi));
    RedrawWindow(w.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

std::unique_ptr<LiveWindow> buildWindow(const WindowSpec& spec, WindowEvents& events,
                                        WindowKit& kit) {
    auto w = std::make_unique<LiveWindow>();
    w->id = spec.id;
    w->spec = &spec;
    w->events = &events;
    w->kit = &kit;
    w->backRgb = spec.backColour == kNoColour ? 0xC0C0C0 : spec.backColour;
    w->width = spec.width;
    w->height = spec.height;

    // No system frame; the window never sizes, and it can be minimised from the taskbar.
    // It is made first and sized once its monitor's scale is known.
    const DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX;
    const DWORD exStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
    HWND hwnd = CreateWindowExA(exStyle, kWindowClass, spec.caption ? spec.caption : "", style,
                                0, 0, 0, 0, nullptr, nullptr, instance(), w.get());
    if (!hwnd) return nullptr;
    w->hwnd = hwnd;
    w->dpi = dpiOf(hwnd);
    fitWindowSize(*w);
    centreWindow(hwnd);
    if (HICON big = programIcon(GetSystemMetrics(SM_CXICON)))
        SendMessageA(hwnd, WM_SETICON, ICON_BIG, LPARAM(big));
    if (HICON small = programIcon(GetSystemMetrics(SM_CXSMICON)))
        SendMessageA(hwnd, WM_SETICON, ICON_SMALL, LPARAM(small));

    w->tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr,
                                 instance(), nullptr);
    if (w->tooltip) SendMessageA(w->tooltip, TTM_SETMAXTIPWIDTH, 0, scaled(kTipWidth, w->dpi));

    for (size_t i = 0; i < spec.controlCount; ++i) addControl(*w, spec.controls[i], i, kit);
    stackInTableOrder(*w);
    if (hasAnimatedPicture(spec)) SetTimer(hwnd, kAnimationTimer, kAnimationMs, nullptr);
    return w;
}

}  // namespace dv

// The control operations of Win32Ui: captions, states, combos, colours, timers, lists.
#include "platform/win32ui/Win32Ui.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "platform/win32ui/ListView.h"
#include "platform/win32ui/WindowBuilder.h"
#include "platform/win32ui/WindowProcs.h"

namespace dv {

namespace {

bool hasStyle(HWND h, LONG bits) { return (GetWindowLongA(h, GWL_STYLE) & bits) == bits; }

// Hiding or disabling the control that has the keyboard focus hands it to the window.
void keepFocusUsable(HWND control) {
    HWND f = GetFocus();
    if (f && (f == control || IsChild(control, f))) SetFocus(GetAncestor(control, GA_ROOT));
}

std::string comboText(HWND combo, int index) {
    int len = int(SendMessageA(combo, CB_GETLBTEXTLEN, WPARAM(index), 0));
    if (len < 0) return {};
    std::vector<char> buf(size_t(len) + 1, 0);
    SendMessageA(combo, CB_GETLBTEXT, WPARAM(index), LPARAM(buf.data()));
    return std::string(buf.data());
}

}  // namespace

ListRows* Win32Ui::listRows(Ctl list) const {
    LiveControl* c = control(list);
    return c ? c->rows.get() : nullptr;
}

void Win32Ui::setText(Ctl c, const std::string& text) {
    if (!onGuiThread() && relayed([=] { setText(c, text); })) return;
    if (LiveWindow* w = window(c)) {
        SetWindowTextA(w->hwnd, text.c_str());
        return;
    }
    LiveControl* lc = control(c);
    if (!lc) return;
    switch (lc->kind) {
        case Kind::MenuItem: {
            MENUITEMINFOA mi = {};
            mi.cbSize = sizeof mi;
            mi.fMask = MIIM_STRING;
            mi.dwTypeData = const_cast<char*>(text.c_str());
            SetMenuItemInfoA(lc->menu, UINT(idOf(c)), FALSE, &mi);
            break;
        }
        case Kind::Combo: {
            // A drop-down list shows only its items: the text selects the item that has it.
            LRESULT i = SendMessageA(lc->hwnd, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(text.c_str()));
            if (i != CB_ERR) SendMessageA(lc->hwnd, CB_SETCURSEL, WPARAM(i), 0);
            break;
        }
        case Kind::Menu:
        case Kind::Timer:
        case Kind::ReportList:
        case Kind::CheckList: break;
        case Kind::ImageButton:
        case Kind::PictureButton:
            if (namedByTooltip(*lc->spec)) {  // its window text is its name
                lc->caption = text;
                if (lc->hwnd) InvalidateRect(lc->hwnd, nullptr, FALSE);
                break;
            }
            [[fallthrough]];
        default:
            if (lc->hwnd) SetWindowTextA(lc->hwnd, text.c_str());
            break;
    }
}

std::string Win32Ui::text(Ctl c) const {
    if (LiveWindow* w = window(c)) return windowText(w->hwnd);
    LiveControl* lc = control(c);
    if (!lc) return {};
    if (lc->kind == Kind::MenuItem) {
        char buf[512] = {};
        GetMenuStringA(lc->menu, UINT(idOf(c)), buf, sizeof buf, MF_BYCOMMAND);
        return buf;
    }
    if (lc->kind == Kind::Menu) return lc->spec->text ? lc->spec->text : "";
    if (namedByTooltip(*lc->spec)) return lc->caption;
    if (lc->kind == Kind::Combo) {
        int sel = int(SendMessageA(lc->hwnd, CB_GETCURSEL, 0, 0));
        return sel >= 0 ? comboText(lc->hwnd, sel) : std::string();
    }
    return lc->hwnd ? windowText(lc->hwnd) : std::string();
}

void Win32Ui::setTooltip(Ctl c, const std::string& text) {
    if (!onGuiThread() && relayed([=] { setTooltip(c, text); })) return;
    LiveWindow* w = window(kit_.tables.windowOf(c));
    LiveControl* lc = control(c);
    if (w && lc) setToolText(*w, *lc, text);
}

std::string Win32Ui::tooltip(Ctl c) const {
    LiveControl* lc = control(c);
    return lc ? lc->tooltip : std::string();
}

void Win32Ui::setVisible(Ctl c, bool visible) {
    if (!onGuiThread() && relayed([=] { setVisible(c, visible); })) return;
    if (LiveWindow* w = window(c)) {
        int show = !visible ? SW_HIDE : w->showMinimised ? SW_SHOWMINIMIZED : SW_SHOW;
        w->showMinimised = false;
        ShowWindow(w->hwnd, show);
        if (visible) RedrawWindow(w->hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        return;
    }
    LiveWindow* w = window(kit_.tables.windowOf(c));
    LiveControl* lc = control(c);
    if (!w || !lc || !lc->hwnd) return;
    if (hasStyle(lc->hwnd, WS_VISIBLE) == visible) return;
    RECT before = rectInParent(lc->hwnd);
    if (!visible) keepFocusUsable(lc->hwnd);
    ShowWindow(lc->hwnd, visible ? SW_SHOWNA : SW_HIDE);
    repaintOverlays(*w, *lc, before);
}

bool Win32Ui::isVisible(Ctl c) const {
    if (LiveWindow* w = window(c)) return hasStyle(w->hwnd, WS_VISIBLE);
    LiveControl* lc = control(c);
    if (!lc) return false;
    return lc->hwnd ? hasStyle(lc->hwnd, WS_VISIBLE) : true;
}

void Win32Ui::setEnabled(Ctl c, bool enabled) {
    if (!onGuiThread() && relayed([=] { setEnabled(c, enabled); })) return;
    if (LiveWindow* w = window(c)) {
        EnableWindow(w->hwnd, enabled);
        return;
    }
    LiveControl* lc = control(c);
    if (!lc) return;
    if (lc->kind == Kind::MenuItem) {
        EnableMenuItem(lc->menu, UINT(idOf(c)), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
        return;
    }
    if (!lc->hwnd) return;
    if (!enabled) keepFocusUsable(lc->hwnd);
    EnableWindow(lc->hwnd, enabled);
}

bool Win32Ui::isEnabled(Ctl c) const {
    if (LiveWindow* w = window(c)) return IsWindowEnabled(w->hwnd) != FALSE;
    LiveControl* lc = control(c);
    if (!lc) return false;
    if (lc->kind == Kind::MenuItem)
        return !(GetMenuState(lc->menu, UINT(idOf(c)), MF_BYCOMMAND) & MF_GRAYED);
    return lc->hwnd ? !hasStyle(lc->hwnd, WS_DISABLED) : true;
}

void Win32Ui::setChecked(Ctl c, bool checked) {
    if (!onGuiThread() && relayed([=] { setChecked(c, checked); })) return;
    LiveWindow* w = window(kit_.tables.windowOf(c));
    LiveControl* lc = control(c);
    if (!w || !lc) return;
    if (lc->kind == Kind::MenuItem) {
        CheckMenuItem(lc->menu, UINT(idOf(c)), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
        return;
    }
    if (lc->kind != Kind::Check && lc->kind != Kind::Radio) return;
    SendMessageA(lc->hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (lc->kind != Kind::Radio || !checked) return;
    // The radio buttons of one container form one group.
    for (auto& [id, o] : w->controls)
        if (&o != lc && o.kind == Kind::Radio && o.container == lc->container && o.hwnd)
            SendMessageA(o.hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
}

bool Win32Ui::isChecked(Ctl c) const {
    LiveControl* lc = control(c);
    if (!lc) return false;
    if (lc->kind == Kind::MenuItem)
        return (GetMenuState(lc->menu, UINT(idOf(c)), MF_BYCOMMAND) & MF_CHECKED) != 0;
    if (lc->kind != Kind::Check && lc->kind != Kind::Radio) return false;
    return SendMessageA(lc->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int Win32Ui::comboCount(Ctl c) const {
    LiveControl* lc = control(c);
    if (!lc || lc->kind != Kind::Combo) return 0;
    return std::max(0, int(SendMessageA(lc->hwnd, CB_GETCOUNT, 0, 0)));
}

std::string Win32Ui::comboItem(Ctl c, int index) const {
    LiveControl* lc = control(c);
    if (!lc || lc->kind != Kind::Combo || index < 0 || index >= comboCount(c)) return {};
    return comboText(lc->hwnd, index);
}

void Win32Ui::comboAdd(Ctl c, const std::string& item) {
    if (!onGuiThread() && relayed([=] { comboAdd(c, item); })) return;
    LiveControl* lc = control(c);
    if (lc && lc->kind == Kind::Combo) SendMessageA(lc->hwnd, CB_ADDSTRING, 0, LPARAM(item.c_str()));
}

void Win32Ui::comboSetItem(Ctl c, int index, const std::string& item) {
    if (!onGuiThread() && relayed([=] { comboSetItem(c, index, item); })) return;
    LiveControl* lc = control(c);
    if (!lc || lc->kind != Kind::Combo || index < 0 || index >= comboCount(c)) return;
    const bool selected = comboSelection(c) == index;
    SendMessageA(lc->hwnd, CB_DELETESTRING, WPARAM(index), 0);
    SendMessageA(lc->hwnd, CB_INSERTSTRING, WPARAM(index), LPARAM(item.c_str()));
    if (selected) SendMessageA(lc->hwnd, CB_SETCURSEL, WPARAM(index), 0);
}

int Win32Ui::comboSelection(Ctl c) const {
    LiveControl* lc = control(c);
    if (!lc || lc->kind != Kind::Combo) return -1;
    int sel = int(SendMessageA(lc->hwnd, CB_GETCURSEL, 0, 0));
    return sel >= 0 ? sel : -1;
}

void Win32Ui::setComboSelection(Ctl c, int index) {
    if (!onGuiThread() && relayed([=] { setComboSelection(c, index); })) return;
    LiveControl* lc = control(c);
    if (!lc || lc->kind != Kind::Combo) return;
    if (index < 0 || index >= comboCount(c)) index = -1;
    SendMessageA(lc->hwnd, CB_SETCURSEL, WPARAM(index), 0);
}

void Win32Ui::setWidth(Ctl c, int width) {
    if (!onGuiThread() && relayed([=] { setWidth(c, width); })) return;
    LiveWindow* w = window(kit_.tables.windowOf(c));
    LiveControl* lc = control(c);
    if (!w || !lc || !lc->hwnd) return;
    RECT before = rectInParent(lc->hwnd);
    lc->width = std::max(0, width);
    placeControl(*w, *lc);
    repaintOverlays(*w, *lc, before);
}

void Win32Ui::setBackColour(Ctl c, uint32_t rgb) {
    if (!onGuiThread() && relayed([=] { setBackColour(c, rgb); })) return;
    rgb &= 0xFFFFFF;
    if (LiveWindow* w = window(c)) {
        w->backRgb = rgb;
        RedrawWindow(w->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return;
    }
    LiveWindow* w = window(kit_.tables.windowOf(c));
    LiveControl* lc = control(c);
    if (!w || !lc || !lc->hwnd) return;
    lc->backRgb = rgb;
    // Containers pass their colour on to the children that have none of their own.
    RedrawWindow(lc->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    repaintOverlays(*w, *lc, rectInParent(lc->hwnd));
}

uint32_t Win32Ui::backColour(Ctl c) const {
    if (LiveWindow* w = window(c)) return w->backRgb;
    LiveWindow* w = window(kit_.tables.windowOf(c));
    LiveControl* lc = control(c);
    if (w && lc) return w->backOf(*lc);
    const ControlSpec* spec = kit_.tables.control(c);
    return spec && spec->backColour != kNoColour ? spec->backColour : 0;
}

void Win32Ui::setTimer(Ctl timer, int intervalMs) {
    if (!onGuiThread() && relayed([=] { setTimer(timer, intervalMs); })) return;
    LiveWindow* w = window(kit_.tables.windowOf(timer));
    LiveControl* lc = control(timer);
    if (!w || !lc || lc->kind != Kind::Timer) return;
    lc->timerMs = std::max(0, intervalMs);
    if (lc->timerMs > 0)
        SetTimer(w->hwnd, UINT_PTR(idOf(timer)), UINT(lc->timerMs), nullptr);
    else
        KillTimer(w->hwnd, UINT_PTR(idOf(timer)));
}

int Win32Ui::timerInterval(Ctl timer) const {
    LiveControl* lc = control(timer);
    return lc && lc->kind == Kind::Timer ? lc->timerMs : 0;
}

void Win32Ui::setProgress(Ctl bar, int value) {
    if (!onGuiThread() && relayed([=] { setProgress(bar, value); })) return;
    LiveControl* lc = control(bar);
    if (lc && lc->kind == Kind::Progress)
        SendMessageA(lc->hwnd, PBM_SETPOS, WPARAM(std::min(100, std::max(0, value))), 0);
}

int Win32Ui::rowCount(Ctl list) const {
    ListRows* rows = listRows(list);
    return rows ? rows->rowCount() : 0;
}

void Win32Ui::clearRows(Ctl list) {
    if (!onGuiThread() && relayed([=] { clearRows(list); })) return;
    if (ListRows* rows = listRows(list)) {
        holdListPainting(rows->handle());
        rows->clear();
    }
}

void Win32Ui::removeRow(Ctl list, int row) {
    if (!onGuiThread() && relayed([=] { removeRow(list, row); })) return;
    if (ListRows* rows = listRows(list)) {
        // The last row costs the control nothing until the next sync (ListRows::removeRow).
        if (row + 1 < rows->rowCount()) holdListPainting(rows->handle());
        rows->removeRow(row);
    }
}

int Win32Ui::appendRow(Ctl list, const std::string& firstColumn) {
    ListRows* rows = onGuiThread() ? listRows(list) : nullptr;
    if (!rows) return -1;
    holdListPainting(rows->handle());
    return rows->appendRow(firstColumn);
}

void Win32Ui::setCell(Ctl list, int row, int column, const std::string& text) {
    if (!onGuiThread() && relayed([=] { setCell(list, row, column, text); })) return;
    if (ListRows* rows = listRows(list)) {
        holdListPainting(rows->handle());
        rows->setCell(row, column, text);
    }
}

std::string Win32Ui::cell(Ctl list, int row, int column) const {
    ListRows* rows = listRows(list);
    return rows ? rows->cell(row, column) : std::string();
}

bool Win32Ui::isTicked(Ctl list, int row) const {
    ListRows* rows = listRows(list);
    return rows && rows->ticked(row);
}

void Win32Ui::setTicked(Ctl list, int row, bool ticked) {
    if (!onGuiThread() && relayed([=] { setTicked(list, row, ticked); })) return;
    if (ListRows* rows = listRows(list)) rows->setTicked(row, ticked);
}

int Win32Ui::currentRow(Ctl list) const {
    ListRows* rows = listRows(list);
    return rows ? rows->currentRow() : -1;
}

void Win32Ui::setCurrentRow(Ctl list, int row) {
    if (!onGuiThread() && relayed([=] { setCurrentRow(list, row); })) return;
    if (ListRows* rows = listRows(list)) rows->setCurrentRow(row);
}

void Win32Ui::setColumnTitle(Ctl list, int column, const std::string& title) {
    if (!onGuiThread() && relayed([=] { setColumnTitle(list, column, title); })) return;
    if (ListRows* rows = listRows(list)) rows->setColumnTitle(column, title);
}

}  // namespace dv

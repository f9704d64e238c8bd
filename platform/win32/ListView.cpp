#include "platform/win32/ListView.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "forms/ControlSpec.h"

namespace dv {

namespace {

bool validRow(HWND list, int row) { return row >= 0 && row < listRowCount(list); }

void insertColumn(HWND list, int index, const char* title, int width) {
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = const_cast<char*>(title);
    col.cx = width;
    col.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, WPARAM(index), LPARAM(&col));
}

}  // namespace

void setUpList(HWND list, Ctl id, bool withHeader) {
    DWORD ex = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
    if (withHeader) ex |= LVS_EX_GRIDLINES;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
    std::vector<ListColumn> columns = listColumns(id);
    if (withHeader && !columns.empty()) {
        for (size_t i = 0; i < columns.size(); ++i)
            insertColumn(list, int(i), columns[i].title ? columns[i].title : "", columns[i].width);
        return;
    }
    RECT r;
    GetClientRect(list, &r);
    insertColumn(list, 0, "", r.right - r.left - GetSystemMetrics(SM_CXVSCROLL));
}

int listRowCount(HWND list) { return int(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

void listClear(HWND list) { SendMessageA(list, LVM_DELETEALLITEMS, 0, 0); }

void listRemoveRow(HWND list, int row) {
    if (validRow(list, row)) SendMessageA(list, LVM_DELETEITEM, WPARAM(row), 0);
}

int listAppendRow(HWND list, const std::string& firstColumn) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = listRowCount(list);
    item.pszText = const_cast<char*>(firstColumn.c_str());
    return int(SendMessageA(list, LVM_INSERTITEMA, 0, LPARAM(&item)));
}

void listSetCell(HWND list, int row, int column, const std::string& text) {
    if (!validRow(list, row) || column < 0) return;
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, WPARAM(row), LPARAM(&item));
}

std::string listCell(HWND list, int row, int column) {
    if (!validRow(list, row) || column < 0) return {};
    // Grow the buffer until the text fits: paths may be long.
    for (int size = 1024; size <= 65536; size *= 4) {
        std::vector<char> buf(size, 0);
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = buf.data();
        item.cchTextMax = size;
        int len = int(SendMessageA(list, LVM_GETITEMTEXTA, WPARAM(row), LPARAM(&item)));
        if (len < size - 1) return std::string(buf.data(), std::max(0, len));
    }
    return {};
}

bool listTicked(HWND list, int row) {
    if (!validRow(list, row)) return false;
    UINT state = UINT(SendMessageA(list, LVM_GETITEMSTATE, WPARAM(row), LVIS_STATEIMAGEMASK));
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void listSetTicked(HWND list, int row, bool ticked) {
    if (!validRow(list, row)) return;
    LVITEMA item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
    SendMessageA(list, LVM_SETITEMSTATE, WPARAM(row), LPARAM(&item));
}

int listCurrentRow(HWND list) {
    int row = int(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
    if (row < 0) row = int(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED));
    return row;
}

void listSetCurrentRow(HWND list, int row) {
    if (!validRow(list, row)) return;
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, WPARAM(row), LPARAM(&item));
    SendMessageA(list, LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
}

void listSetColumnTitle(HWND list, int column, const std::string& title) {
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT;
    col.pszText = const_cast<char*>(title.c_str());
    SendMessageA(list, LVM_SETCOLUMNA, WPARAM(column), LPARAM(&col));
}

}  // namespace dv

#include "platform/win32ui/ListView.h"

#include <algorithm>
#include <map>
#include <vector>

#include "text/Text.h"

namespace dv {

namespace {

// The rows of one list. A row's cells are kept in one string, joined by '\0', which
// keeps a five-column row to one allocation.
struct Rows {
    std::vector<std::string> cells;
    std::vector<unsigned char> ticks;
    int shown = 0;         // the row count the control knows
    bool repaint = false;  // a shown row changed since the last sync
};

std::map<HWND, Rows>& allLists() {
    static std::map<HWND, Rows> lists;  // GUI thread only
    return lists;
}

Rows* rowsOf(HWND list) {
    auto& lists = allLists();
    auto it = lists.find(list);
    return it == lists.end() ? nullptr : &it->second;
}

bool validRow(const Rows* rows, int row) {
    return rows && row >= 0 && row < int(rows->cells.size());
}

// Where column `column` of a joined row starts; npos when the row has fewer columns.
size_t columnStart(const std::string& joined, int column) {
    size_t at = 0;
    for (int c = 0; c < column; ++c) {
        at = joined.find('\0', at);
        if (at == std::string::npos) return at;
        ++at;
    }
    return at;
}

std::string cellOf(const std::string& joined, int column) {
    const size_t begin = columnStart(joined, column);
    if (begin == std::string::npos) return {};
    const size_t end = joined.find('\0', begin);
    return joined.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

void putCell(std::string& joined, int column, const std::string& text) {
    const std::string clean = text.substr(0, text.find('\0'));  // a '\0' would split the cell
    const size_t begin = columnStart(joined, column);
    if (begin == std::string::npos) {  // the row ends before this column: add the empty ones
        const auto columns = size_t(std::count(joined.begin(), joined.end(), '\0')) + 1;
        joined.append(size_t(column) + 1 - columns, '\0');
        joined += clean;
        return;
    }
    const size_t end = joined.find('\0', begin);
    joined.replace(begin, end == std::string::npos ? std::string::npos : end - begin, clean);
}

// The control learns rows appended since the last sync, without scrolling and without
// repainting the rows it already shows.
void showAppended(HWND list, Rows& rows) {
    const int count = int(rows.cells.size());
    if (rows.shown == count) return;
    SendMessageA(list, LVM_SETITEMCOUNT, WPARAM(count), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    rows.shown = count;
}

void setTick(Rows& rows, int row, bool ticked) {
    rows.ticks[size_t(row)] = ticked;
    if (row < rows.shown) rows.repaint = true;
}

// A tick box pressed with the mouse or the space bar: the control of an owner-data list
// keeps no tick, so the list turns it here, where the control would for a list of its own.
void toggle(HWND list, int row) {
    Rows* rows = rowsOf(list);
    if (!validRow(rows, row)) return;
    showAppended(list, *rows);
    setTick(*rows, row, !rows->ticks[size_t(row)]);
    SendMessageA(list, LVM_REDRAWITEMS, WPARAM(row), LPARAM(row));
}

LRESULT CALLBACK listProc(HWND list, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
    switch (msg) {
        case WM_LBUTTONDOWN: {
            LVHITTESTINFO hit = {};
            hit.pt.x = short(LOWORD(lp));
            hit.pt.y = short(HIWORD(lp));
            const int row = int(SendMessageA(list, LVM_HITTEST, 0, LPARAM(&hit)));
            if (row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) toggle(list, row);
            break;
        }
        case WM_KEYDOWN:
            if (wp == VK_SPACE)
                toggle(list, int(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED)));
            break;
        case WM_NCDESTROY: {
            LRESULT r = DefSubclassProc(list, msg, wp, lp);
            RemoveWindowSubclass(list, listProc, id);
            allLists().erase(list);
            return r;
        }
        default: break;
    }
    return DefSubclassProc(list, msg, wp, lp);
}

void insertColumn(HWND list, int index, const char* title, int width) {
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = const_cast<char*>(title);
    col.cx = width;
    col.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, WPARAM(index), LPARAM(&col));
}

// Copies a cell into the control's buffer, cut to its size.
void copyText(const std::string& text, LVITEMA& item, bool wide) {
    if (!item.pszText || item.cchTextMax <= 0) return;
    if (!wide) {
        lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
        return;
    }
    auto* out = reinterpret_cast<wchar_t*>(item.pszText);
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), int(text.size()), nullptr, 0);
    std::vector<wchar_t> all(size_t(n) + 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), int(text.size()), all.data(), n);
    const int keep = std::min(n, item.cchTextMax - 1);
    std::copy(all.begin(), all.begin() + keep, out);
    out[keep] = L'\0';
}

// The first row from `find.iStart` on, wrapping round, whose first column starts with
// the letters typed, compared without case: the list's type-ahead. -1 when none does.
LRESULT findRow(const Rows& rows, const NMLVFINDITEMA& find, bool wide) {
    std::string typed;
    if (wide) {
        const auto* text = reinterpret_cast<const wchar_t*>(find.lvfi.psz);
        const int n = text ? WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr) : 0;
        if (n > 1) {
            typed.resize(size_t(n));
            WideCharToMultiByte(CP_ACP, 0, text, -1, &typed[0], n, nullptr, nullptr);
            typed.resize(size_t(n - 1));
        }
    } else if (find.lvfi.psz) {
        typed = find.lvfi.psz;
    }
    const int count = int(rows.cells.size());
    if (typed.empty() || count == 0 || !(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL))) return -1;
    const int start = find.iStart >= 0 && find.iStart < count ? find.iStart : 0;
    const int span = (find.lvfi.flags & LVFI_WRAP) ? count : count - start;
    for (int k = 0; k < span; ++k) {
        const int row = (start + k) % count;
        const std::string name = cellOf(rows.cells[size_t(row)], 0);
        const bool partial = (find.lvfi.flags & LVFI_PARTIAL) != 0;
        if (partial ? startsWithNoCase(name, typed) : sameNoCase(name, typed)) return row;
    }
    return -1;
}

}  // namespace

void setUpList(HWND list, const std::vector<ListColumn>& columns, bool withHeader) {
    allLists()[list] = Rows{};
    SetWindowSubclass(list, listProc, 1, 0);
    // The tick of a row is ours to tell: the control asks for it with the texts.
    SendMessageA(list, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
    DWORD ex = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
    if (withHeader) ex |= LVS_EX_GRIDLINES;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
    if (withHeader && !columns.empty()) {
        for (size_t i = 0; i < columns.size(); ++i)
            insertColumn(list, int(i), columns[i].title ? columns[i].title : "", columns[i].width);
        return;
    }
    RECT r;
    GetClientRect(list, &r);
    insertColumn(list, 0, "", r.right - r.left - GetSystemMetrics(SM_CXVSCROLL));
}

int listRowCount(HWND list) {
    const Rows* rows = rowsOf(list);
    return rows ? int(rows->cells.size()) : 0;
}

void listClear(HWND list) {
    Rows* rows = rowsOf(list);
    if (!rows) return;
    rows->cells.clear();
    rows->ticks.clear();
    rows->cells.shrink_to_fit();  // a search of 200,000 rows leaves no memory behind
    rows->ticks.shrink_to_fit();
    rows->shown = 0;
    rows->repaint = false;
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
}

void listRemoveRow(HWND list, int row) {
    Rows* rows = rowsOf(list);
    if (!validRow(rows, row)) return;
    showAppended(list, *rows);
    // The control moves its selection and focus up first, asking for the row if it
    // needs it; then the row goes from the store.
    SendMessageA(list, LVM_DELETEITEM, WPARAM(row), 0);
    rows = rowsOf(list);
    if (!validRow(rows, row)) return;
    rows->cells.erase(rows->cells.begin() + row);
    rows->ticks.erase(rows->ticks.begin() + row);
    rows->shown = int(rows->cells.size());
}

int listAppendRow(HWND list, const std::string& firstColumn) {
    Rows* rows = rowsOf(list);
    if (!rows) return -1;
    rows->cells.push_back(firstColumn.substr(0, firstColumn.find('\0')));
    rows->ticks.push_back(0);
    return int(rows->cells.size()) - 1;
}

void listSetCell(HWND list, int row, int column, const std::string& text) {
    Rows* rows = rowsOf(list);
    if (!validRow(rows, row) || column < 0) return;
    putCell(rows->cells[size_t(row)], column, text);
    if (row < rows->shown) rows->repaint = true;
}

std::string listCell(HWND list, int row, int column) {
    const Rows* rows = rowsOf(list);
    if (!validRow(rows, row) || column < 0) return {};
    return cellOf(rows->cells[size_t(row)], column);
}

bool listTicked(HWND list, int row) {
    const Rows* rows = rowsOf(list);
    return validRow(rows, row) && rows->ticks[size_t(row)] != 0;
}

void listSetTicked(HWND list, int row, bool ticked) {
    Rows* rows = rowsOf(list);
    if (validRow(rows, row)) setTick(*rows, row, ticked);
}

int listCurrentRow(HWND list) {
    int row = int(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
    if (row < 0) row = int(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED));
    return row;
}

void listSetCurrentRow(HWND list, int row) {
    Rows* rows = rowsOf(list);
    if (!validRow(rows, row)) return;
    showAppended(list, *rows);
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

void listSyncAll() {
    for (auto& [list, rows] : allLists()) {
        showAppended(list, rows);
        if (rows.repaint) InvalidateRect(list, nullptr, FALSE);
        rows.repaint = false;
    }
}

bool listAnswer(const NMHDR& nm, LRESULT& result) {
    const Rows* rows = rowsOf(nm.hwndFrom);
    if (!rows) return false;
    if (nm.code == UINT(LVN_ODFINDITEMA) || nm.code == UINT(LVN_ODFINDITEMW)) {
        result = findRow(*rows, reinterpret_cast<const NMLVFINDITEMA&>(nm),
                         nm.code == UINT(LVN_ODFINDITEMW));
        return true;
    }
    const bool wide = nm.code == UINT(LVN_GETDISPINFOW);
    if (!wide && nm.code != UINT(LVN_GETDISPINFOA)) return false;
    // The ANSI and wide forms differ only in the type the text pointer points to.
    LVITEMA& item = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(nm)).item;
    const bool valid = validRow(rows, item.iItem);
    if (item.mask & LVIF_TEXT)
        copyText(valid ? cellOf(rows->cells[size_t(item.iItem)], item.iSubItem) : std::string(),
                 item, wide);
    if (item.mask & LVIF_STATE) {
        const bool ticked = valid && rows->ticks[size_t(item.iItem)] != 0;
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
    }
    result = 0;
    return true;
}

}  // namespace dv

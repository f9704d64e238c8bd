#include "platform/win32ui/ListView.h"

#include <algorithm>
#include <vector>

#include "text/Text.h"

namespace dv {

namespace {

constexpr DWORD kShortenEveryMs = 1000;

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

}  // namespace

ListRows::ListRows(HWND list, const std::vector<ListColumn>& columns, bool withHeader)
    : list_(list) {
    SetWindowSubclass(list, proc, 1, DWORD_PTR(this));
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

void ListRows::rescaleColumns(int fromDpi, int toDpi) {
    if (!list_ || fromDpi <= 0 || fromDpi == toDpi) return;
    HWND header = reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0));
    int n = header ? int(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    for (int i = 0; i < n; ++i) {
        int width = int(SendMessageA(list_, LVM_GETCOLUMNWIDTH, WPARAM(i), 0));
        SendMessageA(list_, LVM_SETCOLUMNWIDTH, WPARAM(i), MulDiv(width, toDpi, fromDpi));
    }
}

ListRows::~ListRows() {
    if (list_) RemoveWindowSubclass(list_, proc, 1);
}

// A tick box pressed with the mouse or the space bar: the control of an owner-data list
// keeps no tick, so the list turns it here, where the control would for a list of its own.
LRESULT CALLBACK ListRows::proc(HWND list, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                DWORD_PTR self) {
    auto& rows = *reinterpret_cast<ListRows*>(self);
    switch (msg) {
        case WM_LBUTTONDOWN: {
            LVHITTESTINFO hit = {};
            hit.pt.x = short(LOWORD(lp));
            hit.pt.y = short(HIWORD(lp));
            const int row = int(SendMessageA(list, LVM_HITTEST, 0, LPARAM(&hit)));
            if (row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) rows.toggle(row);
            break;
        }
        case WM_KEYDOWN:
            if (wp == VK_SPACE)
                rows.toggle(int(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED)));
            break;
        case WM_NCDESTROY: {
            LRESULT r = DefSubclassProc(list, msg, wp, lp);
            RemoveWindowSubclass(list, proc, id);
            rows.list_ = nullptr;
            return r;
        }
        default: break;
    }
    return DefSubclassProc(list, msg, wp, lp);
}

// The control learns the rows appended, or removed from the end, since the last sync,
// without scrolling and without repainting the rows it shows, unless some of them went.
// A shorter count costs the control a repaint of the whole list (60 ms a time under Wine
// on a busy machine), so unless `now` it is told at most once a second while rows that
// are not shown go: a Delete All of 10,000 rows lets the window serve its messages a few
// thousand times.
void ListRows::showCount(bool now) {
    const int count = rowCount();
    if (shown_ == count || !list_) return;
    DWORD flags = LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL;
    if (count < shown_) {
        const bool shownRowsGo = count <= int(SendMessageA(list_, LVM_GETTOPINDEX, 0, 0) +
                                              SendMessageA(list_, LVM_GETCOUNTPERPAGE, 0, 0));
        if (shownRowsGo)
            flags = 0;
        else if (!now && GetTickCount() - shortenedAt_ < kShortenEveryMs)
            return;
        shortenedAt_ = GetTickCount();
    }
    SendMessageA(list_, LVM_SETITEMCOUNT, WPARAM(count), flags);
    shown_ = count;
}

void ListRows::tick(int row, bool ticked) {
    ticks_[size_t(row)] = ticked;
    if (row < shown_) repaint_ = true;
}

void ListRows::toggle(int row) {
    if (!validRow(row)) return;
    showCount();
    tick(row, !ticks_[size_t(row)]);
    SendMessageA(list_, LVM_REDRAWITEMS, WPARAM(row), LPARAM(row));
}

// The first row from `find.iStart` on, wrapping round, whose first column starts with
// the letters typed, compared without case: the list's type-ahead. -1 when none does.
LRESULT ListRows::findRow(const NMLVFINDITEMA& find, bool wide) const {
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
    const int count = rowCount();
    if (typed.empty() || count == 0 || !(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL))) return -1;
    const int start = find.iStart >= 0 && find.iStart < count ? find.iStart : 0;
    const int span = (find.lvfi.flags & LVFI_WRAP) ? count : count - start;
    for (int k = 0; k < span; ++k) {
        const int row = (start + k) % count;
        const std::string name = cellOf(cells_[size_t(row)], 0);
        const bool partial = (find.lvfi.flags & LVFI_PARTIAL) != 0;
        if (partial ? startsWithNoCase(name, typed) : sameNoCase(name, typed)) return row;
    }
    return -1;
}

void ListRows::clear() {
    cells_.clear();
    ticks_.clear();
    cells_.shrink_to_fit();  // a search of 200,000 rows leaves no memory behind
    ticks_.shrink_to_fit();
    shown_ = 0;
    repaint_ = false;
    if (list_) SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
}

void ListRows::removeRow(int row) {
    if (!validRow(row) || !list_) return;
    // The last row, as a delete command removes them one by one, goes from the store
    // only: the control learns the count at the next sync, once for the whole run.
    if (row + 1 == rowCount()) {
        cells_.pop_back();
        ticks_.pop_back();
        return;
    }
    showCount();
    // The control moves its selection and focus up first, asking for the row if it
    // needs it; then the row goes from the store.
    SendMessageA(list_, LVM_DELETEITEM, WPARAM(row), 0);
    if (!validRow(row)) return;
    cells_.erase(cells_.begin() + row);
    ticks_.erase(ticks_.begin() + row);
    shown_ = rowCount();
}

int ListRows::appendRow(const std::string& firstColumn) {
    cells_.push_back(firstColumn.substr(0, firstColumn.find('\0')));
    ticks_.push_back(0);
    return rowCount() - 1;
}

void ListRows::setCell(int row, int column, const std::string& text) {
    if (!validRow(row) || column < 0) return;
    putCell(cells_[size_t(row)], column, text);
    if (row < shown_) repaint_ = true;
}

std::string ListRows::cell(int row, int column) const {
    if (!validRow(row) || column < 0) return {};
    return cellOf(cells_[size_t(row)], column);
}

bool ListRows::ticked(int row) const { return validRow(row) && ticks_[size_t(row)] != 0; }

void ListRows::setTicked(int row, bool ticked) {
    if (validRow(row)) tick(row, ticked);
}

int ListRows::currentRow() const {
    if (!list_) return -1;
    int row = int(SendMessageA(list_, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
    if (row < 0) row = int(SendMessageA(list_, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED));
    return row;
}

void ListRows::setCurrentRow(int row) {
    if (!validRow(row) || !list_) return;
    showCount();
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list_, LVM_SETITEMSTATE, WPARAM(row), LPARAM(&item));
    SendMessageA(list_, LVM_ENSUREVISIBLE, WPARAM(row), FALSE);
}

void ListRows::setColumnTitle(int column, const std::string& title) {
    if (!list_) return;
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT;
    col.pszText = const_cast<char*>(title.c_str());
    SendMessageA(list_, LVM_SETCOLUMNA, WPARAM(column), LPARAM(&col));
}

void ListRows::sync(bool now) {
    if (!list_) return;
    showCount(now);
    if (repaint_) InvalidateRect(list_, nullptr, FALSE);
    repaint_ = false;
}

bool ListRows::answer(const NMHDR& nm, LRESULT& result) const {
    if (nm.hwndFrom != list_ || !list_) return false;
    if (nm.code == UINT(LVN_ODFINDITEMA) || nm.code == UINT(LVN_ODFINDITEMW)) {
        result = findRow(reinterpret_cast<const NMLVFINDITEMA&>(nm), nm.code == UINT(LVN_ODFINDITEMW));
        return true;
    }
    const bool wide = nm.code == UINT(LVN_GETDISPINFOW);
    if (!wide && nm.code != UINT(LVN_GETDISPINFOA)) return false;
    // The ANSI and wide forms differ only in the type the text pointer points to.
    LVITEMA& item = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(nm)).item;
    const bool valid = validRow(item.iItem);
    if (item.mask & LVIF_TEXT)
        copyText(valid ? cellOf(cells_[size_t(item.iItem)], item.iSubItem) : std::string(), item,
                 wide);
    if (item.mask & LVIF_STATE) {
        const bool ticked = valid && ticks_[size_t(item.iItem)] != 0;
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
    }
    result = 0;
    return true;
}

}  // namespace dv

#include "tests/gui/driver/Remote.h"

#include <commctrl.h>

#include "tests/gui/driver/Windows.h"

namespace gui {

namespace {

LRESULT sendTimed(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(w, msg, wp, lp, SMTO_NORMAL, 5000, &result)) return -1;
    return static_cast<LRESULT>(result);
}

constexpr size_t kTextRoom = 1024;

}  // namespace

RemoteBuffer::RemoteBuffer(HANDLE process, size_t size)
    : process_(process),
      base_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteBuffer::~RemoteBuffer() {
    if (base_) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
}

bool RemoteBuffer::write(size_t offset, const void* data, size_t size) {
    SIZE_T done = 0;
    return base_ && WriteProcessMemory(process_, at(offset), data, size, &done) && done == size;
}

bool RemoteBuffer::read(size_t offset, void* data, size_t size) const {
    SIZE_T done = 0;
    return base_ && ReadProcessMemory(process_, at(offset), data, size, &done) && done == size;
}

int listRowCount(HWND list) { return static_cast<int>(sendTimed(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string listCell(HANDLE process, HWND list, int row, int column) {
    RemoteBuffer mem(process, sizeof(LVITEMA) + kTextRoom);
    if (!mem.ok()) return std::string();
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = mem.at(sizeof item);
    item.cchTextMax = kTextRoom;
    mem.write(0, &item, sizeof item);
    LRESULT n = sendTimed(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(mem.at(0)));
    if (n <= 0) return std::string();
    std::string text(static_cast<size_t>(n), '\0');
    mem.read(sizeof item, &text[0], text.size());
    return text;
}

std::vector<std::string> listRow(HANDLE process, HWND list, int row, int columns) {
    std::vector<std::string> cells;
    for (int c = 0; c < columns; ++c) cells.push_back(listCell(process, list, row, c));
    return cells;
}

bool listTicked(HWND list, int row) {
    LRESULT state = sendTimed(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK);
    return state > 0 && ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

int listColumnCount(HWND list) {
    HWND header = reinterpret_cast<HWND>(sendTimed(list, LVM_GETHEADER, 0, 0));
    return header ? static_cast<int>(sendTimed(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::string listColumnTitle(HANDLE process, HWND list, int column) {
    RemoteBuffer mem(process, sizeof(LVCOLUMNA) + kTextRoom);
    if (!mem.ok()) return std::string();
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT;
    col.pszText = mem.at(sizeof col);
    col.cchTextMax = kTextRoom;
    mem.write(0, &col, sizeof col);
    char zero = 0;
    mem.write(sizeof col, &zero, 1);
    if (!sendTimed(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(mem.at(0))))
        return std::string();
    std::string text(kTextRoom, '\0');
    mem.read(sizeof col, &text[0], text.size());
    text.resize(text.find('\0'));
    return text;
}

int listColumnWidth(HWND list, int column) {
    return static_cast<int>(sendTimed(list, LVM_GETCOLUMNWIDTH, column, 0));
}

namespace {

RECT rowPart(HANDLE process, HWND list, int row, LONG part) {
    RECT r{};
    RemoteBuffer mem(process, sizeof r);
    r.left = part;
    if (!mem.write(0, &r, sizeof r)) return RECT{};
    if (!sendTimed(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(mem.at(0)))) return RECT{};
    mem.read(0, &r, sizeof r);
    return r;
}

}  // namespace

RECT listRowRect(HANDLE process, HWND list, int row) { return rowPart(process, list, row, LVIR_LABEL); }

int listSelectedRow(HWND list) {
    return static_cast<int>(sendTimed(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

int listTopRow(HWND list) { return static_cast<int>(sendTimed(list, LVM_GETTOPINDEX, 0, 0)); }

int listRowsPerPage(HWND list) { return static_cast<int>(sendTimed(list, LVM_GETCOUNTPERPAGE, 0, 0)); }

void clickTickBox(HANDLE process, HWND list, int row) {
    // The tick box is drawn just left of the row's (empty) icon.
    RECT icon = rowPart(process, list, row, LVIR_ICON);
    const int side = GetSystemMetrics(SM_CXSMICON);
    clickAt(list, icon.left - side / 2, (icon.top + icon.bottom) / 2);
}

void rightClickRow(HANDLE process, HWND list, int row) {
    RECT r = listRowRect(process, list, row);
    rightClickAt(list, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void doubleClickRow(HANDLE process, HWND list, int row) {
    RECT r = listRowRect(process, list, row);
    doubleClickAt(list, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void clickRowTick(HANDLE process, HWND list, int row) {
    // The tick box is the state image just left of the row's icon place.
    RECT r{};
    RemoteBuffer mem(process, sizeof r);
    r.left = LVIR_ICON;
    if (!mem.write(0, &r, sizeof r) ||
        !sendTimed(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(mem.at(0))))
        return;
    mem.read(0, &r, sizeof r);
    clickAt(list, r.left - GetSystemMetrics(SM_CXSMICON) / 2, (r.top + r.bottom) / 2);
}

}  // namespace gui

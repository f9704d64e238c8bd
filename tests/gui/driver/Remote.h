// Controls whose messages carry pointers (list views, the folder dialog) need their
// buffers inside the program's own address space.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace gui {

// A block of memory allocated in another process; freed on destruction.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool ok() const { return base_ != nullptr; }
    char* at(size_t offset) const { return static_cast<char*>(base_) + offset; }
    bool write(size_t offset, const void* data, size_t size);
    bool read(size_t offset, void* data, size_t size) const;

private:
    HANDLE process_;
    void* base_;
};

// Report-style list views.
int listRowCount(HWND list);
std::string listCell(HANDLE process, HWND list, int row, int column);
std::vector<std::string> listRow(HANDLE process, HWND list, int row, int columns);
bool listTicked(HWND list, int row);
int listColumnCount(HWND list);
std::string listColumnTitle(HANDLE process, HWND list, int column);
int listColumnWidth(HWND list, int column);
// Rectangle of a row's label, in the list's client coordinates.
RECT listRowRect(HANDLE process, HWND list, int row);
// The selected row, -1 when none.
int listSelectedRow(HWND list);
// The first row shown, and how many rows the list shows at once.
int listTopRow(HWND list);
int listRowsPerPage(HWND list);
// A click on the tick box of a shown row.
void clickTickBox(HANDLE process, HWND list, int row);
void rightClickRow(HANDLE process, HWND list, int row);
void doubleClickRow(HANDLE process, HWND list, int row);
// Clicks the tick box at the left of a row, as the user ticks or unticks it.
void clickRowTick(HANDLE process, HWND list, int row);

}  // namespace gui

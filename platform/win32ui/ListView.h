// Rows of texts with a tick box each, on a report-style list view that keeps no rows of
// its own (owner data): the rows live here, and the control asks for the texts and the
// tick of the rows it paints or is asked about, so a list of 200,000 rows paints as fast
// as one of ten. Appending a row costs no call to the control: it learns the new row
// count at the next listSyncAll. Rows and columns count from 0; an index out of range
// reads as empty and changes nothing.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/WindowTables.h"

namespace dv {

// The window style bits every list is created with (owner data among them).
constexpr DWORD kListStyle = LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL;

// Tick boxes, full-row selection and the columns; without a header or columns (a check
// list) one column fills the list. The list's rows are released with its window.
void setUpList(HWND list, const std::vector<ListColumn>& columns, bool withHeader);

int listRowCount(HWND list);
void listClear(HWND list);
void listRemoveRow(HWND list, int row);
int listAppendRow(HWND list, const std::string& firstColumn);
void listSetCell(HWND list, int row, int column, const std::string& text);
std::string listCell(HWND list, int row, int column);
bool listTicked(HWND list, int row);
void listSetTicked(HWND list, int row, bool ticked);
int listCurrentRow(HWND list);
void listSetCurrentRow(HWND list, int row);
void listSetColumnTitle(HWND list, int column, const std::string& title);

// Tells every list the rows appended since the last call and repaints the shown rows
// whose texts or ticks changed. Called before messages are processed, so whatever asks
// the control (painting, another process) sees every row.
void listSyncAll();

// Answers a list's requests for the texts and tick of a row (LVN_GETDISPINFO) and for
// the next row whose name starts with the letters typed (LVN_ODFINDITEM) in `result`;
// false when the notification is something else.
bool listAnswer(const NMHDR& nm, LRESULT& result);

}  // namespace dv

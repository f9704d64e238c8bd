// Rows of texts with a tick box each, on a report-style list view. Rows and columns
// count from 0; an index out of range reads as empty and changes nothing.
#pragma once
#include <windows.h>

#include <string>

#include "forms/ControlIds.h"

namespace dv {

// Tick boxes, full-row selection and the table's columns; without a header (a check
// list) one column fills the list.
void setUpList(HWND list, Ctl id, bool withHeader);

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

}  // namespace dv

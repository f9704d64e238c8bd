// Rows of texts with a tick box each, on a report-style list view that keeps no rows of
// its own (owner data): the rows live here, and the control asks for the texts and the
// tick of the rows it paints or is asked about, so a list of 200,000 rows paints as fast
// as one of ten. Appending a row, or removing the last one, costs no call to the control:
// it learns the new row count at the next sync. Rows and columns count from 0; an index out of range reads as
// empty and changes nothing.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/WindowTables.h"

namespace dv {

// The window style bits every list is created with (owner data among them).
constexpr DWORD kListStyle = LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL;

// The rows of one list. The list's control owns it (LiveControl), so the rows go with the
// window that shows them.
class ListRows {
public:
    // Tick boxes, full-row selection and the columns; without a header or columns (a check
    // list) one column fills the list.
    ListRows(HWND list, const std::vector<ListColumn>& columns, bool withHeader);
    ~ListRows();
    ListRows(const ListRows&) = delete;
    ListRows& operator=(const ListRows&) = delete;

    HWND handle() const { return list_; }
    int rowCount() const { return int(cells_.size()); }
    void clear();
    void removeRow(int row);
    int appendRow(const std::string& firstColumn);
    void setCell(int row, int column, const std::string& text);
    std::string cell(int row, int column) const;
    bool ticked(int row) const;
    void setTicked(int row, bool ticked);
    int currentRow() const;
    void setCurrentRow(int row);
    void setColumnTitle(int column, const std::string& title);
    // Widens or narrows every column by the change of display scale, keeping the widths
    // the user dragged them to in proportion.
    void rescaleColumns(int fromDpi, int toDpi);

    // Tells the control the rows appended or removed from the end since the last call and
    // repaints the shown rows whose texts or ticks changed. Called before messages are
    // processed, so whatever asks the control (painting, another process) sees every row;
    // unless `now`, rows removed below the shown ones may be told a second later.
    void sync(bool now = true);

    // Answers the control's requests for the texts and tick of a row (LVN_GETDISPINFO) and
    // for the next row whose name starts with the letters typed (LVN_ODFINDITEM) in
    // `result`; false when the notification is something else.
    bool answer(const NMHDR& nm, LRESULT& result) const;

private:
    static LRESULT CALLBACK proc(HWND list, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                 DWORD_PTR self);
    bool validRow(int row) const { return row >= 0 && row < rowCount(); }
    void showCount(bool now = true);
    void tick(int row, bool ticked);
    void toggle(int row);
    LRESULT findRow(const NMLVFINDITEMA& find, bool wide) const;

    HWND list_;  // null once the control is destroyed
    // A row's cells are kept in one string, joined by '\0', which keeps a five-column row
    // to one allocation.
    std::vector<std::string> cells_;
    std::vector<unsigned char> ticks_;
    int shown_ = 0;         // the row count the control knows
    bool repaint_ = false;  // a shown row changed since the last sync
    DWORD shortenedAt_ = 0;  // when the control last learned a shorter count
};

}  // namespace dv

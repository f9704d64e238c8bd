// Message boxes, pop-up menus and the shell folder dialog of the program under test.
#pragma once
#include <windows.h>

#include <string>

namespace gui {

struct MessageBoxSeen {
    HWND hwnd = nullptr;
    std::string title;
    std::string text;  // the static texts of the box, joined by "\n"
};

// The first visible message box (a #32770 dialog without a folder tree) of the process.
MessageBoxSeen findMessageBox(DWORD pid);
MessageBoxSeen waitMessageBox(DWORD pid, DWORD timeoutMs);
// Presses the button whose caption, without '&', is this text ("Yes", "No", "OK").
bool pressDialogButton(HWND dialog, const std::string& caption);

// The visible pop-up menu window (#32768) of the process.
HWND waitPopupMenu(DWORD pid, DWORD timeoutMs);
// Picks the n-th selectable item (separators not counted, from 0) with the keyboard.
void pickMenuItem(HWND menu, int selectableIndex);
void closeMenu(HWND menu);

// The shell folder dialog: a #32770 dialog holding a folder tree.
HWND waitFolderDialog(DWORD pid, DWORD timeoutMs);
// Selects the folder (the path is written into the program's memory) and presses OK.
bool chooseFolder(HANDLE process, HWND dialog, const std::string& folder);

}  // namespace gui

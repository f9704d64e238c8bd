// Finding and reading the windows and controls of another process, and clicking them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace gui {

// Top-level windows of a process, hidden ones included.
std::vector<HWND> topWindowsOf(DWORD pid);
// A top-level window of the process with this title and client size (width/height 0:
// any); visibleOnly skips hidden windows.
HWND findTopWindow(DWORD pid, const char* title, int width, int height, bool visibleOnly);
HWND waitTopWindow(DWORD pid, const char* title, int width, int height, DWORD timeoutMs,
                   bool visibleOnly = true);

SIZE clientSize(HWND w);

// What identifies a control: any mix of its caption, its class name and its rectangle
// relative to the client area of the top-level window.
struct Find {
    std::string text;
    bool byText = false;
    std::string cls;
    RECT rect{};
    bool byRect = false;

    Find& caption(const std::string& t) { text = t; byText = true; return *this; }
    Find& className(const std::string& c) { cls = c; return *this; }
    Find& at(int x, int y, int w, int h) {
        rect = RECT{x, y, x + w, y + h};
        byRect = true;
        return *this;
    }
};

// Every descendant of the top window that matches; the first one, or nullptr.
std::vector<HWND> findControls(HWND top, const Find& f);
HWND findControl(HWND top, const Find& f);
HWND waitControl(HWND top, const Find& f, DWORD timeoutMs);

// Rectangle of a control in client coordinates of its top-level window.
RECT rectIn(HWND top, HWND control);
std::string className(HWND w);
std::string textOf(HWND w);     // WM_GETTEXT
// WM_SETTEXT, as typing would change it (edit boxes report the change to their owner).
bool setText(HWND w, const std::string& text);
bool shown(HWND w);             // the control's own visible flag
bool enabled(HWND w);
bool checked(HWND w);           // BM_GETCHECK == BST_CHECKED

// Mouse input posted to the control at its centre (or at a client point).
void click(HWND w);
void clickAt(HWND w, int x, int y);
void rightClickAt(HWND w, int x, int y);
void doubleClickAt(HWND w, int x, int y);
void postKey(HWND w, WORD vk);

// Combo boxes. Item texts are not read across processes (Wine breaks the program's
// message handling on CB_GETLBTEXT from another process); the caption of a drop-down
// list combo is the text of its selected item.
int comboCount(HWND combo);
int comboSelection(HWND combo);
// Sets the selection and tells the owner, as a user's choice would.
void selectCombo(HWND combo, int index);

// Progress bars.
int progressPosition(HWND bar);

}  // namespace gui

#include "tests/gui/driver/Dialogs.h"

#include <shlobj.h>

#include <vector>

#include "tests/gui/driver/Remote.h"
#include "tests/gui/driver/Wait.h"
#include "tests/gui/driver/Windows.h"

namespace gui {

namespace {

std::string withoutAmpersands(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c != '&') out += c;
    return out;
}

bool hasFolderTree(HWND dialog) { return findControl(dialog, Find().className("SysTreeView32")); }

HWND visibleDialog(DWORD pid, bool wantFolderTree) {
    for (HWND w : topWindowsOf(pid)) {
        if (!IsWindowVisible(w) || className(w) != "#32770") continue;
        if (hasFolderTree(w) == wantFolderTree) return w;
    }
    return nullptr;
}

}  // namespace

MessageBoxSeen findMessageBox(DWORD pid) {
    MessageBoxSeen seen;
    seen.hwnd = visibleDialog(pid, false);
    if (!seen.hwnd) return seen;
    seen.title = textOf(seen.hwnd);
    for (HWND c : findControls(seen.hwnd, Find().className("Static"))) {
        std::string t = textOf(c);
        if (t.empty()) continue;
        if (!seen.text.empty()) seen.text += "\n";
        seen.text += t;
    }
    return seen;
}

MessageBoxSeen waitMessageBox(DWORD pid, DWORD timeoutMs) {
    MessageBoxSeen seen;
    waitUntil([&] { return (seen = findMessageBox(pid)).hwnd != nullptr; }, timeoutMs);
    return seen;
}

bool pressDialogButton(HWND dialog, const std::string& caption) {
    for (HWND b : findControls(dialog, Find().className("Button"))) {
        if (withoutAmpersands(textOf(b)) != caption) continue;
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(b), BN_CLICKED),
                     reinterpret_cast<LPARAM>(b));
        return true;
    }
    return false;
}

HWND waitPopupMenu(DWORD pid, DWORD timeoutMs) {
    HWND menu = nullptr;
    waitUntil(
        [&] {
            for (HWND w : topWindowsOf(pid))
                if (IsWindowVisible(w) && className(w) == "#32768") return (menu = w) != nullptr;
            return false;
        },
        timeoutMs);
    return menu;
}

void pickMenuItem(HWND menu, int selectableIndex) {
    for (int i = 0; i <= selectableIndex; ++i) postKey(menu, VK_DOWN);
    postKey(menu, VK_RETURN);
}

void closeMenu(HWND menu) { postKey(menu, VK_ESCAPE); }

HWND waitFolderDialog(DWORD pid, DWORD timeoutMs) {
    HWND dialog = nullptr;
    waitUntil([&] { return (dialog = visibleDialog(pid, true)) != nullptr; }, timeoutMs);
    return dialog;
}

bool chooseFolder(HANDLE process, HWND dialog, const std::string& folder) {
    RemoteBuffer mem(process, folder.size() + 1);
    if (!mem.write(0, folder.c_str(), folder.size() + 1)) return false;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(mem.at(0)),
                             SMTO_NORMAL, 5000, &result))
        return false;
    return pressDialogButton(dialog, "OK");
}

}  // namespace gui

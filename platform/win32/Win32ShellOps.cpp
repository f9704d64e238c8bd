#include "platform/win32/Win32ShellOps.h"

#include <windows.h>
#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "text/Text.h"

namespace dv {

namespace {

// Result for a path the shell is not given (the shell's own "invalid files" code).
constexpr int kRefusedPath = 0x7C;

}  // namespace

int Win32ShellOps::deleteOperation(const std::string& from, unsigned flags, bool& aborted) {
    aborted = false;
    if (from.empty() || from.find_first_of("*?") != std::string::npos) return kRefusedPath;
    // The shell takes a list of paths, each ended by a zero, the list by one more.
    std::string list = from;
    list.push_back('\0');
    list.push_back('\0');
    SHFILEOPSTRUCTA op = {};
    op.hwnd = nullptr;
    op.wFunc = FO_DELETE;
    op.pFrom = list.c_str();
    op.pTo = nullptr;
    op.fFlags = FILEOP_FLAGS(flags);
    int result = SHFileOperationA(&op);
    aborted = op.fAnyOperationsAborted != FALSE;
    return result;
}

void Win32ShellOps::emptyRecycleBin(const std::string& root, unsigned flags) {
    SHEmptyRecycleBinA(nullptr, root.c_str(), flags);
}

std::string Win32ShellOps::browseForFolder(const std::string& title) {
    HRESULT com = CoInitialize(nullptr);
    BROWSEINFOA bi = {};
    bi.hwndOwner = static_cast<HWND>(owner_);
    bi.pidlRoot = nullptr;
    bi.pszDisplayName = nullptr;
    bi.lpszTitle = title.c_str();
    bi.ulFlags = 0;
    bi.lpfn = nullptr;
    std::string path;
    if (LPITEMIDLIST pidl = SHBrowseForFolderA(&bi)) {
        char buf[512] = {};
        if (SHGetPathFromIDListA(pidl, buf)) path = buf;
        CoTaskMemFree(pidl);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return path;
}

std::string Win32ShellOps::openFileDialog() {
    char file[4096] = {};
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    // Owned by the window that asks (a modal dialog over a disabled MainWindow): closing
    // the file dialog enables its owner again, which must not be the window beneath.
    HWND active = GetActiveWindow();
    ofn.hwndOwner = active ? active : static_cast<HWND>(owner_);
    ofn.lpstrFilter = "All files (*.*)\0*.*\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof(file);
    ofn.lpstrTitle = "Add a file to the exclusion list";
    // NOCHANGEDIR: the current directory is the program's base folder and must stay so.
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&ofn)) return std::string();
    return file;
}

bool Win32ShellOps::openAddress(const std::string& address) {
    std::string target;
    if (startsWithNoCase(address, "http://") || startsWithNoCase(address, "https://"))
        target = address;
    else if (startsWithNoCase(address, "www."))
        target = "http://" + address;
    else
        return false;  // never hand the shell a local path or program to run
    // The shell may hand the address to COM objects; the caller may be a fresh thread.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    auto rc = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (SUCCEEDED(com)) CoUninitialize();
    return rc > 32;
}

void Win32ShellOps::openHelp(const std::string& helpFile) {
    DWORD attrs = GetFileAttributesA(helpFile.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY)) return;
    WinHelpA(static_cast<HWND>(owner_), helpFile.c_str(), HELP_CONTENTS, 0);
}

bool Win32ShellOps::openHtmlHelp(const std::string& helpFile) {
    return helpViewer_.open(static_cast<HWND>(owner_), helpFile);
}

}  // namespace dv

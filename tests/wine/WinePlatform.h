// What every Wine test program shares: the real Win32 services bundled with an App and a
// recording window layer, the scratch drive the test runner mapped, and a safe tree delete.
#pragma once
#include <windows.h>

#include <string>

#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32IniFiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ShellOps.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32UrlCache.h"
#include "shell/App.h"
#include "tests/wine/RecordingUi.h"

namespace dv::winetest {

struct RealPlatform {
    Win32FileSystem fs;
    Win32Registry registry;
    Win32IniFiles ini;
    Win32ShellOps shell;
    Win32System system;
    RecordingUi ui;
    Win32UrlCache urlCache;
    App app{fs, registry, ini, shell, system, ui, urlCache, AppState{}};
};

// The drive the test runner mapped for us (DV_TEST_DRIVE), else the temp folder.
inline std::string scratchBase() {
    char drive[MAX_PATH] = {};
    if (GetEnvironmentVariableA("DV_TEST_DRIVE", drive, sizeof drive) > 0)
        return std::string(drive) + "\\";
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    return temp;
}

// Deletes a folder tree without ever following a junction or link inside it.
inline void removeTree(const std::string& folder) {
    DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::string name = fd.cFileName;
                if (name == "." || name == "..") continue;
                std::string path = folder + "\\" + name;
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    removeTree(path);
                else
                    DeleteFileA(path.c_str());
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace dv::winetest

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
#include "tests/wine/RunFolder.h"

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

// The folder this program runs from, where its data files were staged (Rules.ini, ...).
inline std::string programFolder() {
    char path[MAX_PATH] = {};
    const std::string module(path, GetModuleFileNameA(nullptr, path, sizeof path));
    return module.substr(0, module.rfind('\\'));
}

// The drive the test runner mapped for us (DV_TEST_DRIVE), else the temp folder.
inline std::string scratchBase() {
    char drive[MAX_PATH] = {};
    if (GetEnvironmentVariableA("DV_TEST_DRIVE", drive, sizeof drive) > 0)
        return std::string(drive) + "\\";
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    return temp;
}

}  // namespace dv::winetest

// What every Wine test program and the benchmarks share: the real Win32 services bundled
// with an App and the in-memory window layer.
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
#include "tests/fakes/FakeUi.h"
#include "tests/wine/RunFolder.h"

namespace dv::winetest {

// The window layer keeps captions, states and rows in memory (no events are routed), so
// handlers run on the real file system and registry without a main window.
struct RealPlatform {
    Win32FileSystem fs;
    Win32Registry registry;
    Win32IniFiles ini;
    Win32ShellOps shell;
    Win32System system;
    FakeUi ui;
    Win32UrlCache urlCache;
    App app{fs, registry, ini, shell, system, ui, urlCache, AppState{}};
};

// The folder this program runs from, where its data files were staged (Rules.ini, ...).
inline std::string programFolder() {
    char path[MAX_PATH] = {};
    const std::string module(path, GetModuleFileNameA(nullptr, path, sizeof path));
    return module.substr(0, module.rfind('\\'));
}

}  // namespace dv::winetest

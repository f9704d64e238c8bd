// Program entry: the base folder, the platform services, MainWindow and the message loop.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "forms/Catalogue.h"
#include "forms/routing/Routing.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Http.h"
#include "platform/win32/Win32IniFiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ShellOps.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32Threads.h"
#include "platform/win32/Win32UrlCache.h"
#include "platform/win32ui/Win32Ui.h"
#include "search/Patterns.h"
#include "shell/App.h"
#include "shell/main/Startup.h"

namespace {

// How long the end of the program waits for update checks still running.
constexpr DWORD kThreadsEndMs = 2000;

// The folder that holds the program file, with a trailing backslash only at a drive root.
std::string programFolder() {
    char path[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    std::string folder(path, n);
    size_t slash = folder.find_last_of("\\/");
    if (slash == std::string::npos) return {};
    folder.resize(slash);
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS |
                                                ICC_BAR_CLASSES | ICC_STANDARD_CLASSES |
                                                ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);

    dv::Win32FileSystem fs;
    dv::Win32Registry registry;
    dv::Win32IniFiles ini;
    dv::Win32ShellOps shell;
    dv::Win32System system;
    dv::Win32Ui ui(dv::windowTables(), dv::storedComboItems);
    dv::Win32UrlCache urlCache;
    dv::App app{fs, registry, ini, shell, system, ui, urlCache, {}};
    ui.attach(dv::routeTo(app));
    dv::Win32Http http;
    dv::Win32Threads threads;
    app.http = &http;
    app.threads = &threads;
    // Whichever way the program ends, running checks are told to stop and given a moment.
    ui.setExitHook([&app, &threads] {
        threads.finish(kThreadsEndMs);
        dv::exitRoutine(app);
    });

    std::string folder = programFolder();
    if (!folder.empty()) SetCurrentDirectoryA(folder.c_str());
    dv::initialiseProcess(app, folder);

    if (!ui.createWindow(dv::Ctl::MainWindow)) return 1;
    shell.setOwnerWindow(ui.windowHandle(dv::Ctl::MainWindow));
    ui.setHelpViewer(&shell.helpViewer());
    // The start-up sequence: it shows the windows through the window operations.
    ui.raise(dv::Ctl::MainWindow, dv::Event::Created);
    ui.runMessageLoop();
    // A check still blocked in the network must not outlive the objects it uses.
    if (!threads.finish(0)) ExitProcess(0);
    return 0;
}

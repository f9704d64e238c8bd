// A real window layer on the real Win32 services, for tests of the windows themselves.
#pragma once
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

#include "forms/Catalogue.h"
#include "forms/routing/Routing.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32IniFiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ShellOps.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32UrlCache.h"
#include "platform/win32ui/Win32Ui.h"
#include "search/Patterns.h"
#include "shell/App.h"

namespace dv::winetest {

class UiWine : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS |
                                                    ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        // An earlier test's MainWindow, destroyed, left its quit request behind.
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        }
        ui.attach(routeTo(app));
    }

    // The control's window, searched among all descendants of its open window.
    HWND hwndOf(Ctl c) {
        HWND top = ui.windowHandle(windowTables().windowOf(c));
        if (!top) return nullptr;
        struct Search {
            int id;
            HWND found;
        } s = {1000 + int(c), nullptr};
        EnumChildWindows(
            top,
            [](HWND h, LPARAM lp) -> BOOL {
                auto* s = reinterpret_cast<Search*>(lp);
                if (GetDlgCtrlID(h) != s->id) return TRUE;
                s->found = h;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&s));
        return s.found;
    }

    std::function<HWND(Ctl)> controls() {
        return [this](Ctl c) { return hwndOf(c); };
    }

    // Shows a window and paints all of it now.
    void showNow(Ctl window) {
        ui.setWindowState(window, WindowState::Normal);
        RedrawWindow(ui.windowHandle(window), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ui.processPendingMessages();
    }

    Win32FileSystem fs;
    Win32Registry registry;
    Win32IniFiles ini;
    Win32ShellOps shell;
    Win32System system;
    Win32Ui ui{windowTables(), storedComboItems};
    Win32UrlCache urlCache;
    App app{fs, registry, ini, shell, system, ui, urlCache, {}};
};

}  // namespace dv::winetest

// The main window of a Dustvane.exe the benchmarks and the soak drive from outside, and
// its controls, found by their places (a caption changes with the language).
#pragma once
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/BenchTrees.h"
#include "tests/gui/driver/AppUnderTest.h"
#include "tests/gui/driver/Dialogs.h"
#include "tests/gui/driver/Remote.h"
#include "tests/gui/driver/Wait.h"
#include "tests/gui/driver/Windows.h"

namespace bench::window {

using namespace gui;

// The drive the run maps for the program, with the program's settings cleared and its start
// window switched off; empty, after saying why, when the run maps none.
inline std::string preparedDrive(const char* program, const char* command) {
    const std::string drive = testDrive();
    if (drive.size() != 2 || drive[1] != ':') {
        std::printf("%s: needs DV_TEST_DRIVE (run it with %s)\n", program, command);
        return std::string();
    }
    clearProgramSettings();
    setStartSwitch("NotShow", 1);
    return drive;
}

inline HWND controlAt(HWND top, const char* cls, int x, int y, int w) {
    for (HWND c : findControls(top, Find().className(cls))) {
        RECT r = rectIn(top, c);
        if (r.left == x && r.top == y && r.right - r.left == w) return c;
    }
    return nullptr;
}

struct Window {
    HWND top = nullptr, drives = nullptr, sets = nullptr, start = nullptr, cancel = nullptr,
         stats = nullptr, list = nullptr, recycleRadio = nullptr, permanentRadio = nullptr,
         backupRadio = nullptr, deleteAll = nullptr, recovery = nullptr, recovered = nullptr;

    explicit Window(const AppUnderTest& app) {
        waitUntil([&] { return (top = findTopWindow(app.pid(), "Dustvane", 663, 470, true)) &&
                               !IsIconic(top); },
                  60000);
        if (!top) return;
        drives = controlAt(top, "ComboBox", 143, 91, 126);
        sets = controlAt(top, "ComboBox", 20, 160, 250);
        start = controlAt(top, "Button", 18, 289, 90);
        cancel = controlAt(top, "Button", 120, 289, 90);
        stats = controlAt(top, "Static", 15, 257, 296);
        list = controlAt(top, "SysListView32", 21, 326, 620);
        recycleRadio = controlAt(top, "Button", 297, 142, 343);
        permanentRadio = controlAt(top, "Button", 297, 160, 343);
        backupRadio = controlAt(top, "Button", 297, 178, 343);
        // Delete All shares its place with Add Garbage File Type.
        deleteAll = findControl(top, Find().className("Button").caption("Delete All Garbage Files"));
        recovery = controlAt(top, "Button", 326, 289, 90);
        recovered = controlAt(top, "Static", 316, 261, 336);
    }
    bool ok() const {
        return top && drives && sets && start && cancel && stats && list && recycleRadio &&
               permanentRadio && backupRadio && deleteAll && recovery && recovered;
    }

    void choose(const std::string& drive, int set) {
        selectCombo(drives, 1 + (toupper(drive[0]) - 'C'));
        selectCombo(sets, set);
        waitUntil([&] { return comboSelection(sets) == set; }, 5000);
        Sleep(300);
    }
    // Marks the statistics label, which the summary rewrites, and clicks Start Search.
    std::string begin() {
        const std::string before = textOf(stats) + "#";
        SetWindowTextA(stats, before.c_str());
        click(start);
        return before;
    }
    bool ended(const std::string& before) { return enabled(start) && textOf(stats) != before; }
};

// Seconds until `done` holds, polled every 20 ms; negative when it did not within the time.
template <class Pred>
double secondsUntil(Pred done, DWORD timeoutMs) {
    const double t0 = now();
    return waitUntil(done, timeoutMs, 20) ? now() - t0 : -1;
}

constexpr DWORD kStepTimeoutMs = 15 * 60 * 1000;

// Backup mode, and the folder it asks for chosen in its dialog. Recovery forgets the
// folder, so each backup run chooses it again.
inline bool chooseBackupFolder(const AppUnderTest& app, const Window& w, const std::string& folder) {
    click(w.backupRadio);
    HWND dialog = waitFolderDialog(app.pid(), 10000);
    return dialog && chooseFolder(app.process(), dialog, folder);
}

// Delete All in the mode chosen: seconds from the click to the removed total, which the
// command writes last.
inline double deleteAllSeconds(const Window& w) {
    const std::string before = textOf(w.recovered) + "#";
    SetWindowTextA(w.recovered, before.c_str());
    click(w.deleteAll);
    return secondsUntil([&] { return textOf(w.recovered) != before && listRowCount(w.list) == 0; },
                        kStepTimeoutMs);
}

// Recovery: seconds from the click to its closing message, which is then answered.
inline double recoverySeconds(const AppUnderTest& app, const Window& w) {
    click(w.recovery);
    MessageBoxSeen done;
    const double s = secondsUntil([&] { return (done = findMessageBox(app.pid())).hwnd != nullptr; },
                                  kStepTimeoutMs);
    if (done.hwnd) pressDialogButton(done.hwnd, "OK");
    waitUntil([&] { return !findMessageBox(app.pid()).hwnd; }, 10000);
    return s;
}

}  // namespace bench::window

// The main-window controls a search uses, found once, and the steps of a search.
#pragma once
#include <windows.h>

#include <string>

namespace gui {

struct SearchSteps {
    SearchSteps(HWND top, HANDLE process);
    bool ready() const;

    // Selects "Hard Drive X:\" for the drive ("T:") and the item of patternSetCombo.
    bool choose(const std::string& drive, int patternItem);
    // Clicks Start Search and waits until the summary of the finished search shows.
    bool run(DWORD timeoutMs);

    HWND top, drives, sets, start, cancel, reset, recovery, list, alert, status, statistics,
        deleteAll, addType, recovered, backupRadio, backupFolder;
    HANDLE process;
};

}  // namespace gui

// The main-window controls a search uses, found once, and the steps of a search.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "tests/gui/GuiTest.h"
#include "tests/gui/TestTree.h"

namespace gui {

struct SearchSteps {
    SearchSteps(HWND top, HANDLE process);
    bool ready() const;

    // Selects "Hard Drive X:\" for the drive ("T:") and the item of patternSetCombo.
    bool choose(const std::string& drive, int patternItem);
    // Clicks Start Search (or presses `key` on it) and waits until the summary of the
    // finished search shows.
    bool run(DWORD timeoutMs, WORD key = 0);

    HWND top, drives, sets, start, cancel, reset, recovery, list, alert, status, statistics,
        deleteAll, addType, recovered, backupRadio, backupFolder;
    HANDLE process;
};

// Tests that act on a search while it runs, in the wide tree.
class RunningSearchTest : public GuiTest {
protected:
    // Starts the main window, chooses the test drive and every single type (the
    // longest walk) and clicks Start Search; false when a step fails.
    bool startLongSearch();

    WideTree wide;
    HWND top = nullptr;
    std::unique_ptr<SearchSteps> steps;
};

}  // namespace gui

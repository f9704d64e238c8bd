// Times a search in the real main window: click Start Search, wait for the summary.
// Lays out the search benchmark's tree on the test drive, starts Dustvane.exe beside this program
// and prints the time per pattern set. Run it through scripts/wine-exec.sh.
#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/BenchTree.h"
#include "tests/gui/driver/AppUnderTest.h"
#include "tests/gui/driver/Remote.h"
#include "tests/gui/driver/Wait.h"
#include "tests/gui/driver/Windows.h"

using namespace gui;

namespace {

HWND controlAt(HWND top, const char* cls, int x, int y, int w) {
    for (HWND c : findControls(top, Find().className(cls))) {
        RECT r = rectIn(top, c);
        if (r.left == x && r.top == y && r.right - r.left == w) return c;
    }
    return nullptr;
}

}  // namespace

int main() {
    const std::string drive = testDrive();
    if (drive.size() != 2 || drive[1] != ':') {
        std::printf("window_search_bench: needs DV_TEST_DRIVE (run it through wine-exec.sh)\n");
        return 1;
    }
    clearProgramSettings();
    setStartSwitch("NotShow", 1);
    int result = 0;
    {
        AppUnderTest app("bench");
        if (!app.ready() || !bench::buildTree(app.folder() + "\\tree") || !app.start()) {
            std::printf("window_search_bench: cannot prepare: %s\n", app.error().c_str());
            clearProgramSettings();
            return 1;
        }
        HWND top = nullptr;
        waitUntil([&] { return (top = findTopWindow(app.pid(), "Dustvane", 663, 470, true)) &&
                               !IsIconic(top); },
                  30000);
        HWND drives = top ? controlAt(top, "ComboBox", 143, 91, 126) : nullptr;
        HWND sets = top ? controlAt(top, "ComboBox", 20, 160, 250) : nullptr;
        HWND start = top ? controlAt(top, "Button", 18, 289, 90) : nullptr;
        HWND stats = top ? controlAt(top, "Static", 15, 257, 296) : nullptr;
        HWND list = top ? controlAt(top, "SysListView32", 21, 326, 620) : nullptr;
        if (!drives || !sets || !start || !stats || !list) {
            std::printf("window_search_bench: main window not found\n");
            clearProgramSettings();
            return 1;
        }
        const int folders = 1 + bench::kTopFolders * (1 + bench::kSubFolders);
        std::printf("tree: %d folders, %d files on %s\n", folders, bench::kFiles, drive.c_str());
        selectCombo(drives, 1 + (toupper(drive[0]) - 'C'));
        // Item 84 ("schedule.bak") matches nothing here: it shows the cost of the walk alone.
        for (int set : {3, 0, 84}) {
            selectCombo(sets, set);
            for (int run = 0; run < 2; ++run) {
                Sleep(300);
                const std::string before = textOf(stats) + "#";
                SetWindowTextA(stats, before.c_str());  // the summary replaces it
                const DWORD t0 = GetTickCount();
                click(start);
                bool done = waitUntil([&] { return enabled(start) && textOf(stats) != before; },
                                      600000, 10);
                const DWORD ms = GetTickCount() - t0;
                if (!done) {
                    std::printf("set %d: no summary within 600 s\n", set);
                    result = 1;
                    break;
                }
                const int rows = listRowCount(list);
                const double secs = ms ? ms / 1000.0 : 0.001;
                std::printf("set %d run %d: %d rows in %lu ms (%.0f folders/s, %.0f rows/s)\n",
                            set, run + 1, rows, static_cast<unsigned long>(ms),
                            folders / secs, rows / secs);
            }
        }
    }
    clearProgramSettings();
    return result;
}

#else
#include <cstdio>
int main() {
    std::printf("window_search_bench drives the Windows program; build it in the windows tree\n");
    return 0;
}
#endif

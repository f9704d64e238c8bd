// The real window's part of the search benchmark (search_bench.cpp): searches in the
// main window of Dustvane.exe, driven from outside as a user would, timed from the click
// on Start Search to the summary, pattern set 0. On the tree named files200k it then
// lists every file (a junk type "*.*" from Files.txt, 200,000 rows) and measures what a
// user feels: how long the window takes to answer while the rows come in, scrolling to
// the last row, the program's memory, and how soon Cancel takes effect.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchTrees.h"
#include "bench/MainWindow.h"
#include "tests/gui/driver/AppUnderTest.h"
#include "tests/gui/driver/Remote.h"
#include "tests/gui/driver/Wait.h"
#include "tests/gui/driver/Windows.h"

namespace bench::window {

using namespace gui;


inline constexpr int kFirstUserType = 86;  // 4 sets, the application caches, 81 single types

// Seconds from the click on Start Search to the summary; negative when none came.
inline double searchSeconds(Window& w) {
    const std::string before = w.begin();
    const double t0 = now();
    if (!waitUntil([&] { return w.ended(before); }, 600000, 5)) return -1;
    return now() - t0;
}

// The program's memory as the host sees it (Wine reports no figures of another process):
// the script that runs this benchmark answers a request file on the test drive.
inline std::string memoryFigures() {
    const std::string request = testDrive() + "\\bench-memory-request";
    const std::string answer = testDrive() + "\\bench-memory.txt";
    DeleteFileA(answer.c_str());
    if (!dv::winetest::writeFile(request)) return "unknown";
    std::string text;
    waitUntil([&] {
        HANDLE f = CreateFileA(answer.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE) return false;
        char buf[512] = {};
        DWORD got = 0;
        ReadFile(f, buf, sizeof buf - 1, &got, nullptr);
        CloseHandle(f);
        text.assign(buf, got);
        return text.find('\n') != std::string::npos;
    }, 10000, 50);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text.empty() ? "unknown" : text;
}

// Milliseconds the window takes to answer a message from another process.
inline double answerMs(HWND w) {
    DWORD_PTR result = 0;
    const double t0 = now();
    SendMessageTimeoutA(w, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 10000, &result);
    return (now() - t0) * 1000;
}

// Pattern set 0 on every tree, five clicks each after one to warm up.
inline bool timeTrees(const std::vector<bench::Tree>& trees) {
    AppUnderTest app("bench");
    if (!app.ready() || !app.start()) {
        std::printf("search_bench: cannot start the program: %s\n", app.error().c_str());
        return false;
    }
    Window w(app);
    if (!w.ok()) {
        std::printf("search_bench: main window not found\n");
        return false;
    }
    for (const bench::Tree& tree : trees) {
        w.choose(tree.drive, 0);
        searchSeconds(w);  // the first search of a drive pays for what Wine learns of it
        std::vector<double> times;
        int rows = 0;
        for (int run = 0; run < 5; ++run) {
            Sleep(300);
            const double s = searchSeconds(w);
            if (s < 0) {
                std::printf("%s: no summary within 600 s\n", tree.name.c_str());
                return false;
            }
            rows = listRowCount(w.list);
            times.push_back(s);
            std::printf("%s window run %d: %d rows in %.3f s\n", tree.name.c_str(), run + 1, rows, s);
        }
        std::printf("window %s rows=%d median_s=%.3f\n", tree.name.c_str(), rows, bench::median(times));
        std::fflush(stdout);
    }
    return true;
}

// Every file of the tree as a row: answers while the rows come in, memory, scrolling,
// and Cancel in the middle of the same search.
inline bool timeAllRows(const bench::Tree& tree) {
    AppUnderTest app("rows");
    if (!app.ready()) return false;
    if (!dv::winetest::writeFile(app.folder() + "\\Files.txt", "Find *.* files only\r\n") ||
        !app.start())
        return false;
    Window w(app);
    if (!w.ok()) return false;
    w.choose(tree.drive, kFirstUserType);

    const std::string before = memoryFigures();
    const std::string mark = w.begin();
    const double t0 = now();
    double slowest = 0;
    int answers = 0;
    while (!w.ended(mark) && now() - t0 < 600) {
        const double ms = answerMs(w.list);
        slowest = std::max(slowest, ms);
        ++answers;
        Sleep(20);
    }
    const double seconds = now() - t0;
    const int rows = listRowCount(w.list);
    const std::string after = memoryFigures();
    std::printf("rows %s: %d rows in %.3f s; slowest of %d answers during the search %.1f ms; "
                "summary \"%s\"\n",
                tree.name.c_str(), rows, seconds, answers, slowest, textOf(w.stats).c_str());

    const double s0 = now();
    DWORD_PTR result = 0;
    SendMessageTimeoutA(w.list, LVM_ENSUREVISIBLE, WPARAM(rows - 1), FALSE, SMTO_NORMAL, 10000, &result);
    const std::string last = listCell(app.process(), w.list, rows - 1, 4);
    const double scroll = (now() - s0) * 1000;
    const int top = int(SendMessageA(w.list, LVM_GETTOPINDEX, 0, 0));
    std::printf("rows %s: scrolled to the last row in %.1f ms (top row %d, last path %s)\n",
                tree.name.c_str(), scroll, top, last.c_str());
    std::printf("window rows200k rows=%d total_s=%.3f slowest_answer_ms=%.1f scroll_ms=%.1f\n",
                rows, seconds, slowest, scroll);
    std::printf("window memory before the search: %s\n", before.c_str());
    std::printf("window memory at %d rows: %s\n", rows, after.c_str());

    // Cancel once a quarter of the rows are in, counted after the new search emptied the list.
    Sleep(300);
    const std::string mark2 = w.begin();
    if (!waitUntil([&] { return listRowCount(w.list) < rows / 4; }, 60000, 2) ||
        !waitUntil([&] { return listRowCount(w.list) >= rows / 4; }, 600000, 2))
        return false;
    const double c0 = now();
    click(w.cancel);
    if (!waitUntil([&] { return w.ended(mark2); }, 60000, 2)) return false;
    const double latency = (now() - c0) * 1000;
    const int atSummary = listRowCount(w.list);
    Sleep(1000);
    const int later = listRowCount(w.list);
    std::printf("window cancel rows_at_summary=%d rows_after=%d latency_ms=%.1f\n", atSummary,
                later - atSummary, latency);
    std::fflush(stdout);
    return true;
}

}  // namespace bench::window

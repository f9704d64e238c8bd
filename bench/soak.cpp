// Soak: cycles of Start Search, backup-mode Delete All and Recovery on a tree of 10,000 junk
// files, in the real window of Dustvane.exe, driven from outside. After every cycle each file
// must be back byte for byte with its attributes and times, and the program's handle count
// and private memory must not grow. Prints the figures of every cycle. Run it with
// `make soak` (through scripts/wine-exec.sh, on the test drive).
#ifdef _WIN32
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "bench/JunkTree.h"
#include "bench/MainWindow.h"

using namespace gui;
using namespace bench::junk;
using namespace bench::window;

namespace {

// The process's entries in the system handle table (SystemExtendedHandleInformation).
DWORD handlesInSystemTable(DWORD pid) {
    struct Entry {
        PVOID object;
        ULONG_PTR process, handle;
        ULONG access;
        USHORT trace, type;
        ULONG attributes, reserved;
    };
    struct Table {
        ULONG_PTR count, reserved;
        Entry entries[1];
    };
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return 0;
    std::vector<char> buffer(1 << 20);
    ULONG needed = 0;
    LONG status;
    while ((status = query(64, buffer.data(), ULONG(buffer.size()), &needed)) == LONG(0xC0000004) &&
           buffer.size() < (64u << 20))
        buffer.resize(buffer.size() * 2);
    if (status != 0) return 0;
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    DWORD n = 0;
    for (ULONG_PTR i = 0; i < table->count; ++i) n += table->entries[i].process == pid ? 1 : 0;
    return n;
}

struct Usage {
    DWORD handles = 0;
    SIZE_T privateBytes = 0;  // PrivateUsage, or PagefileUsage where that is not kept
};

// Wine keeps neither the handle count nor PrivateUsage of another process: there the
// system handle table and PagefileUsage (the process's anonymous memory) stand in.
Usage usageOf(HANDLE process, DWORD pid) {
    Usage u;
    if (!GetProcessHandleCount(process, &u.handles) || u.handles == 0)
        u.handles = handlesInSystemTable(pid);
    PROCESS_MEMORY_COUNTERS_EX m{};
    m.cb = sizeof m;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m))
        u.privateBytes = m.PrivateUsage ? m.PrivateUsage : m.PagefileUsage;
    return u;
}

}  // namespace

int main(int argc, char** argv) {
    const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const std::string drive = preparedDrive("soak", "make soak");
    if (drive.empty()) return 1;
    int result = 0;
    {
        AppUnderTest app("soak");
        const std::string tree = app.folder() + "\\tree", keep = app.folder() + "\\keep";
        const DWORD built = GetTickCount();
        if (!app.ready() || !buildTree(tree) || !CreateDirectoryA(keep.c_str(), nullptr) ||
            !app.start()) {
            std::printf("soak: cannot prepare: %s\n", app.error().c_str());
            clearProgramSettings();
            return 1;
        }
        std::printf("tree: %d files in %d folders on %s, made in %lu ms\n", kFiles, kFolders,
                    drive.c_str(), static_cast<unsigned long>(GetTickCount() - built));
        Window w(app);
        if (!w.ok()) {
            std::printf("soak: main window or its controls not found\n");
            clearProgramSettings();
            return 1;
        }
        w.choose(drive, 3);

        std::printf("%5s %6s %10s %10s %10s %6s %8s %12s\n", "cycle", "rows", "search ms",
                    "delete ms", "recover ms", "wrong", "handles", "private KiB");
        std::vector<Usage> usage;
        for (int cycle = 1; cycle <= cycles && result == 0; ++cycle) {
            const std::map<std::string, Seen> before = look(tree);
            const std::string summary = w.begin();
            const double searchS = secondsUntil([&] { return w.ended(summary); }, kStepTimeoutMs);
            const int rows = listRowCount(w.list);
            const bool chosen = chooseBackupFolder(app, w, keep);
            const double deleteS = deleteAllSeconds(w);
            const double recoverS = recoverySeconds(app, w);
            const int wrong = differences(tree, before);
            usage.push_back(usageOf(app.process(), app.pid()));
            const Usage& u = usage.back();
            std::printf("%5d %6d %10.0f %10.0f %10.0f %6d %8lu %12lu\n", cycle, rows, searchS * 1000,
                        deleteS * 1000, recoverS * 1000, wrong, static_cast<unsigned long>(u.handles),
                        static_cast<unsigned long>(u.privateBytes / 1024));
            std::fflush(stdout);
            if (rows != kFiles || !chosen || searchS < 0 || deleteS < 0 || recoverS < 0 ||
                wrong != 0 || filesIn(keep) != 0 || !app.running()) {
                std::printf("soak: cycle %d failed (rows %d, folder chosen %d, %d files left in the "
                            "backup folder, running %d)\n",
                            cycle, rows, int(chosen), filesIn(keep), int(app.running()));
                result = 1;
            }
        }

        // Growth: the last cycles against the first ones after the warm-up.
        if (result == 0 && usage.size() >= 6) {
            const size_t half = usage.size() / 2;
            Usage early, late;
            for (size_t i = 1; i < half; ++i) {
                early.handles = std::max(early.handles, usage[i].handles);
                early.privateBytes = std::max(early.privateBytes, usage[i].privateBytes);
            }
            for (size_t i = half; i < usage.size(); ++i) {
                late.handles = std::max(late.handles, usage[i].handles);
                late.privateBytes = std::max(late.privateBytes, usage[i].privateBytes);
            }
            const long handleGrowth = long(late.handles) - long(early.handles);
            const long memoryGrowthKiB = (long(late.privateBytes) - long(early.privateBytes)) / 1024;
            std::printf("growth from cycles 2-%zu to %zu-%zu: %+ld handles, %+ld KiB private\n", half,
                        half + 1, usage.size(), handleGrowth, memoryGrowthKiB);
            if (handleGrowth > 8 || memoryGrowthKiB > 8192) {
                std::printf("soak: the program grows\n");
                result = 1;
            }
        }
        std::printf(result == 0 ? "soak: held\n" : "soak: FAILED\n");
    }
    clearProgramSettings();
    return result;
}

#else
#include <cstdio>
int main() {
    std::printf("soak drives the Windows program; build it in the windows tree\n");
    return 0;
}
#endif

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

#include "tests/gui/driver/AppUnderTest.h"
#include "tests/gui/driver/Dialogs.h"
#include "tests/gui/driver/Remote.h"
#include "tests/gui/driver/Wait.h"
#include "tests/gui/driver/Windows.h"

using namespace gui;

namespace {

constexpr int kFolders = 100, kFiles = 10000;
constexpr DWORD kStepTimeoutMs = 15 * 60 * 1000;
const char* const kKinds[] = {".tmp", ".bak", ".old", ".chk", ".gid"};  // all in pattern set 3

std::string folderOf(const std::string& tree, int i) {
    return tree + "\\f" + std::to_string(i % kFolders);
}
std::string nameOf(int i) { return "s" + std::to_string(i) + kKinds[i % 5]; }

// Sizes from 0 to about 6 KiB, bytes that differ from file to file.
std::string contentOf(int i) {
    std::string bytes(size_t(i * 37 % 6000), '\0');
    unsigned x = unsigned(i) * 2654435761u + 1;
    for (char& c : bytes) c = char((x = x * 1103515245u + 12345u) >> 16);
    return bytes;
}

DWORD attributesOf(int i) {
    DWORD a = 0;
    if (i % 7 == 0) a |= FILE_ATTRIBUTE_READONLY;
    if (i % 11 == 0) a |= FILE_ATTRIBUTE_HIDDEN;
    return a ? a : FILE_ATTRIBUTE_ARCHIVE;
}

FILETIME minutesAfter2000(int minutes) {
    SYSTEMTIME st{2000, 1, 0, 1, 0, 0, 0, 0};
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    ULARGE_INTEGER t{{ft.dwLowDateTime, ft.dwHighDateTime}};
    t.QuadPart += ULONGLONG(minutes) * 60 * 10000000;
    return FILETIME{t.LowPart, t.HighPart};
}

bool buildTree(const std::string& tree) {
    CreateDirectoryA(tree.c_str(), nullptr);
    for (int f = 0; f < kFolders; ++f) CreateDirectoryA(folderOf(tree, f).c_str(), nullptr);
    for (int i = 0; i < kFiles; ++i) {
        const std::string path = folderOf(tree, i) + "\\" + nameOf(i), bytes = contentOf(i);
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        DWORD put = 0;
        const FILETIME written = minutesAfter2000(i), read = minutesAfter2000(i + 600000);
        bool ok = (bytes.empty() || WriteFile(h, bytes.data(), DWORD(bytes.size()), &put, nullptr)) &&
                  SetFileTime(h, nullptr, &read, &written);
        CloseHandle(h);
        if (!ok || !SetFileAttributesA(path.c_str(), attributesOf(i))) return false;
    }
    return true;
}

struct Seen {
    DWORD attributes;
    FILETIME creation, access, write;
    uint64_t size;
};

// Every file of the tree as a directory search shows it: no file is opened.
std::map<std::string, Seen> look(const std::string& tree) {
    std::map<std::string, Seen> seen;
    for (int f = 0; f < kFolders; ++f) {
        const std::string folder = folderOf(tree, f) + "\\";
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) continue;
        do {
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            seen[folder + fd.cFileName] = Seen{fd.dwFileAttributes & 0x27, fd.ftCreationTime,
                                               fd.ftLastAccessTime, fd.ftLastWriteTime,
                                               uint64_t(fd.nFileSizeHigh) << 32 | fd.nFileSizeLow};
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    return seen;
}

// A copy keeps its times as SYSTEMTIME, to the millisecond.
bool sameTime(const FILETIME& a, const FILETIME& b) {
    const ULONGLONG ta = ULONGLONG(a.dwHighDateTime) << 32 | a.dwLowDateTime;
    const ULONGLONG tb = ULONGLONG(b.dwHighDateTime) << 32 | b.dwLowDateTime;
    return ta / 10000 == tb / 10000;
}

std::string contentAt(const std::string& path) { return dv::winetest::wholeFile(path); }

// The files that came back unlike they were before the cycle; the first few are named.
int differences(const std::string& tree, const std::map<std::string, Seen>& before) {
    const std::map<std::string, Seen> after = look(tree);
    int bad = 0;
    for (int i = 0; i < kFiles; ++i) {
        const std::string path = folderOf(tree, i) + "\\" + nameOf(i);
        auto was = before.find(path), now = after.find(path);
        const char* what = nullptr;
        if (was == before.end() || now == after.end())
            what = "missing";
        else if (now->second.attributes != was->second.attributes)
            what = "attributes";
        else if (!sameTime(now->second.write, was->second.write))
            what = "last-write time";
        else if (!sameTime(now->second.access, was->second.access))
            what = "last-access time";
        else if (!sameTime(now->second.creation, was->second.creation))
            what = "creation time";
        else if (contentAt(path) != contentOf(i))
            what = "content";
        if (what && ++bad <= 5) std::printf("  %s: %s\n", path.c_str(), what);
    }
    return bad;
}

int filesIn(const std::string& folder) {
    int n = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do n += (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return n;
}

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

HWND control(HWND top, const char* cls, int x, int y, int w, int h) {
    return findControl(top, Find().className(cls).at(x, y, w, h));
}

// The time a step takes, in ms, or -1 when `done` did not come within the time-out.
template <class Pred>
long timed(Pred done) {
    const DWORD t0 = GetTickCount();
    return waitUntil(done, kStepTimeoutMs, 50) ? long(GetTickCount() - t0) : -1;
}

}  // namespace

int main(int argc, char** argv) {
    const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const std::string drive = testDrive();
    if (drive.size() != 2 || drive[1] != ':') {
        std::printf("soak: needs DV_TEST_DRIVE (run it with make soak)\n");
        return 1;
    }
    clearProgramSettings();
    setStartSwitch("NotShow", 1);
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
        HWND top = nullptr;
        waitUntil([&] { return (top = findTopWindow(app.pid(), "Dustvane", 663, 470, true)) &&
                               !IsIconic(top); },
                  60000);
        HWND drives = nullptr, sets = nullptr, start = nullptr, stats = nullptr, list = nullptr, backupRadio = nullptr,
             deleteAll = nullptr, recovery = nullptr;
        if (top) {
            for (HWND c : findControls(top, Find().className("ComboBox"))) {
                RECT r = rectIn(top, c);
                if (r.left == 143 && r.top == 91) drives = c;
                if (r.left == 20 && r.top == 160) sets = c;
            }
            start = control(top, "Button", 18, 289, 90, 20);
            stats = control(top, "Static", 15, 257, 296, 16);
            list = control(top, "SysListView32", 21, 326, 620, 95);
            backupRadio = control(top, "Button", 297, 178, 343, 16);
            deleteAll = findControl(top, Find().className("Button").caption("Delete All Garbage Files"));
            recovery = control(top, "Button", 326, 289, 90, 20);
        }
        if (!drives || !sets || !start || !stats || !list || !backupRadio || !deleteAll || !recovery) {
            std::printf("soak: main window or its controls not found\n");
            clearProgramSettings();
            return 1;
        }
        selectCombo(drives, 1 + (toupper(drive[0]) - 'C'));
        selectCombo(sets, 3);
        waitUntil([&] { return comboSelection(sets) == 3; }, 5000);

        std::printf("%5s %6s %10s %10s %10s %6s %8s %12s\n", "cycle", "rows", "search ms",
                    "delete ms", "recover ms", "wrong", "handles", "private KiB");
        std::vector<Usage> usage;
        for (int cycle = 1; cycle <= cycles && result == 0; ++cycle) {
            const std::map<std::string, Seen> before = look(tree);
            const std::string summary = textOf(stats) + "#";
            SetWindowTextA(stats, summary.c_str());  // the summary replaces it
            click(start);
            const long searchMs = timed([&] { return enabled(start) && textOf(stats) != summary; });
            const int rows = listRowCount(list);

            // Backup mode asks for the folder; Recovery forgets it, so every cycle chooses it.
            click(backupRadio);
            HWND dialog = waitFolderDialog(app.pid(), 10000);
            const bool chosen = dialog && chooseFolder(app.process(), dialog, keep);
            click(deleteAll);
            const long deleteMs = timed([&] { return listRowCount(list) == 0 && filesIn(keep) == kFiles; });
            Sleep(500);

            click(recovery);
            MessageBoxSeen done;
            const long recoverMs = timed([&] { return (done = findMessageBox(app.pid())).hwnd != nullptr; });
            if (done.hwnd) pressDialogButton(done.hwnd, "OK");
            waitUntil([&] { return !findMessageBox(app.pid()).hwnd; }, 10000);

            const int wrong = differences(tree, before);
            usage.push_back(usageOf(app.process(), app.pid()));
            const Usage& u = usage.back();
            std::printf("%5d %6d %10ld %10ld %10ld %6d %8lu %12lu\n", cycle, rows, searchMs,
                        deleteMs, recoverMs, wrong, static_cast<unsigned long>(u.handles),
                        static_cast<unsigned long>(u.privateBytes / 1024));
            std::fflush(stdout);
            if (rows != kFiles || !chosen || searchMs < 0 || deleteMs < 0 || recoverMs < 0 ||
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

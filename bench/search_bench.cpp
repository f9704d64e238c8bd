// Times the junk-file walk on a generated tree of the test drive and prints figures:
// folders and files per second, directory enumerations per folder and wall time, for
// pattern sets 0 and 3. Run it through scripts/bench-search.sh, which also times GNU
// find on the same tree.
#ifndef _WIN32
#include <cstdio>
int main() {
    std::puts("search_bench measures the real file system; build it for Windows and run it under Wine");
    return 0;
}
#else
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32IniFiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ShellOps.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32UrlCache.h"
#include "search/Patterns.h"
#include "search/SearchEngine.h"
#include "tests/wine/RecordingUi.h"
#include "bench/BenchTree.h"

namespace {

using namespace dv;
using namespace bench;

// Counts what the walk asks of the file system.
class CountingFileSystem : public Win32FileSystem {
public:
    long long listings = 0, searches = 0, files = 0, folders = 0;
    bool listFolder(const std::string& folder, std::vector<DirEntry>& out) override {
        ++listings;
        bool ok = Win32FileSystem::listFolder(folder, out);
        for (const DirEntry& e : out) (e.isFolder() ? folders : files)++;
        return ok;
    }
    bool findFiles(const std::string& patternPath, std::vector<DirEntry>& out) override {
        ++searches;
        return Win32FileSystem::findFiles(patternPath, out);
    }
};

double now() {
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(frequency.QuadPart);
}

struct Platform {
    CountingFileSystem fs;
    Win32Registry registry;
    Win32IniFiles ini;
    Win32ShellOps shell;
    Win32System system;
    winetest::RecordingUi ui;
    Win32UrlCache urlCache;
    App app{fs, registry, ini, shell, system, ui, urlCache, AppState{}};
};

// For comparison: the same walk with one system wildcard search per pattern and folder.
long long referenceWalk(FileSystem& fs, const std::string& folder,
                        const std::vector<std::string>& patterns) {
    long long hits = 0;
    std::vector<DirEntry> found;
    for (const std::string& pattern : patterns) {
        fs.findFiles(folder + pattern, found);
        for (const DirEntry& e : found) hits += !e.isFolder();
    }
    std::vector<DirEntry> entries;
    fs.listFolder(folder, entries);
    for (const DirEntry& e : entries)
        if (e.isFolder() && e.name[0] != '.') hits += referenceWalk(fs, folder + e.name + "\\", patterns);
    return hits;
}

void measureReference(const std::string& root, int set) {
    Platform p;
    for (const std::string& item : patternSetComboItems()) p.ui.comboAdd(Ctl::patternSetCombo, item);
    p.ui.setComboSelection(Ctl::patternSetCombo, set);
    buildSearchPatterns(p.app);
    const double start = now();
    long long hits = referenceWalk(p.fs, root + "\\", p.app.state.searchPatterns);
    const double wall = now() - start;
    std::printf("reference set %d (one system search per pattern and folder): %lld hits, "
                "%.2f enumerations/folder, %.3f s\n",
                set, hits, double(p.fs.listings + p.fs.searches) / p.fs.listings, wall);
}

// One timed walk of the tree with pattern set `set`.
void measure(const std::string& root, int set) {
    std::vector<double> times, summaries;
    for (int run = 0; run < 3; ++run) {
        Platform p;
        for (const std::string& item : patternSetComboItems()) p.ui.comboAdd(Ctl::patternSetCombo, item);
        p.ui.setComboSelection(Ctl::patternSetCombo, set);
        buildSearchPatterns(p.app);
        p.app.state.searchFinished = 0;
        const double start = now();
        searchFolder(p.app, root);
        const double wall = now() - start;
        times.push_back(wall);
        // The folders walked are the listings made; entries exclude "." and "..".
        const long long folders = p.fs.listings;
        const long long files = p.fs.files;
        std::printf("set %d run %d: %lld folders, %lld files, %zu patterns, %d rows, "
                    "%.2f enumerations/folder, %.3f s, %.0f folders/s, %.0f files/s\n",
                    set, run + 1, folders, files, p.app.state.searchPatterns.size(),
                    p.ui.rowCount(Ctl::resultList), double(p.fs.listings + p.fs.searches) / folders,
                    wall, folders / wall, files / wall);
        // The end-of-search summary re-reads the size of every listed file.
        const double summaryStart = now();
        showSearchSummary(p.app);
        const double summary = now() - summaryStart;
        summaries.push_back(summary);
        std::printf("set %d run %d: summary %.3f s, walk + summary %.3f s\n", set, run + 1, summary,
                    wall + summary);
        if (run == 0) {
            std::printf("patterns set %d:", set);
            for (const std::string& pattern : p.app.state.searchPatterns) std::printf(" %s", pattern.c_str());
            std::printf("\n");
        }
    }
    std::sort(times.begin(), times.end());
    std::sort(summaries.begin(), summaries.end());
    std::printf("engine set %d median_s=%.4f summary_median_s=%.4f\n", set, times[1], summaries[1]);
}

}  // namespace

// Where the time goes: the bare walk with no pattern, and the local-time conversion
// that every row's date needs.
void measureParts(const std::string& root) {
    Platform p;
    p.app.state.searchPatterns.clear();
    double start = now();
    searchFolder(p.app, root);
    std::printf("walk with no pattern: %lld folders, %.3f s\n", p.fs.listings, now() - start);
    start = now();
    SystemTime local;
    for (int i = 0; i < 20000; ++i) p.system.utcToLocal(FileTime(130000000000000000ull + i * 10000000ull), local);
    std::printf("20000 utcToLocal: %.3f s\n", now() - start);
}

int main(int argc, char** argv) {
    const bool reference = argc > 1 && std::string(argv[1]) == "--reference";
    char drive[MAX_PATH] = {};
    if (GetEnvironmentVariableA("DV_TEST_DRIVE", drive, sizeof drive) == 0) {
        std::puts("DV_TEST_DRIVE is not set: run this through scripts/wine-exec.sh");
        return 1;
    }
    const std::string root = std::string(drive) + "\\search_bench";
    double start = now();
    if (!buildTree(root)) {
        std::printf("could not build the tree under %s\n", root.c_str());
        return 1;
    }
    std::printf("tree %s: %d folders, %d files, built in %.1f s\n", root.c_str(),
                1 + kTopFolders * (1 + kSubFolders), kFiles, now() - start);
    const char* runDir = std::getenv("DV_RUN_DIR");
    if (runDir) std::printf("unix tree %s/drive/search_bench\n", runDir);
    std::fflush(stdout);
    measureParts(root);
    measure(root, 0);
    measure(root, 3);
    if (reference) {
        measureReference(root, 3);
        measureReference(root, 0);
    }
    return 0;
}
#endif

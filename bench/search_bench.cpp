// Times the search on the trees given as drive:name arguments (see BenchTrees.h), pattern
// set 0: first the engine without a window (the walk, the summary that re-reads the sizes
// of the listed files, the engine's listing of every folder, and the system's own listing
// in a bare loop, the least any search can cost here), then the real window
// driven from outside (WindowSearch.h). Run it through scripts/bench-search.sh, which
// makes the trees, also times GNU find on them, and prints the ratios.
#ifndef _WIN32
#include <cstdio>
int main() {
    std::puts("search_bench measures the real file system; build it for Windows and run it under Wine");
    return 0;
}
#else
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchTrees.h"
#include "bench/WindowSearch.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32IniFiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32ShellOps.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32UrlCache.h"
#include "search/Patterns.h"
#include "search/SearchEngine.h"
#include "tests/fakes/FakeUi.h"

namespace {

using namespace dv;
using bench::now;

// Counts what the walk asks of the file system (from both of its threads).
class CountingFileSystem : public Win32FileSystem {
public:
    std::atomic<long long> listings{0}, searches{0}, files{0}, folders{0};
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

struct Platform {
    CountingFileSystem fs;
    Win32Registry registry;
    Win32IniFiles ini;
    Win32ShellOps shell;
    Win32System system;
    FakeUi ui;
    Win32UrlCache urlCache;
    App app{fs, registry, ini, shell, system, ui, urlCache, AppState{}};

    explicit Platform(int set) {
        ui.setComboSelection(Ctl::patternSetCombo, set);
        buildSearchPatterns(app);
        app.state.searchFinished = 0;
    }
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

constexpr int kRuns = 5;  // timed runs of each kind; the figures are their medians

// The bare listing: every folder once, no pattern.
double listingSeconds(const bench::Tree& tree) {
    Platform p(0);
    p.app.state.searchPatterns.clear();
    const double start = now();
    searchFolder(p.app, tree.root());
    return now() - start;
}

// The system's listing alone: every folder through FindFirstFileExA, as the engine asks,
// each entry only looked at. No search of this file system can take less.
long long systemListing(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileExA((folder + "*").c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE) return 0;
    std::vector<std::string> subfolders;
    long long entries = 0;
    do {
        ++entries;
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && std::strcmp(fd.cFileName, ".") != 0 &&
            std::strcmp(fd.cFileName, "..") != 0)
            subfolders.push_back(folder + fd.cFileName + "\\");
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    for (const std::string& sub : subfolders) entries += systemListing(sub);
    return entries;
}

double systemListingSeconds(const bench::Tree& tree) {
    const double start = now();
    systemListing(tree.root());
    return now() - start;
}

void measure(const bench::Tree& tree, bool reference) {
    listingSeconds(tree);  // the first walk of a drive pays for what Wine learns of it
    std::vector<double> walks, summaries, listings;
    long long folders = 0, files = 0;
    int rows = 0;
    for (int run = 0; run < kRuns; ++run) {
        Platform p(0);
        const double start = now();
        searchFolder(p.app, tree.root());
        const double walk = now() - start;
        folders = p.fs.listings;
        files = p.fs.files;
        const double summaryStart = now();
        showSearchSummary(p.app);
        const double summary = now() - summaryStart;
        walks.push_back(walk);
        summaries.push_back(summary);
        rows = p.ui.rowCount(Ctl::resultList);
        std::printf("%s run %d: %lld folders, %lld files, %d rows; walk %.3f s, summary %.3f s\n",
                    tree.name.c_str(), run + 1, folders, files, rows, walk, summary);
        if (run == 0) {
            std::printf("patterns set 0:");
            for (const std::string& pattern : p.app.state.searchPatterns) std::printf(" %s", pattern.c_str());
            std::printf("\n");
        }
    }
    std::vector<double> systemListings;
    for (int run = 0; run < kRuns; ++run) {
        listings.push_back(listingSeconds(tree));
        systemListings.push_back(systemListingSeconds(tree));
    }
    const double walk = bench::median(walks), summary = bench::median(summaries);
    const double listing = bench::median(listings), system = bench::median(systemListings);
    std::printf("engine %s folders=%lld files=%lld rows=%d system_s=%.3f listing_s=%.3f walk_s=%.3f "
                "summary_s=%.3f total_s=%.3f\n",
                tree.name.c_str(), folders, files, rows, system, listing, walk, summary, walk + summary);
    if (reference) {
        Platform p(0);
        const double start = now();
        long long hits = referenceWalk(p.fs, tree.root(), p.app.state.searchPatterns);
        std::printf("%s reference (one system search per pattern and folder): %lld hits, %.3f s\n",
                    tree.name.c_str(), hits, now() - start);
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<bench::Tree> trees = bench::treesOf(argc, argv);
    bool reference = false;
    for (int i = 1; i < argc; ++i) reference = reference || std::string(argv[i]) == "--reference";
    if (trees.empty() || !bench::waitForDrives(trees)) {
        std::puts("search_bench: give trees as drive:name and run it through scripts/bench-search.sh");
        return 1;
    }
    for (const bench::Tree& tree : trees) measure(tree, reference);
    gui::clearProgramSettings();
    gui::setStartSwitch("NotShow", 1);
    bool ok = bench::window::timeTrees(trees);
    for (const bench::Tree& tree : trees)
        if (ok && tree.name == "files200k") ok = bench::window::timeAllRows(tree);
    gui::clearProgramSettings();
    return ok ? 0 : 1;
}
#endif

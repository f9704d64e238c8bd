// Times the listing of application caches. The tree given as drive:name (scripts/
// bench-caches.sh makes it: a profile holding 20,000 cache files beside the user's own)
// becomes the user's profile: its known folders point into it while the run lasts. The
// search engine, without a window, then lists the caches of Dustvane's own rules on that
// drive five times. The folders the rules walk are printed first, so that the script can
// time GNU find over the same folders.
#ifndef _WIN32
#include <cstdio>
int main() {
    std::puts("caches_bench measures the real file system; build it for Windows and run it under Wine");
    return 0;
}
#else
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchTrees.h"
#include "rules/CachePlan.h"
#include "search/Patterns.h"
#include "search/SearchEngine.h"
#include "tests/wine/CacheProfile.h"
#include "tests/wine/WinePlatform.h"

int main(int argc, char** argv) {
    using namespace dv;
    const std::vector<bench::Tree> trees = bench::treesOf(argc, argv);
    if (trees.size() != 1) {
        std::puts("usage: caches_bench.exe P:name (run it through scripts/bench-caches.sh)");
        return 2;
    }
    const bench::Tree& tree = trees[0];
    winetest::MovedKnownFolders moved;
    if (!bench::waitForDrives(trees) || !moved.moveInto(tree.root())) {
        std::printf("the profile drive %s cannot be used\n", tree.drive.c_str());
        return 1;
    }
    winetest::RealPlatform p;
    p.app.state.baseFolder = winetest::programFolder();
    for (const std::string& item : patternSetComboItems()) p.ui.comboAdd(Ctl::patternSetCombo, item);
    for (const std::string& item : driveComboItems()) p.ui.comboAdd(Ctl::driveCombo, item);
    p.ui.setComboSelection(Ctl::patternSetCombo, kAppCachesItem);
    p.ui.setComboSelection(Ctl::driveCombo, 1 + (toupper(tree.drive[0]) - 'C'));

    const CachePlan plan = planCaches(p.app, loadRuleFiles(p.app), {tree.root()});
    for (const CacheFolder& f : plan.folders) {
        const FileKey& key = plan.rules[f.rule].fileKeys[f.key];
        std::string patterns;
        for (const std::string& pattern : key.patterns) patterns += (patterns.empty() ? "" : ";") + pattern;
        std::printf("caches folder %s|%d|%s\n", f.path.c_str(), key.recurse ? 1 : 0, patterns.c_str());
    }
    std::vector<double> times;
    int rows = 0;
    for (int run = 0; run < 5; ++run) {
        const double start = bench::now();
        startSearch(p.app);
        times.push_back(bench::now() - start);
        rows = p.ui.rowCount(Ctl::resultList);
    }
    std::printf("caches engine %s rows=%d programs=%d folders=%zu median_s=%.3f\n", tree.name.c_str(),
                rows, plan.programs, plan.folders.size(), bench::median(times));
    return 0;
}
#endif

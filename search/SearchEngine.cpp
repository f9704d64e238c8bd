#include "search/SearchEngine.h"

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <vector>

#include "rules/CachePlan.h"
#include "search/ListedBytes.h"
#include "search/Matcher.h"
#include "search/Patterns.h"
#include "search/ReadAhead.h"
#include "search/ResultList.h"
#include "search/SystemFolders.h"
#include "shell/Texts.h"
#include "text/NumberText.h"
#include "text/PathText.h"
#include "text/Text.h"

namespace dv {

namespace {

const char* const kProtectedPath = "Symantec Client Firewall\\NAM.FTS";

// What one walk needs, fixed when it starts: a selection change during the walk
// rebuilds app.state.searchPatterns but never the list being walked.
struct Walk {
    Walk(const std::vector<std::string>& searchPatterns, SystemFolders systemFolders)
        : patterns(searchPatterns), stores(std::move(systemFolders)) {}
    PatternList patterns;
    SystemFolders stores;  // fences Windows' own stores off a walk of drives
    std::unordered_set<std::string> excluded;  // folded (foldedName)
    std::string marker;
    // The progress caption is written right before messages are processed, with the
    // value the walk's steps last gave it.
    std::string caption;
    bool captionDirty = false;
    // Lists the coming folders on a second thread where the file system allows it.
    std::unique_ptr<ReadAhead> ahead;

    // The walk of a rule's folder: its rows carry the rule's name as their type, each
    // file is listed once whatever rules name it, and the user-profile skip does not apply
    // (the caches live there).
    std::string type;  // empty for a walk of drives
    bool recurse = true;
    const std::vector<CacheExclusion>* ruleExclusions = nullptr;
    std::unordered_set<std::string> listed;    // folded
    std::vector<std::string>* emptiable = nullptr;  // REMOVESELF: every folder walked
};

// `subfolders` (by position, when given): whether the walk enters the root's subfolders.
Walk beginWalk(App& app, const std::vector<std::string>& roots, SystemFolders stores,
               std::vector<bool> subfolders = {}) {
    Walk walk(app.state.searchPatterns, std::move(stores));
    for (const std::string& path : app.state.exclusionList) walk.excluded.insert(foldedName(path));
    walk.marker = profileMarker(app);
    if (app.fs.listsFromAnyThread() && !roots.empty())
        walk.ahead = std::make_unique<ReadAhead>(app.fs, roots, walk.stores, std::move(subfolders));
    return walk;
}

void setCaption(Walk& walk, const std::string& folder, const std::string& name) {
    walk.caption = folder;
    walk.caption += name;
    walk.captionDirty = true;
}

// Messages are processed at every folder when the window layer finds them due (input
// waiting, or a few milliseconds passed); the caption is written only then.
void processMessages(App& app, Walk& walk) {
    if (!app.ui.messagesDue()) return;
    if (walk.captionDirty) {
        app.ui.setText(Ctl::criteriaTitleLabel, textOfKey(app, 52) + walk.caption + ")");
        walk.captionDirty = false;
    }
    app.ui.processPendingMessages();
}

// Neither the protected file nor a path of the exclusion list, which names files as the
// file system does, without regard to case.
bool qualifies(const Walk& walk, const std::string& path) {
    return !containsNoCase(path, kProtectedPath) && walk.excluded.count(foldedName(path)) == 0;
}

// A file of a rule's folder is listed when it is a plain file, none of the rule's
// exclusions names it, and no other rule listed it before.
bool listableCache(Walk& walk, const std::string& folder, const DirEntry& entry,
                   const std::string& path) {
    if (entry.attributes & kAttrReparsePoint) return false;
    const std::string foldedFolder = foldedName(folder);
    for (const CacheExclusion& e : *walk.ruleExclusions) {
        const bool inFolder = e.subfolders ? foldedFolder.compare(0, e.folder.size(), e.folder) == 0
                                           : foldedFolder == e.folder;
        if (inFolder && matchesPattern(e.pattern, entry.name)) return false;
    }
    return walk.listed.insert(foldedName(path)).second;
}

// The elapsed-time count stops and Start Search can be clicked again: at the end of a
// search, at a cancel, and where the walk finds the search finished.
void stopHere(App& app) {
    app.ui.setTimer(Ctl::elapsedTimer, 0);
    app.ui.setEnabled(Ctl::startSearchButton, true);
}

// How long the walk waits for a folder still being read before it serves the window.
constexpr int kReadWaitMs = 10;

// The entries of a folder, from the reading thread when it runs, else listed here. While
// the folder is still being read the window is served; false when the search finished
// meanwhile.
bool folderEntries(App& app, Walk& walk, const std::string& folder, std::vector<DirEntry>& entries,
                   bool& readable) {
    while (walk.ahead) {
        switch (walk.ahead->take(folder, entries, readable, kReadWaitMs)) {
            case ReadAhead::Take::Ready: return true;
            case ReadAhead::Take::NotYet:
                processMessages(app, walk);
                if (app.state.searchFinished) return false;
                break;
            case ReadAhead::Take::Missing: walk.ahead.reset(); break;
        }
    }
    readable = app.fs.listFolder(folder, entries);
    return true;
}

void walkFolder(App& app, Walk& walk, std::string folder,
                SystemFolders::Kind kind = SystemFolders::Kind::Walk) {
    processMessages(app, walk);
    if (app.state.searchFinished) {
        stopHere(app);
        return;
    }
    folder = withTrailingBackslash(folder);

    // One enumeration serves every pattern and the subfolders.
    std::vector<DirEntry> entries;
    bool readable = false;
    if (!folderEntries(app, walk, folder, entries, readable)) {
        stopHere(app);
        return;
    }
    if (!readable) return;
    if (walk.emptiable) walk.emptiable->push_back(folder);

    // Rows go pattern by pattern, each pattern's files in listing order.
    std::vector<std::pair<uint32_t, uint32_t>> hits;  // (pattern, entry)
    if (kind != SystemFolders::Kind::TempOnly)
        for (size_t i = 0; i < entries.size(); ++i)
            if (!entries[i].isFolder()) walk.patterns.collect(entries[i].name, uint32_t(i), hits);
    std::sort(hits.begin(), hits.end());
    const bool inProfile = walk.type.empty() && containsNoCase(folder, walk.marker);
    const size_t lastPattern = walk.patterns.size() - 1;
    const std::string* lastPatternsFirst = nullptr;
    std::string path;
    for (const auto& [pattern, item] : hits) {
        const DirEntry& entry = entries[item];
        if (pattern == lastPattern && !lastPatternsFirst) lastPatternsFirst = &entry.name;
        if (inProfile) continue;
        path = folder;
        path += entry.name;
        if (!qualifies(walk, path)) continue;
        if (walk.type.empty())
            appendResultRow(app, walk.patterns.pattern(pattern), path, entry);
        else if (listableCache(walk, folder, entry, path))
            appendResultRow(app, walk.type, path, entry);
    }
    if (walk.patterns.size() > 0)
        setCaption(walk, folder, lastPatternsFirst ? *lastPatternsFirst : std::string());
    if (!walk.recurse) return;

    std::vector<const DirEntry*> folders;
    for (const DirEntry& entry : entries)
        if (entry.isFolder()) folders.push_back(&entry);
    for (size_t i = 0; i < folders.size(); ++i) {
        const SystemFolders::Kind subKind = walk.stores.subfolderKind(folder, kind, *folders[i]);
        if (subKind != SystemFolders::Kind::Skip) {
            walkFolder(app, walk, folder + folders[i]->name, subKind);
            // Once cancelled, no further folder is entered at any level.
            if (app.state.searchFinished) return;
        }
        setCaption(walk, folder, i + 1 < folders.size() ? folders[i + 1]->name : std::string());
    }
}

// What the summary shows.
struct Figures {
    int rows = -1;
    uint64_t bytes = 0;
};

Figures currentFigures(App& app) {
    return Figures{app.ui.rowCount(Ctl::resultList), currentListedBytes(app)};
}

void showFigures(App& app, const Figures& figures) {
    const int rows = figures.rows;
    const uint64_t total = figures.bytes;
    app.ui.setText(Ctl::criteriaTitleLabel, textOfKey(app, 3));
    app.ui.setText(Ctl::statusLabel,
                   formatRounded2(static_cast<double>(total) / 1024.0) + textOfKey(app, 53));
    app.ui.setText(Ctl::statisticsTitleLabel, textOfKey(app, 54) + " " + std::to_string(rows) +
                                                   " " + textOfKey(app, 55));
    app.ui.setText(Ctl::currentFileLabel, textOfKey(app, 56) + " " +
                                              std::to_string(app.state.searchSeconds) + " " +
                                              textOfKey(app, 57));
    if (rows == 0) {
        app.ui.setText(Ctl::alertLabel, textOfKey(app, 58));
        app.ui.setVisible(Ctl::alertLabel, true);
    } else {
        app.ui.setText(Ctl::alertLabel, textOfKey(app, 59));
        app.ui.setVisible(Ctl::deleteAllButton, true);
        app.ui.setVisible(Ctl::addGarbageTypeButton, false);
        app.ui.setTimer(Ctl::alertBlinkTimer, 500);
    }
}

// The drive roots, all but Windows' own stores.
void walkDrives(App& app, const std::vector<std::string>& roots) {
    Walk walk = beginWalk(app, roots, SystemFolders(app.system.windowsFolder()));
    for (const std::string& root : roots) {
        walkFolder(app, walk, root);
        if (app.state.searchFinished) break;
    }
}

// The folders of the rules that apply on the drives, one after another; Windows' own
// stores are no bar here, as rules name folders inside them (Windows\Logs\CBS).
void walkAppCaches(App& app, const std::vector<std::string>& roots) {
    const CachePlan plan = planCaches(app, loadRuleFiles(app), roots);
    showAppCachesFound(app, plan.programs);
    std::vector<std::string> folders;
    std::vector<bool> subfolders;
    for (const CacheFolder& folder : plan.folders) {
        folders.push_back(folder.path);
        subfolders.push_back(plan.rules[folder.rule].fileKeys[folder.key].recurse);
    }
    Walk walk = beginWalk(app, folders, SystemFolders(), subfolders);
    for (const CacheFolder& folder : plan.folders) {
        const Rule& rule = plan.rules[folder.rule];
        const FileKey& key = rule.fileKeys[folder.key];
        walk.patterns = PatternList(key.patterns);
        walk.type = rule.name;
        walk.recurse = key.recurse;
        walk.ruleExclusions = &plan.exclusions[folder.rule];
        walk.emptiable = key.removeSelf ? &app.state.emptiableFolders : nullptr;
        walkFolder(app, walk, folder.path);
        if (app.state.searchFinished) break;
    }
}

}  // namespace

void countAppCaches(App& app) {
    showAppCachesFound(app, planCaches(app, loadRuleFiles(app), searchRoots(app)).programs);
}

bool searchRunning(const App& app) {
    return app.state.searchFinished == 0 && !app.ui.isEnabled(Ctl::startSearchButton);
}

std::string profileMarker(App& app) {
    const std::string p = app.system.environment("userprofile");
    const std::string n = app.system.environment("username");
    const std::string d = app.system.environment("systemdrive");
    const std::string t = app.system.environment("temp");
    const std::string a = p.size() > n.size() ? p.substr(0, p.size() - n.size()) : std::string();
    std::string m = a.size() > d.size() ? a.substr(d.size()) : std::string();
    if (m.empty()) m = t;
    return m;
}

void searchFolder(App& app, const std::string& folder) {
    Walk walk = beginWalk(app, {folder}, SystemFolders());
    walkFolder(app, walk, folder);
}

void startSearch(App& app) {
    if (searchRunning(app)) return;  // a second click can only come from inside the walk
    app.ui.processPendingMessages();
    buildSearchPatterns(app);
    app.ui.clearRows(Ctl::resultList);
    app.ui.setTimer(Ctl::elapsedTimer, 1000);
    app.ui.setTimer(Ctl::alertBlinkTimer, 0);
    app.ui.setVisible(Ctl::deleteAllButton, false);
    app.ui.setVisible(Ctl::addGarbageTypeButton, true);
    app.ui.setEnabled(Ctl::startSearchButton, false);
    app.ui.setVisible(Ctl::alertLabel, false);
    app.ui.setText(Ctl::statusLabel, "");
    app.state.searchSeconds = 0;
    app.state.searchFinished = 0;
    app.state.cancelledRows = -1;

    app.state.emptiableFolders.clear();

    if (app.ui.comboSelection(Ctl::patternSetCombo) == kAppCachesItem)
        walkAppCaches(app, searchRoots(app));
    else
        walkDrives(app, searchRoots(app));

    stopHere(app);
    app.state.searchFinished = 1;
    if (app.state.cancelledRows == app.ui.rowCount(Ctl::resultList))
        showFigures(app, Figures{app.state.cancelledRows, app.state.cancelledBytes});
    else
        showSearchSummary(app);
}

void cancelSearch(App& app) {
    if (!searchRunning(app)) return;
    stopHere(app);
    app.state.searchFinished = 1;
    const Figures figures = currentFigures(app);
    app.state.cancelledRows = figures.rows;
    app.state.cancelledBytes = figures.bytes;
    showFigures(app, figures);
}

void showSearchSummary(App& app) { showFigures(app, currentFigures(app)); }

void elapsedTimerTick(App& app) { ++app.state.searchSeconds; }

}  // namespace dv

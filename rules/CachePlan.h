// Where the rules point on this computer: which rules apply, and the folders a search of
// application caches walks for them.
#pragma once
#include <string>
#include <vector>

#include "rules/RuleFile.h"
#include "shell/App.h"

namespace dv {

// One folder of one rule's FileKey, as it lies on a drive.
struct CacheFolder {
    std::string path;  // full path, ending in "\"
    size_t rule;       // CachePlan::rules
    size_t key;        // that rule's fileKeys
};

// Files of a rule that are never listed.
struct CacheExclusion {
    std::string folder;   // folded, ending in "\"
    std::string pattern;
    bool subfolders;
};

struct CachePlan {
    std::vector<Rule> rules;
    std::vector<std::vector<CacheExclusion>> exclusions;  // one list per rule
    std::vector<CacheFolder> folders;                     // in rule order, key by key
    int programs = 0;  // rules with at least one folder to walk
};

// The rules of Dustvane's own "\Rules.ini" and of a "\winapp2.ini" the user put beside the
// program, in that order.
std::vector<Rule> loadRuleFiles(App& app);

// The folders of the rules that apply, on the drives `roots` ("C:\", ...). A rule applies
// unless it is left out, its DetectOS range excludes this Windows, it has Detect or
// DetectFile keys none of which is found, or an exclusion names a folder that cannot be
// placed; then its FileKeys give every existing folder they name that is safe to clean.
// A folder is refused whole when it is a drive's root, the Windows folder, a Program Files
// folder, the user profile or a folder above it, or lies in the user's Documents, Desktop,
// Pictures, Music, Videos or Downloads; a RECURSE or REMOVESELF key is also refused on a
// known folder itself (all of AppData\Local, say) or a folder above one, so no walk of a
// rule's tree reaches the user's own folders. Folders are reached through plain folders
// only: a junction or link below a known folder is never followed, nor a "." or ".." part.
CachePlan planCaches(App& app, std::vector<Rule> rules, const std::vector<std::string>& roots);

}  // namespace dv

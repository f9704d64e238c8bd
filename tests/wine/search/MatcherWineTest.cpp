// Our matcher against the system's own wildcard search, one search per pattern.
#include <algorithm>
#include <set>

#include "search/Matcher.h"
#include "search/Patterns.h"
#include "tests/wine/WineTest.h"

namespace dv::winetest {
namespace {

std::vector<std::string> builtInPatterns() {
    std::vector<std::string> items = patternSetComboItems(), patterns;
    for (size_t i = kFirstSingleType; i < items.size(); ++i) patterns.push_back(patternOfItem(items[i]));
    return patterns;
}

bool validName(const std::string& n) {
    return !n.empty() && n.back() != '.' && n.back() != ' ' && n != "." && n != ".." &&
           n.find_first_of("\\/:*?\"<>|") == std::string::npos;
}

// A name the file system keeps as it is, with no second, generated 8.3 name.
bool isShortName(const std::string& n) {
    size_t dot = n.find('.');
    if (dot == std::string::npos) return n.size() <= 8;
    return dot >= 1 && dot <= 8 && n.size() - dot - 1 <= 3 && n.find('.', dot + 1) == std::string::npos;
}

// Names built from every pattern: its wildcards filled in several ways, then changed by
// one character at either end, and in other letter case.
std::vector<std::string> candidateNames() {
    std::vector<std::string> names;
    std::set<std::string> seen;  // folded, as the file system compares names
    auto add = [&](const std::string& n) {
        std::string folded = n;
        for (char& c : folded) c = char(tolower((unsigned char)c));
        if (validName(n) && seen.insert(folded).second) names.push_back(n);
    };
    const char* stars[] = {"", "a", "q.r"};
    const char* marks[] = {"x", "7"};
    for (const std::string& pattern : builtInPatterns())
        for (const char* star : stars)
            for (const char* mark : marks) {
                std::string n;
                for (char c : pattern) n += c == '*' ? star : c == '?' ? mark : std::string(1, c);
                std::string upper = n;
                for (char& c : upper) c = char(toupper((unsigned char)c));
                for (const std::string& v : {n, upper, n + "x", n.substr(0, n.size() - 1),
                                             "z" + n, n.substr(n.empty() ? 0 : 1)})
                    add(v);
            }
    return names;
}

// A file the system lists for a pattern although its long name does not match: the
// search also looks at the generated 8.3 name.
bool isShortNameHit(const std::string& folder, const std::string& pattern, const std::string& name) {
    char shortPath[MAX_PATH] = {};
    if (!GetShortPathNameA((folder + name).c_str(), shortPath, sizeof shortPath)) return false;
    std::string shortName = shortPath;
    shortName = shortName.substr(shortName.rfind('\\') + 1);
    return shortName != name && matchesPattern(pattern, shortName);
}

class MatcherVersusSystem : public WineTest {
protected:
    // Compares, for every built-in pattern, the names our matcher picks from one listing
    // of the folder with the names of the system's search for that pattern, in order.
    void compare(bool allowShortNameHits) {
        std::vector<DirEntry> all;
        ASSERT_TRUE(p.fs.listFolder(folder, all));
        int shortNameHits = 0, compared = 0;
        for (const std::string& pattern : builtInPatterns()) {
            std::vector<std::string> ours, system;
            for (const DirEntry& e : all)
                if (!e.isFolder() && matchesPattern(pattern, e.name)) ours.push_back(e.name);
            std::vector<DirEntry> found;
            p.fs.findFiles(folder + pattern, found);
            for (const DirEntry& e : found) {
                if (e.isFolder()) continue;
                if (std::find(ours.begin(), ours.end(), e.name) == ours.end() &&
                    isShortNameHit(folder, pattern, e.name)) {
                    EXPECT_TRUE(allowShortNameHits) << pattern << " found " << e.name << " by its short name";
                    ++shortNameHits;
                    continue;
                }
                system.push_back(e.name);
            }
            EXPECT_EQ(system, ours) << "pattern " << pattern;
            compared += int(ours.size());
        }
        std::printf("[ info ] %d hits compared, %d short-name hits of the system left out\n",
                    compared, shortNameHits);
        EXPECT_GT(compared, 200);
    }
};

TEST_F(MatcherVersusSystem, SameNamesFor83Names) {
    int created = 0;
    for (const std::string& n : candidateNames())
        if (isShortName(n) && writeFile(folder + n)) ++created;
    ASSERT_GT(created, 300);
    compare(false);
}

TEST_F(MatcherVersusSystem, LongNamesDifferOnlyByTheirShortNames) {
    int created = 0;
    for (const std::string& n : candidateNames())
        if (!isShortName(n) && writeFile(folder + n)) ++created;
    for (const char* n : {"x.tmpl", "b.bk12", "c.chk1", "d.oldest", "e.bakup"})
        if (writeFile(folder + n)) ++created;
    ASSERT_GT(created, 50);
    compare(true);
}

}  // namespace
}  // namespace dv::winetest

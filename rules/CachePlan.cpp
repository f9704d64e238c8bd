#include "rules/CachePlan.h"

#include <set>

#include "shell/Settings.h"
#include "text/Text.h"

namespace dv {

namespace {

// No key may name more folders than this: a "*" at every level of a big tree stops here.
constexpr size_t kMaxFoldersPerKey = 4096;

const KnownFolder kUserData[] = {KnownFolder::Documents, KnownFolder::Desktop,
                                 KnownFolder::Pictures,  KnownFolder::Music,
                                 KnownFolder::Videos,    KnownFolder::Downloads};
const KnownFolder kWholeOnly[] = {KnownFolder::Windows, KnownFolder::ProgramFiles,
                                  KnownFolder::ProgramFilesX86, KnownFolder::UserProfile};

// A path as a drive ("C:") and the names below it.
struct Located {
    std::vector<std::string> parts;
    size_t trusted = 1;  // the parts a known folder gave, taken as they are
};

bool hasWildcard(const std::string& part) { return part.find_first_of("*?") != std::string::npos; }

// The parts of a full path on a drive letter; false for any other path, and for a part that
// Windows would read as another one: ".", "..", or one ending in a dot or a blank.
bool splitPath(std::string path, std::vector<std::string>& parts) {
    for (char& c : path)
        if (c == '/') c = '\\';  // never a trail byte: those are 0x40 and up
    parts.clear();
    for (const std::string& part : splitText(path, '\\'))
        if (!part.empty()) parts.push_back(part);
    if (parts.empty() || parts[0].size() != 2 || parts[0][1] != ':' ||
        !((parts[0][0] | 0x20) >= 'a' && (parts[0][0] | 0x20) <= 'z'))
        return false;
    for (size_t i = 1; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        if (part.back() == '.' || part.back() == ' ' || part[0] == ' ' ||
            part.find(':') != std::string::npos)
            return false;
    }
    return true;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string path = parts[0];
    for (size_t i = 1; i < parts.size(); ++i) path += "\\" + parts[i];
    return path;
}

// `path` is `base` or lies below it; both folded, without "\" at the end.
bool sameOrInside(const std::string& path, const std::string& base) {
    return !base.empty() && path.compare(0, base.size(), base) == 0 &&
           (path.size() == base.size() || path[base.size()] == '\\');
}

// The known folders of this computer and what the rules' variables stand for.
class Places {
public:
    explicit Places(App& app) : fs_(app.fs) {
        for (int k = 0; k <= int(KnownFolder::Downloads); ++k) {
            std::vector<std::string> parts;
            const std::string path = app.system.knownFolder(KnownFolder(k));
            known_[size_t(k)] = splitPath(path, parts) ? joined(parts) : std::string();
        }
    }

    const std::string& known(KnownFolder k) const { return known_[size_t(k)]; }

    // The paths a rule's text stands for once its variables are replaced: none when it
    // holds one we do not know, or a folder it names is unknown here. A variable that begins
    // the text gives the trusted parts.
    std::vector<Located> expand(const std::string& text) const {
        struct Partial {
            std::string text;
            size_t trusted = 1;
        };
        std::vector<Partial> partials(1);
        for (size_t i = 0; i < text.size();) {
            const size_t open = text.find('%', i);
            const size_t close = open == std::string::npos ? open : text.find('%', open + 1);
            if (open == std::string::npos) {
                for (Partial& p : partials) p.text += text.substr(i);
                break;
            }
            if (close == std::string::npos) return {};
            std::vector<Partial> grown;
            for (const std::string& value : valuesOf(text.substr(open + 1, close - open - 1)))
                for (const Partial& p : partials) {
                    Partial g{p.text + text.substr(i, open - i) + value, p.trusted};
                    std::vector<std::string> parts;
                    if (open == 0 && splitPath(value, parts)) g.trusted = parts.size();
                    grown.push_back(std::move(g));
                }
            partials = std::move(grown);
            i = close + 1;
        }
        std::vector<Located> located;
        for (const Partial& p : partials) {
            Located l;
            l.trusted = p.trusted;
            if (splitPath(p.text, l.parts)) located.push_back(std::move(l));
        }
        return located;
    }

    // Every existing folder the parts name ("*" parts expanded), or with `orFile` every
    // entry. Below the trusted parts only plain folders lead on.
    std::vector<std::string> existing(const Located& l, bool orFile) const {
        std::vector<std::string> current{l.parts[0]}, next;
        std::vector<DirEntry> entries;
        for (size_t i = 1; i < l.parts.size() && !current.empty(); ++i) {
            const std::string& part = l.parts[i];
            const bool last = i + 1 == l.parts.size(), plainOnly = i >= l.trusted;
            next.clear();
            for (const std::string& folder : current) {
                if (!hasWildcard(part)) {
                    const uint32_t a = fs_.attributes(folder + "\\" + part);
                    const bool isFolder = a != kInvalidAttributes && (a & kAttrDirectory);
                    if (a != kInvalidAttributes &&
                        ((isFolder && !(plainOnly && (a & kAttrReparsePoint))) ||
                         (!isFolder && last && orFile)))
                        next.push_back(folder + "\\" + part);
                } else if (fs_.findFiles(folder + "\\" + part, entries)) {
                    for (const DirEntry& e : entries)
                        if (enterableFolder(e) || (last && orFile && !e.isFolder()))
                            next.push_back(folder + "\\" + e.name);
                }
                if (next.size() >= kMaxFoldersPerKey) break;
            }
            current.swap(next);
        }
        if (current.size() > kMaxFoldersPerKey) current.resize(kMaxFoldersPerKey);
        return current;
    }

    // See planCaches. `folder` is a full path without "\" at the end.
    bool refused(const std::string& folder, bool recursive) const {
        const std::string path = foldedName(folder);
        if (path.size() <= 2) return true;  // a drive's root
        for (KnownFolder k : kWholeOnly)
            if (path == foldedName(known(k))) return true;
        if (sameOrInside(foldedName(known(KnownFolder::UserProfile)), path)) return true;
        for (KnownFolder k : kUserData)
            if (sameOrInside(path, foldedName(known(k)))) return true;
        if (recursive)
            for (const std::string& k : known_)
                if (sameOrInside(foldedName(k), path)) return true;
        return false;
    }

private:
    std::vector<std::string> valuesOf(const std::string& variable) const {
        const std::string name = foldedName(variable);
        using K = KnownFolder;
        std::vector<K> folders;
        if (name == "localappdata") folders = {K::LocalAppData};
        else if (name == "appdata") folders = {K::RoamingAppData};
        else if (name == "locallowappdata") folders = {K::LocalLowAppData};
        else if (name == "programdata" || name == "commonappdata") folders = {K::ProgramData};
        else if (name == "userprofile") folders = {K::UserProfile};
        else if (name == "windir" || name == "systemdrive") folders = {K::Windows};
        else if (name == "programfiles") folders = {K::ProgramFiles, K::ProgramFilesX86};
        else if (name == "commonprogramfiles")
            folders = {K::CommonProgramFiles, K::CommonProgramFilesX86};
        else if (name == "documents") folders = {K::Documents};
        else if (name == "public") folders = {K::Public};
        std::vector<std::string> values;
        for (KnownFolder k : folders) {
            std::string value = known(k);
            if (name == "systemdrive") value = value.substr(0, 2);
            bool seen = false;
            for (const std::string& v : values) seen |= sameNoCase(v, value);
            if (!value.empty() && !seen) values.push_back(value);
        }
        return values;
    }

    FileSystem& fs_;
    std::string known_[int(KnownFolder::Downloads) + 1];
};

// "6.1" -> 601, "10.0" and "10" -> 1000; false for anything else.
bool parseVersion(const std::string& text, unsigned& version) {
    const std::vector<std::string> pieces = splitText(text, '.');
    if (pieces.empty() || pieces.size() > 2) return false;
    unsigned numbers[2] = {0, 0};
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].empty() || pieces[i].size() > 3 ||
            pieces[i].find_first_not_of("0123456789") != std::string::npos)
            return false;
        numbers[i] = unsigned(std::stoul(pieces[i]));
    }
    if (numbers[1] > 99) return false;
    version = numbers[0] * 100 + numbers[1];
    return true;
}

// DetectOS=min|max, either side empty for no bound; anything unreadable keeps the rule out.
bool windowsInRange(App& app, const std::string& range) {
    if (range.empty()) return true;
    const size_t bar = range.find('|');
    if (bar == std::string::npos || range.find('|', bar + 1) != std::string::npos) return false;
    const unsigned version = app.system.windowsVersion();
    const std::string bounds[2] = {range.substr(0, bar), range.substr(bar + 1)};
    for (int side = 0; side < 2; ++side) {
        unsigned bound = 0;
        if (bounds[side].empty()) continue;
        if (!parseVersion(bounds[side], bound)) return false;
        if (side == 0 ? version < bound : version > bound) return false;
    }
    return true;
}

// "HKCU\Software\Foo" and the like.
bool registryKeyExists(App& app, const std::string& text) {
    static const struct { const char* shortName; const char* longName; int root; } kRoots[] = {
        {"HKCU", "HKEY_CURRENT_USER", kCurrentUser}, {"HKLM", "HKEY_LOCAL_MACHINE", kLocalMachine},
        {"HKU", "HKEY_USERS", kUsers},               {"HKCR", "HKEY_CLASSES_ROOT", kClassesRoot},
        {"HKCC", "HKEY_CURRENT_CONFIG", kCurrentConfig},
    };
    const size_t cut = text.find('\\');
    const std::string root = text.substr(0, cut);
    const std::string key = cut == std::string::npos ? std::string() : text.substr(cut + 1);
    for (const auto& r : kRoots)
        if (sameNoCase(root, r.shortName) || sameNoCase(root, r.longName))
            return !key.empty() && app.registry.keyExists(r.root, key);
    return false;
}

bool detected(App& app, const Places& places, const Rule& rule) {
    if (rule.leftOut || !windowsInRange(app, rule.detectOS)) return false;
    if (rule.detectKeys.empty() && rule.detectFiles.empty()) return true;
    for (const std::string& key : rule.detectKeys)
        if (registryKeyExists(app, key)) return true;
    for (const std::string& file : rule.detectFiles)
        for (const Located& l : places.expand(file))
            if (!places.existing(l, true).empty()) return true;
    return false;
}

bool onRoots(const std::string& folder, const std::set<std::string>& roots) {
    return roots.count(foldedName(folder.substr(0, 2))) > 0;
}

}  // namespace

std::vector<Rule> loadRuleFiles(App& app) {
    std::vector<Rule> rules = readRuleFile(app, basePath(app, "\\Rules.ini"));
    for (Rule& rule : readRuleFile(app, basePath(app, "\\winapp2.ini")))
        rules.push_back(std::move(rule));
    return rules;
}

CachePlan planCaches(App& app, std::vector<Rule> rules, const std::vector<std::string>& roots) {
    const Places places(app);
    std::set<std::string> drives;
    for (const std::string& root : roots) drives.insert(foldedName(root.substr(0, 2)));

    CachePlan plan;
    plan.exclusions.resize(rules.size());
    for (size_t r = 0; r < rules.size(); ++r) {
        const Rule& rule = rules[r];
        if (!detected(app, places, rule)) continue;
        // An exclusion naming a folder that cannot be placed here (an unknown variable)
        // could not be held to: the rule is left out.
        bool placed = true;
        for (const ExcludeKey& exclude : rule.excludeKeys) {
            const std::vector<Located> located = places.expand(exclude.folder);
            placed &= !located.empty();
            for (const Located& l : located)
                for (const std::string& folder : places.existing(l, false))
                    plan.exclusions[r].push_back(
                        {foldedName(folder) + "\\", exclude.pattern, exclude.subfolders});
        }
        if (!placed) continue;
        const size_t before = plan.folders.size();
        for (size_t k = 0; k < rule.fileKeys.size(); ++k) {
            const FileKey& key = rule.fileKeys[k];
            for (const Located& l : places.expand(key.folder))
                for (const std::string& folder : places.existing(l, false))
                    if (!places.refused(folder, key.recurse) && onRoots(folder, drives))
                        plan.folders.push_back({folder + "\\", r, k});
        }
        if (plan.folders.size() > before) ++plan.programs;
    }
    plan.rules = std::move(rules);
    return plan;
}

}  // namespace dv

// The cookie and temporary-files cleaners: every file of one folder tree goes, the folders
// stay.
#include <vector>

#include "cleanup/DeleteCommands.h"
#include "cleanup/PlainFile.h"
#include "privacy/Cleaners.h"
#include "shell/Settings.h"
#include "text/PathText.h"
#include "text/Text.h"

namespace dv {

namespace {

constexpr unsigned kRecycleQuietly = 7;  // no confirmation, no error box, no progress
constexpr size_t kTempPathBuffer = 255;  // the temporary path is asked for with this buffer

// Only a file that is neither a folder nor a junction or link is deleted.
bool listedAsPlainFile(const DirEntry& entry) {
    return (entry.attributes & (kAttrDirectory | kAttrReparsePoint)) == 0;
}

// Every path is looked at again just before it is used: since the listing, a file or a
// folder below the cleaned folder may have been replaced by a link that leads out of it.
void cleanTree(App& app, const std::string& root, const std::string& folder) {
    app.ui.processPendingMessages();
    std::vector<DirEntry> entries;
    if (!app.fs.listFolder(folder, entries)) return;
    const size_t trusted = root.size() - 1;  // the cleaned folder itself
    for (const DirEntry& entry : entries) {
        const std::string path = folder + entry.name;
        if (listedAsPlainFile(entry) && lookUpPath(app.fs, path, trusted) == PathKind::PlainFile)
            app.fs.deleteFile(path);  // failures just stay
    }
    for (const DirEntry& entry : entries) {
        if (!enterableFolder(entry)) continue;
        const uint32_t now = app.fs.attributes(folder + entry.name);
        if (now != kInvalidAttributes && (now & kAttrDirectory) && !(now & kAttrReparsePoint))
            cleanTree(app, root, withTrailingBackslash(folder + entry.name));
    }
}

// The path folded (foldedName), with "\" for "/" and no trailing separator.
std::string comparable(const std::string& path) {
    std::string out = foldedName(path);
    while (!out.empty() && isPathSeparator(out.back())) out.pop_back();
    for (char& c : out)
        if (c == '/') c = '\\';
    return out;
}

// True when `folder` is `other` or one of the folders that hold it.
bool holds(const std::string& folder, const std::string& other) {
    const std::string a = comparable(folder), b = comparable(other);
    if (a.empty() || b.empty()) return false;
    return b.compare(0, a.size(), a) == 0 && (b.size() == a.size() || isPathSeparator(b[a.size()]));
}

std::string trimBlanks(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool isCleanableFolder(const std::string& folder) {
    std::vector<std::string> parts;
    for (size_t at = 0; at < folder.size();) {
        size_t end = at;
        while (end < folder.size() && !isPathSeparator(folder[end])) ++end;
        if (end > at) parts.push_back(folder.substr(at, end - at));
        at = end + 1;
    }
    for (const std::string& part : parts)
        if (part == "." || part == "..") return false;

    const bool unc = folder.size() >= 2 && isPathSeparator(folder[0]) && isPathSeparator(folder[1]);
    const char letter = folder.empty() ? 0 : foldedLetter(folder[0]);
    const bool drive = folder.size() >= 2 && letter >= 'a' && letter <= 'z' && folder[1] == ':';
    size_t rootParts;
    if (drive) {
        // "C:" alone and "C:name" mean the current folder of drive C:.
        if (folder.size() < 3 || !isPathSeparator(folder[2])) return false;
        rootParts = 1;
    } else if (unc && !parts.empty() && (parts[0] == "?" || parts[0] == ".")) {
        // \\?\C:\ and \\?\UNC\server\share\ name the same roots.
        rootParts = parts.size() > 1 && comparable(parts[1]) == "unc" ? 4 : 2;
    } else if (unc) {
        rootParts = 2;  // \\server\share
    } else {
        return false;   // relative, or "\..." on whatever drive is current
    }
    return parts.size() > rootParts;
}

void cleanFolderFiles(App& app, const std::string& folder) {
    if (!isCleanableFolder(folder)) return;
    const std::string root = withTrailingBackslash(folder);
    cleanTree(app, root, root);
}

void cleanCookies(App& app) {
    // An unset variable would make "\Cookies" a folder of the current drive's root.
    for (const char* variable : {"USERPROFILE", "windir"}) {
        const std::string home = app.system.environment(variable);
        if (!home.empty()) cleanFolderFiles(app, withTrailingBackslash(home) + "Cookies");
    }
}

void cleanTempFolder(App& app) {
    if (!app.state.baseFolder.empty())
        recycleFile(app, basePath(app, "\\quilltext.txt"), kRecycleQuietly);
    // A failed query, or a path too long for the buffer, names no temporary folder at all.
    const std::string temp = app.system.tempPath();
    if (temp.empty() || temp.size() >= kTempPathBuffer) return;
    const std::string folder = trimBlanks(temp);
    // Without TMP and TEMP the system names the profile or the Windows folder instead:
    // neither of them, nor a folder that holds them, is a temporary folder.
    for (const char* variable : {"USERPROFILE", "windir"})
        if (holds(folder, app.system.environment(variable))) return;
    cleanFolderFiles(app, folder);
}

}  // namespace dv

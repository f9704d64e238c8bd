#include "search/SystemFolders.h"

#include "text/PathText.h"
#include "text/Text.h"

namespace dv {

namespace {

using Kind = SystemFolders::Kind;

// Folders at a drive's root that Windows keeps for itself.
const char* const kRootStores[] = {
    "Recovery", "Boot", "System Volume Information", "$Recycle.Bin", "$WinREAgent",
    "$Windows.~BT", "$Windows.~WS",
    "RECYCLER", "RECYCLED",  // the Recycle Bin of older Windows
};

constexpr size_t kRootLength = 3;  // "C:\"

// The length of the drive root a path begins with, 0 for any other path.
size_t rootLength(const std::string& path) {
    return path.size() >= kRootLength && path[1] == ':' && isPathSeparator(path[2]) ? kRootLength
                                                                                     : 0;
}

}  // namespace

SystemFolders::SystemFolders(const std::string& windowsFolder) {
    for (const char* name : kRootStores) stores_.push_back({foldedName(name), Kind::Skip});
    std::string windows = windowsFolder;
    while (!windows.empty() && isPathSeparator(windows.back())) windows.pop_back();
    if (const size_t root = rootLength(windows); root > 0 && windows.size() > root)
        stores_.push_back({foldedName(windows.substr(root)), Kind::TempOnly});
    for (const Store& store : stores_) {
        const size_t lastSeparator = store.path.find_last_of("\\/");
        const size_t parent =
            kRootLength + (lastSeparator == std::string::npos ? 0 : lastSeparator + 1);
        if (parent > longestParent_) longestParent_ = parent;
    }
}

Kind SystemFolders::subfolderKind(const std::string& folder, Kind kind,
                                  const DirEntry& entry) const {
    if (!enterableFolder(entry)) return Kind::Skip;
    if (kind == Kind::TempOnly) return foldedName(entry.name) == "temp" ? Kind::Walk : Kind::Skip;
    // Below the stores' depth, the common case, nothing is compared.
    if (folder.size() > longestParent_) return Kind::Walk;
    const size_t root = rootLength(folder);
    if (root == 0) return Kind::Walk;
    const std::string path = foldedName(folder.substr(root) + entry.name);
    for (const Store& store : stores_)
        if (store.path == path) return store.kind;
    return Kind::Walk;
}

}  // namespace dv

#include "search/ListedBytes.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <vector>

#include "search/ResultList.h"
#include "text/Text.h"

namespace dv {

namespace {

// Rows whose files lie in one folder, next to each other in the list; or one row whose
// name is not the end of its path, looked up on its own.
struct Group {
    std::string folder;              // empty: `names` holds one full path
    std::vector<std::string> names;  // one per row, repeats kept
};

std::vector<Group> groupRows(App& app) {
    std::vector<Group> groups;
    const int rows = app.ui.rowCount(Ctl::resultList);
    for (int row = 0; row < rows; ++row) {
        std::string path = app.ui.cell(Ctl::resultList, row, kColPath);
        std::string name = app.ui.cell(Ctl::resultList, row, kColName);
        const size_t cut = path.size() - std::min(path.size(), name.size());
        if (name.empty() || path.compare(cut, std::string::npos, name) != 0) {
            groups.push_back({std::string(), {std::move(path)}});
            continue;
        }
        if (groups.empty() || groups.back().folder.empty() ||
            groups.back().folder.size() != cut || path.compare(0, cut, groups.back().folder) != 0)
            groups.push_back({path.substr(0, cut), {}});
        groups.back().names.push_back(std::move(name));
    }
    return groups;
}

// Each row's file is looked up on its own: that costs less than reading its folder, and
// under Wine far less, as Wine reads one folder at a time for the whole process. Only a
// folder with a name the code page cannot show ("?" in it, which no look-up takes) is read.
uint64_t bytesOf(FileSystem& fs, const Group& group) {
    const bool unshown = std::any_of(group.names.begin(), group.names.end(), [](const std::string& name) {
        return name.find('?') != std::string::npos;
    });
    if (group.folder.empty() || !unshown) {
        uint64_t total = 0;
        DirEntry entry;
        for (const std::string& name : group.names)
            if (fs.findEntry(group.folder + name, entry) && !entry.isFolder()) total += entry.size;
        return total;
    }
    std::vector<DirEntry> entries;
    fs.listFolder(group.folder, entries);
    std::unordered_map<std::string, uint64_t> sizes;  // folded name -> size
    for (const DirEntry& e : entries)
        if (!e.isFolder()) sizes[foldedName(e.name)] = e.size;
    uint64_t total = 0;
    for (const std::string& name : group.names) {
        auto it = sizes.find(foldedName(name));
        if (it != sizes.end()) total += it->second;
    }
    return total;
}

}  // namespace

uint64_t currentListedBytes(App& app) {
    const std::vector<Group> groups = groupRows(app);
    std::atomic<size_t> next{0};
    auto work = [&] {
        uint64_t sum = 0;
        for (size_t i; (i = next++) < groups.size();) sum += bytesOf(app.fs, groups[i]);
        return sum;
    };
    uint64_t helped = 0;
    std::thread helper;
    if (groups.size() > 1 && app.fs.listsFromAnyThread()) {
        try {
            helper = std::thread([&] { helped = work(); });
        } catch (const std::system_error&) {
            // no second thread: this one reads every folder
        }
    }
    const uint64_t total = work();
    if (helper.joinable()) helper.join();
    return total + helped;
}

}  // namespace dv

#include "cleanup/CopyList.h"

#include "search/ListFile.h"
#include "shell/Settings.h"

namespace dv {

namespace {

constexpr uint32_t kLockWaitMs = 2000, kLockStepMs = 10;

std::string listPath(App& app) { return basePath(app, "\\BackupCopies.dat"); }

std::string lineOf(const CopyEntry& entry) { return entry.copyName + "\t" + entry.sourcePath; }

std::vector<CopyEntry> entriesOf(const std::vector<std::string>& lines) {
    std::vector<CopyEntry> entries;
    for (const std::string& line : lines) {
        const size_t tab = line.find('\t');
        if (tab == 0 || tab == std::string::npos || tab + 1 == line.size()) continue;
        entries.push_back(CopyEntry{line.substr(0, tab), line.substr(tab + 1)});
    }
    return entries;
}

}  // namespace

CopyListLock::CopyListLock(App& app) {
    const std::string path = basePath(app, "\\BackupCopies.lock");
    // The lock file is there only while someone holds it; a folder where it cannot even
    // be made is not waited on.
    for (uint32_t waited = 0;; waited += kLockStepMs) {
        file_ = app.fs.open(path, OpenMode::Lock);
        if (file_ || waited >= kLockWaitMs || !app.fs.exists(path)) return;
        app.system.sleep(kLockStepMs);
    }
}

bool appendCopyEntry(App& app, const CopyEntry& entry, uint64_t& sizeBefore) {
    std::unique_ptr<File> list = app.fs.open(listPath(app), OpenMode::AppendShared);
    if (!list) return false;
    sizeBefore = list->size();
    // A last line cut short (the program stopped in the middle of a write) is ended
    // first, so that it never swallows this one.
    char last = '\n';
    if (sizeBefore > 0 && (!list->seekTo(sizeBefore - 1) || list->read(&last, 1) != 1))
        return false;
    const std::string text = (last == '\n' ? "" : "\r\n") + lineOf(entry) + "\r\n";
    return list->seekToEnd() && list->write(text.data(), text.size());
}

bool cutCopyList(App& app, uint64_t size) {
    std::unique_ptr<File> list = app.fs.open(listPath(app), OpenMode::ReadWriteExisting);
    return list && list->setSize(size);
}

bool noteCopy(App& app, const CopyEntry& entry) {
    CopyListLock lock(app);
    uint64_t sizeBefore = 0;
    return lock.held() && appendCopyEntry(app, entry, sizeBefore);
}

std::vector<CopyEntry> readCopyList(App& app) {
    std::vector<std::string> lines;
    readListFile(app, listPath(app), lines);
    return entriesOf(lines);
}

bool changeCopyList(App& app, const std::function<void(std::vector<CopyEntry>&)>& change) {
    CopyListLock lock(app);
    std::vector<std::string> lines;
    if (!lock.held() || !readListFile(app, listPath(app), lines)) return false;
    std::vector<CopyEntry> entries = entriesOf(lines);
    change(entries);
    if (entries.empty()) return app.fs.deleteFile(listPath(app)) || !app.fs.exists(listPath(app));
    lines.clear();
    for (const CopyEntry& entry : entries) lines.push_back(lineOf(entry));
    lines.back() += "\r\n";
    return replaceListFile(app, listPath(app), lines);
}

}  // namespace dv

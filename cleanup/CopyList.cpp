#include "cleanup/CopyList.h"

#include "search/ListFile.h"
#include "shell/Settings.h"

namespace dv {

namespace {

constexpr uint32_t kLockWaitMs = 2000, kLockStepMs = 1;

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

bool CopyListWriter::hold() {
    if (list_) return true;
    lock_ = std::make_unique<CopyListLock>(app_);
    if (lock_->held()) list_ = app_.fs.open(listPath(app_), OpenMode::AppendShared);
    if (!list_) release();
    return list_ != nullptr;
}

void CopyListWriter::release() {
    list_.reset();
    index_.reset();
    lock_.reset();
    lineEnded_ = false;
}

bool CopyListWriter::note(const CopyEntry& entry) {
    if (!hold()) return false;
    sizeBefore_ = list_->size();
    // A last line cut short (the program stopped in the middle of a write) is ended
    // first, so that it never swallows this one. After a note of this writer's the list
    // ends with a whole line: nobody else writes it while the lock is held.
    char last = '\n';
    if (!lineEnded_ && sizeBefore_ > 0 &&
        (!list_->seekTo(sizeBefore_ - 1) || list_->read(&last, 1) != 1))
        return false;
    const std::string text = (last == '\n' ? "" : "\r\n") + lineOf(entry) + "\r\n";
    lineEnded_ = list_->seekToEnd() && list_->write(text.data(), text.size());
    if (!lineEnded_) takeBack();
    return lineEnded_;
}

bool CopyListWriter::takeBack() {
    lineEnded_ = false;
    return list_ && list_->setSize(sizeBefore_);
}

bool CopyListWriter::index(const std::string& path) {
    if (!hold()) return false;
    if (!index_) index_ = app_.fs.open(basePath(app_, "\\FilePath.dat"), OpenMode::AppendShared);
    const std::string line = path + "\r\n";
    return index_ && index_->seekToEnd() && index_->write(line.data(), line.size());
}

bool noteCopy(App& app, const CopyEntry& entry) { return CopyListWriter(app).note(entry); }

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

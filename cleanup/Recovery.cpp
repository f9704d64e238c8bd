// Recovery: writes every backup copy back to its former path, times and attributes.
#include "cleanup/Recovery.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

#include "cleanup/BusyScope.h"
#include "cleanup/PlainFile.h"
#include "search/ResultList.h"
#include "shell/Settings.h"
#include "shell/Startup.h"
#include "shell/Texts.h"
#include "text/PathText.h"
#include "text/Text.h"

namespace dv {

namespace {

constexpr size_t kChunkBytes = 1 << 20;
constexpr uint64_t kReplaceMargin = 1 << 16;  // what a file takes beyond its bytes
const char* const kNotBackedUpText = "You have not backed up the file(s) before delete the file(s)";

std::string folded(const std::string& path) { return foldedName(path); }

bool isRecordName(const std::string& name) {
    return name.size() > 4 && folded(name.substr(name.size() - 4)) == ".dak";
}

bool readFully(File& file, char* buffer, size_t n) {
    while (n > 0) {
        size_t got = file.read(buffer, n);
        if (got == 0) return false;
        buffer += got;
        n -= got;
    }
    return true;
}

// Opens a record positioned at its content, after checking that the file is exactly
// one record long.
std::unique_ptr<File> openRecord(App& app, const std::string& recordPath, BackupRecord& record,
                                 uint32_t& contentLength) {
    std::unique_ptr<File> file = app.fs.open(recordPath, OpenMode::ReadExisting);
    if (!file || !file->seekToStart()) return nullptr;
    uint64_t size = file->size();
    size_t want = size < kMaxRecordPath + kRecordFixedBytes ? size_t(size)
                                                            : kMaxRecordPath + kRecordFixedBytes;
    std::string head(want, '\0');
    if (!readFully(*file, &head[0], want)) return nullptr;
    size_t headerSize = 0;
    if (!parseBackupHeader(head, record, headerSize, contentLength)) return nullptr;
    if (size != headerSize + uint64_t(contentLength)) return nullptr;
    if (!file->seekToStart() || !readFully(*file, &head[0], headerSize)) return nullptr;
    return file;
}

// A file already at the path is emptied the moment it is opened for the copy: it is
// replaced only when its drive has room for the whole content, so that a full drive never
// leaves the path without either file. A drive that cannot be asked is tried.
bool roomToReplace(App& app, const std::string& target, uint32_t length) {
    DirEntry old;
    uint64_t total = 0, free = 0;
    if (!app.fs.findEntry(target, old) || target.size() < 3 ||
        !app.system.diskSpace(target.substr(0, 3), total, free))
        return true;
    return free + old.size >= uint64_t(length) + kReplaceMargin;
}

// Streams the content into a new file at the record's path. A partial file is removed;
// the record itself is untouched either way.
bool writeContent(App& app, File& record, const std::string& target, uint32_t length) {
    // Never write through a folder that has become a junction or link since the backup:
    // the record stays for a later try.
    if (!isSafeWriteTarget(app.fs, target) || !roomToReplace(app, target, length)) return false;
    uint32_t old = app.fs.attributes(target);
    const uint32_t blocking = kAttrReadOnly | kAttrHidden | kAttrSystem;
    bool cleared = old != kInvalidAttributes && (old & blocking);
    if (cleared) app.fs.setAttributes(target, old & kAttrArchive);  // replaced without asking

    std::unique_ptr<File> out = app.fs.open(target, OpenMode::CreateExclusive);
    if (!out) {
        if (cleared) app.fs.setAttributes(target, old & (blocking | kAttrArchive));
        return false;
    }
    std::vector<char> chunk(kChunkBytes);
    uint64_t left = length;
    bool ok = true;
    while (ok && left > 0) {
        size_t want = left < chunk.size() ? size_t(left) : chunk.size();
        ok = readFully(record, chunk.data(), want) && out->write(chunk.data(), want);
        left -= want;
    }
    ok = ok && out->size() == length;
    out.reset();
    if (!ok) app.fs.deleteFile(target);
    return ok;
}

// Restores one record unless its path names one of the records being restored.
bool restoreRecordGuarded(App& app, const std::string& recordPath,
                          const std::set<std::string>& recordPaths) {
    BackupRecord record;
    uint32_t length = 0;
    std::unique_ptr<File> in = openRecord(app, recordPath, record, length);
    if (!in) return false;
    if (recordPaths.count(folded(record.sourcePath))) return false;
    app.ui.processPendingMessages();
    bool written = writeContent(app, *in, record.sourcePath, length);
    in.reset();
    if (!written) return false;
    app.ui.processPendingMessages();
    return applyTimesAndAttributes(app, record);
}

// For each restored path, the row of its newest copy. A file backed up twice comes back
// as it was last; its older copies stay in the folder.
std::map<std::string, int> newestCopies(App& app, const std::vector<std::string>& records) {
    std::map<std::string, int> newest;
    std::map<std::string, FileTime> newestTime;
    for (int i = 0; i < int(records.size()); ++i) {
        BackupRecord record;
        uint32_t length = 0;
        DirEntry entry;
        if (!openRecord(app, records[i], record, length) || !app.fs.findEntry(records[i], entry))
            continue;
        std::string key = folded(record.sourcePath);
        auto it = newestTime.find(key);
        if (it == newestTime.end() || entry.lastWrite >= it->second) {
            newestTime[key] = entry.lastWrite;
            newest[key] = i;
        }
    }
    return newest;
}

}  // namespace

void recoverAll(App& app) {
    if (app.state.cleanupBusy) return;
    if (searchRunning(app)) {
        showKeyMessage(app, 63);
        return;
    }
    if (!regExists(app, kUsers, kSaveFilePathItem)) {
        showTextMessage(app, kNotBackedUpText);
        return;
    }
    BusyScope busy(app);
    app.ui.clearRows(Ctl::resultList);
    std::string folder = regReadBytes(app, kUsers, kSaveFilePathItem);
    folder = folder.substr(0, folder.find('\0'));
    app.ui.processPendingMessages();
    if (folder.empty()) return;
    folder = withTrailingBackslash(folder);

    std::vector<DirEntry> entries;
    if (app.fs.listFolder(folder, entries)) {
        for (const DirEntry& entry : entries) {
            if (entry.isFolder() || !isRecordName(entry.name)) continue;
            const std::string path = folder + entry.name;
            int row = app.ui.appendRow(Ctl::resultList, entry.name);
            app.ui.setCell(Ctl::resultList, row, kColType, entry.name);
            app.ui.setCell(Ctl::resultList, row, kColSize, sizeText(app, path));
            app.ui.setCell(Ctl::resultList, row, kColDate, dateText(app, path));
            app.ui.setCell(Ctl::resultList, row, kColPath, path);
        }
    }
    if (app.ui.rowCount(Ctl::resultList) > 0) restoreListedRecords(app);
}

void restoreListedRecords(App& app) {
    app.ui.processPendingMessages();
    const int count = app.ui.rowCount(Ctl::resultList);
    std::vector<std::string> records;
    std::set<std::string> recordPaths;
    for (int i = 0; i < count; ++i) {
        records.push_back(app.ui.cell(Ctl::resultList, i, kColPath));
        recordPaths.insert(folded(records.back()));
    }
    const std::map<std::string, int> newest = newestCopies(app, records);
    std::set<int> chosen;
    for (const auto& item : newest) chosen.insert(item.second);

    for (int i = 0; i < count; ++i) {
        const std::string& path = records[i];
        if (!isRecordName(path) || !chosen.count(i) || !app.fs.exists(path)) continue;
        if (restoreRecordGuarded(app, path, recordPaths)) {
            app.ui.processPendingMessages();
            app.fs.deleteFile(path);
        }
    }
    app.ui.processPendingMessages();
    app.ui.clearRows(Ctl::resultList);
    app.fs.deleteFile(basePath(app, "\\FilePath.dat"));
    regDelete(app, kUsers, kSaveFilePathItem);
    showKeyMessage(app, 64);
}

bool restoreRecord(App& app, const std::string& recordPath) {
    return restoreRecordGuarded(app, recordPath, {folded(recordPath)});
}

bool readBackupRecord(App& app, const std::string& recordPath, BackupRecord& record) {
    BackupRecord parsed;
    uint32_t length = 0;
    std::unique_ptr<File> in = openRecord(app, recordPath, parsed, length);
    if (!in) return false;
    parsed.content.assign(length, '\0');
    if (length > 0 && !readFully(*in, &parsed.content[0], length)) return false;
    record = std::move(parsed);
    return true;
}

bool applyTimesAndAttributes(App& app, const BackupRecord& record) {
    if (record.sourcePath.empty()) return false;
    FileTime creation = 0, lastAccess = 0, lastWrite = 0;
    if (!app.system.localToUtc(record.creationTime, creation) ||
        !app.system.localToUtc(record.lastAccessTime, lastAccess) ||
        !app.system.localToUtc(record.lastWriteTime, lastWrite))
        return false;
    app.ui.processPendingMessages();
    if (!app.fs.setFileTimes(record.sourcePath, creation, lastAccess, lastWrite)) return false;
    const uint32_t kept = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;
    return app.fs.setAttributes(record.sourcePath, record.attributes & kept);
}

}  // namespace dv

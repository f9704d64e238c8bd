// Recovery: writes every backup copy this installation made back to its former path,
// times and attributes, and never over a file it did not write.
#include "cleanup/Recovery.h"

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "cleanup/BusyScope.h"
#include "cleanup/CopyList.h"
#include "cleanup/Flusher.h"
#include "cleanup/PlainFile.h"
#include "search/ListFile.h"
#include "search/ResultList.h"
#include "search/SearchEngine.h"
#include "shell/Settings.h"
#include "shell/Texts.h"
#include "text/PathText.h"
#include "text/Text.h"

namespace dv {

namespace {

constexpr size_t kChunkBytes = 1 << 20;
constexpr size_t kMaxPathLength = 259;  // what the ANSI functions reach
constexpr int kMaxRestoredNumber = 1000;
constexpr uint32_t kKeptAttributes = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;
const char* const kNotBackedUpText = "You have not backed up the file(s) before delete the file(s)";

bool isRecordName(const std::string& name) {
    return name.size() > 4 && foldedName(name.substr(name.size() - 4)) == ".dak";
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

// An open record, positioned at its content.
struct Record {
    BackupRecord header;  // everything but the content
    uint32_t length = 0;
    size_t headerSize = 0;
    std::unique_ptr<File> file;

    bool toContent() { return file->seekTo(headerSize); }
};

// Opens a record after checking that the file is exactly one record long.
bool openRecord(App& app, const std::string& recordPath, OpenMode mode, Record& record) {
    record.file = app.fs.open(recordPath, mode);
    if (!record.file || !record.file->seekToStart()) return false;
    uint64_t size = record.file->size();
    size_t want = size < kMaxRecordPath + kRecordFixedBytes ? size_t(size)
                                                            : kMaxRecordPath + kRecordFixedBytes;
    std::string head(want, '\0');
    if (!readFully(*record.file, &head[0], want) ||
        !parseBackupHeader(head, record.header, record.headerSize, record.length) ||
        size != record.headerSize + uint64_t(record.length) || !record.toContent()) {
        record.file.reset();
        return false;
    }
    return true;
}

// A copy as the file system tells names apart: without regard to case.
std::pair<std::string, std::string> keyOf(const CopyEntry& copy) {
    return {foldedName(copy.copyName), foldedName(copy.sourcePath)};
}

// Which copies are this installation's. The copy list names each with the path it holds.
// Copies an earlier version made, before there was a list, are known only by their path
// in FilePath.dat: a line there that no entry of the list accounts for.
class OwnCopies {
public:
    explicit OwnCopies(App& app) {
        for (const CopyEntry& entry : readCopyList(app)) {
            listed_.insert(keyOf(entry));
            names_.insert(foldedName(entry.copyName));
            auto [it, added] = paths_.emplace(foldedName(entry.copyName), entry.sourcePath);
            if (!added && foldedName(it->second) != foldedName(entry.sourcePath)) it->second.clear();
            --earlier_[foldedName(entry.sourcePath)];
        }
        std::vector<std::string> lines;
        readListFile(app, basePath(app, "\\FilePath.dat"), lines);
        for (const std::string& line : lines) ++earlier_[foldedName(line)];
        for (auto it = earlier_.begin(); it != earlier_.end();)
            it = it->second > 0 ? std::next(it) : earlier_.erase(it);
    }
    bool named(const std::string& copyName) const { return names_.count(foldedName(copyName)) > 0; }
    // The path the list gives the copy, when it gives it exactly one.
    bool onePath(const std::string& copyName, std::string& path) const {
        auto it = paths_.find(foldedName(copyName));
        if (it == paths_.end() || it->second.empty()) return false;
        path = it->second;
        return true;
    }
    bool anyEarlier() const { return !earlier_.empty(); }
    bool earlier(const std::string& path) const { return earlier_.count(foldedName(path)) > 0; }
    bool listed(const CopyEntry& copy) const { return listed_.count(keyOf(copy)) > 0; }
    bool owns(const CopyEntry& copy) const { return listed(copy) || earlier(copy.sourcePath); }

private:
    std::set<std::pair<std::string, std::string>> listed_;
    std::set<std::string> names_;
    std::map<std::string, std::string> paths_;  // folded copy name -> its one path, or ""
    std::map<std::string, int> earlier_;
};

// The copy at this path, when it is one of ours (any copy of an earlier version is looked
// into for its path).
bool isOwnCopy(App& app, const OwnCopies& own, const std::string& folder, const std::string& name) {
    if (own.named(name)) return true;
    Record record;
    return own.anyEarlier() && openRecord(app, folder + name, OpenMode::ReadExisting, record) &&
           own.earlier(record.header.sourcePath);
}

bool recordedTimes(App& app, const BackupRecord& record, FileTime& creation,
                   FileTime& lastAccess, FileTime& lastWrite) {
    return app.system.localToUtc(record.creationTime, creation) &&
           app.system.localToUtc(record.lastAccessTime, lastAccess) &&
           app.system.localToUtc(record.lastWriteTime, lastWrite);
}

// The file the copy holds: its size and last-write time (to the millisecond, as a copy
// keeps it). A copy made by a run stopped before its delete, or restored by a run stopped
// before it removed the copy.
bool holdsCopy(App& app, const std::string& path, const Record& record) {
    DirEntry entry;
    SystemTime written;
    if (!app.fs.findEntry(path, entry) || entry.size != record.length ||
        (entry.attributes & (kAttrDirectory | kAttrReparsePoint)) ||
        !app.system.utcToLocal(entry.lastWrite, written))
        return false;
    const SystemTime& kept = record.header.lastWriteTime;
    return written.year == kept.year && written.month == kept.month && written.day == kept.day &&
           written.hour == kept.hour && written.minute == kept.minute &&
           written.second == kept.second && written.milliseconds == kept.milliseconds;
}

// "name (restored).ext", "name (restored 2).ext", ...
std::string restoredName(const std::string& path, int n) {
    const size_t start = nameStart(path);
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= start) dot = path.size();
    return path.substr(0, dot) + (n == 1 ? " (restored)" : " (restored " + std::to_string(n) + ")") +
           path.substr(dot);
}

// The temporary name a copy's content is written under in its file's folder: the same
// for the same copy every time, so that what a stopped run left is found again, and no
// longer than the folder leaves room for.
std::string tempPath(const std::string& folder, const std::string& copyName,
                     const std::string& sourcePath) {
    uint32_t hash = 2166136261u;
    for (char c : foldedName(copyName + "\t" + sourcePath)) hash = (hash ^ uint8_t(c)) * 16777619u;
    static const char kHex[] = "0123456789abcdef";
    std::string name = "~";
    for (int shift = 28; shift >= 0; shift -= 4) name += kHex[(hash >> shift) & 0xF];
    if (folder.size() + 2 > kMaxPathLength) return std::string();
    return folder + name.substr(0, kMaxPathLength - folder.size());
}

// Streams the record's content into `out`, or compares it with `out` when `compare` is
// set; false at a short read or the first difference.
bool copyContent(Record& record, File& other, uint64_t length, bool compare) {
    if (!record.toContent()) return false;
    // Buffers no larger than the content: most junk files are a few KiB.
    const size_t size = size_t(std::min<uint64_t>(length, kChunkBytes));
    std::vector<char> chunk(size), theirs(compare ? size : 0);
    for (uint64_t left = length; left > 0;) {
        size_t want = left < chunk.size() ? size_t(left) : chunk.size();
        if (!readFully(*record.file, chunk.data(), want)) return false;
        if (compare ? !readFully(other, theirs.data(), want) ||
                          !std::equal(chunk.begin(), chunk.begin() + want, theirs.begin())
                    : !other.write(chunk.data(), want))
            return false;
        left -= want;
    }
    return true;
}

// A file a stopped run left under the temporary name: it holds nothing but the copy's own
// first bytes, so removing it loses nothing.
bool isLeftover(App& app, const std::string& path, Record& record) {
    if (!isPlainFile(app.fs, path)) return false;
    std::unique_ptr<File> file = app.fs.open(path, OpenMode::ReadExisting);
    if (!file) return false;
    const uint64_t size = file->size();
    return size <= record.length && copyContent(record, *file, size, true);
}

// A copy of ours being restored. It is held with no sharing from the first look to its
// removal: a Recovery in another window never takes it in between, and one that holds it
// makes this one pass it over.
struct Restore {
    Record record;
    CopyEntry copy;
    std::string temp;           // the content written under its temporary name
    std::unique_ptr<File> out;  // the temporary file, open until its content is on the disk
    Flusher::Ticket ticket = 0;
    bool flushed = false;
};

// Writes the content, with its times and attributes, under the temporary name in its
// file's folder; the file stays open for its flush. It is not made read-only yet: a
// temporary file that cannot be placed must still go. False when it could not be written
// whole.
bool writeTemp(App& app, Restore& r) {
    const std::string& target = r.record.header.sourcePath;
    const std::string path = tempPath(target.substr(0, nameStart(target)), r.copy.copyName, target);
    if (path.empty()) return false;
    r.out = app.fs.open(path, OpenMode::CreateNew);
    if (!r.out && isLeftover(app, path, r.record) && app.fs.deleteFile(path))
        r.out = app.fs.open(path, OpenMode::CreateNew);
    if (!r.out) return false;
    FileTime creation = 0, lastAccess = 0, lastWrite = 0;
    if (!copyContent(r.record, *r.out, r.record.length, false) ||
        r.out->size() != r.record.length ||
        !recordedTimes(app, r.record.header, creation, lastAccess, lastWrite) ||
        !r.out->setTimesAndAttributes(creation, lastAccess, lastWrite,
                                      r.record.header.attributes & kKeptAttributes & ~kAttrReadOnly)) {
        app.fs.discard(r.out, path);
        return false;
    }
    r.temp = path;
    return true;
}

// Gives the temporary file its name once its content is on the disk; the move never
// replaces a file. False when the content cannot be flushed or the name is taken.
bool moveIn(Restore& r, const std::string& path) {
    if (!r.flushed) r.flushed = r.out->flush();
    if (!r.flushed || !r.out->renameTo(path)) return false;
    r.out.reset();
    r.temp.clear();
    return true;
}

// Puts the content where it belongs and returns that path: the copy's own path when it is
// free, or when the file there is the one the copy holds; otherwise the first free
// "(restored)" name beside it, so that a newer file at the path stays as it is. The file
// appears whole or not at all: it is written under a temporary name, flushed, and then
// given its name in one step that never replaces anything. `moved`: the content was
// written here, with its times, rather than found in place.
std::string placeContent(App& app, Restore& r, bool& moved) {
    const std::string& target = r.record.header.sourcePath;
    std::string placed;
    moved = false;
    for (int n = 0, tries = 0; n <= kMaxRestoredNumber && tries <= 2 * kMaxRestoredNumber &&
                               placed.empty();
         ++tries) {
        const std::string candidate = n == 0 ? target : restoredName(target, n);
        // Content written ahead goes to its name at once when no folder on the way has
        // become a junction or link; a name taken in the meantime makes the move fail, and
        // the name is then looked at as below.
        if (r.out && candidate.size() <= kMaxPathLength &&
            isPlainFolder(app.fs, candidate.substr(0, nameStart(candidate))) && moveIn(r, candidate)) {
            placed = candidate;
            moved = true;
            break;
        }
        const PathKind kind = lookUpPath(app.fs, candidate);
        // Never write through a folder that has become a junction or link since the backup.
        if (n == 0 && kind != PathKind::PlainFile && kind != PathKind::Missing) break;
        if (kind == PathKind::PlainFile && holdsCopy(app, candidate, r.record)) {
            placed = candidate;
        } else if (kind == PathKind::PlainFile || kind == PathKind::NotPlain) {
            ++n;
        } else if (kind != PathKind::Missing || candidate.size() > kMaxPathLength) {
            break;
        } else if (!r.out && !writeTemp(app, r)) {
            break;
        } else if (moveIn(r, candidate)) {
            placed = candidate;
            moved = true;
        } else if (!r.flushed || !app.fs.exists(candidate)) {
            break;
        }  // else the name was taken in between: it is looked at again
    }
    if (r.out) app.fs.discard(r.out, r.temp);  // content that found no name
    return placed;
}

bool applyTimesAndAttributesAt(App& app, const BackupRecord& record, const std::string& path) {
    if (path.empty()) return false;
    FileTime creation = 0, lastAccess = 0, lastWrite = 0;
    if (!recordedTimes(app, record, creation, lastAccess, lastWrite)) return false;
    // A file found in place may still be read-only; its times cannot be set then.
    const uint32_t now = app.fs.attributes(path);
    if (now != kInvalidAttributes && (now & kAttrReadOnly))
        app.fs.setAttributes(path, now & kKeptAttributes & ~kAttrReadOnly);
    if (!app.fs.setFileTimes(path, creation, lastAccess, lastWrite)) return false;
    return app.fs.setAttributes(path, record.attributes & kKeptAttributes);
}

// Takes the copy at the path when it is one of ours and its path names none of the
// records being restored.
bool claimCopy(App& app, const std::string& recordPath, const OwnCopies& own,
               const std::set<std::string>& recordPaths, Restore& r) {
    if (!openRecord(app, recordPath, OpenMode::ReadClaimed, r.record)) return false;
    r.copy = CopyEntry{recordPath.substr(nameStart(recordPath)), r.record.header.sourcePath};
    return own.owns(r.copy) && recordPaths.count(foldedName(r.copy.sourcePath)) == 0;
}

// Writes the content of a copy ahead of its turn, into a folder that is still a plain
// folder; false leaves the copy to be placed when its turn comes. Whether its name is free
// is seen when it is placed.
bool writeAhead(App& app, Restore& r) {
    const std::string& target = r.record.header.sourcePath;
    return target.size() <= kMaxPathLength &&
           isPlainFolder(app.fs, target.substr(0, nameStart(target))) && writeTemp(app, r);
}

// Places the content, gives it its times and attributes, and removes the copy.
bool finishRestore(App& app, Restore& r) {
    bool moved = false;
    const std::string placed = placeContent(app, r, moved);
    if (placed.empty()) return false;
    // Content written here has its times and attributes already, but for read-only; a file
    // found in place gets them now.
    const uint32_t attributes = r.record.header.attributes & kKeptAttributes;
    const bool settled = moved ? !(attributes & kAttrReadOnly) || app.fs.setAttributes(placed, attributes)
                               : applyTimesAndAttributesAt(app, r.record.header, placed);
    return settled && r.record.file->removeOnClose();
}

// Restores the copies in turn. While the content of the first ones waits for the disk,
// the next ones are written: a copy whose path is free is written ahead, any other placed
// when its turn comes. `restored` gets each copy that is back.
void restoreCopies(App& app, const std::vector<std::string>& copies,
                   const std::set<std::string>& recordPaths, const OwnCopies& own,
                   std::vector<CopyEntry>& restored) {
    constexpr size_t kAhead = 32;
    std::deque<std::unique_ptr<Restore>> ahead;
    Flusher flusher;  // ends before `ahead`: no flush outlives its file
    const auto finish = [&](Restore& r) {
        if (finishRestore(app, r)) restored.push_back(r.copy);
    };
    const auto finishFirst = [&] {
        Restore& first = *ahead.front();
        first.flushed = flusher.wait(first.ticket);
        finish(first);
        ahead.pop_front();
    };
    for (const std::string& path : copies) {
        auto r = std::make_unique<Restore>();
        if (claimCopy(app, path, own, recordPaths, *r)) {
            if (writeAhead(app, *r)) {
                r->ticket = flusher.add(*r->out);
                ahead.push_back(std::move(r));
            } else {
                finish(*r);
            }
        }
        while (!ahead.empty() && (ahead.size() >= kAhead || flusher.done(ahead.front()->ticket)))
            finishFirst();
        serveWindow(app);
    }
    while (!ahead.empty()) finishFirst();
}

// For each restored path, the row of its newest copy of ours. A file backed up twice comes
// back as it was last; its older copies stay in the folder. A copy the list names with its
// one path, the only copy of that path, is chosen unopened; any other is opened for its
// path and time (the claim checks the path again). `earlier` gets every copy known only
// from FilePath.dat.
std::map<std::string, int> newestCopies(App& app, const std::vector<std::string>& records,
                                        const OwnCopies& own, std::vector<CopyEntry>& earlier) {
    std::map<std::string, std::vector<int>> unopened;  // folded path -> rows
    std::vector<int> toOpen;
    for (int i = 0; i < int(records.size()); ++i) {
        std::string path;
        if (!isRecordName(records[i])) continue;
        if (own.onePath(records[i].substr(nameStart(records[i])), path))
            unopened[foldedName(path)].push_back(i);
        else
            toOpen.push_back(i);
    }
    std::map<std::string, std::pair<FileTime, int>> newest;  // folded path -> time, row
    const auto open = [&](int i) {
        Record record;
        DirEntry entry;
        if (!openRecord(app, records[i], OpenMode::ReadExisting, record) || !record.file->describe(entry))
            return;
        const CopyEntry copy{records[i].substr(nameStart(records[i])), record.header.sourcePath};
        if (!own.owns(copy)) return;
        if (!own.listed(copy)) earlier.push_back(copy);
        const std::string key = foldedName(copy.sourcePath);
        auto it = newest.find(key);
        if (it == newest.end() || std::make_pair(entry.lastWrite, i) >= it->second)
            newest[key] = {entry.lastWrite, i};
    };
    for (int i : toOpen) open(i);
    std::map<std::string, int> rows;
    for (const auto& [key, list] : unopened) {
        if (list.size() == 1 && newest.count(key) == 0) rows[key] = list.front();
        else for (int i : list) open(i);
    }
    for (const auto& [key, chosen] : newest) rows[key] = chosen.second;
    return rows;
}

// The entries less one for each copy that is gone.
void dropEntries(std::vector<CopyEntry>& entries, const std::vector<CopyEntry>& gone) {
    std::map<std::pair<std::string, std::string>, int> left;
    for (const CopyEntry& copy : gone) ++left[keyOf(copy)];
    std::vector<CopyEntry> kept;
    for (CopyEntry& entry : entries) {
        auto it = left.find(keyOf(entry));
        if (it != left.end() && it->second > 0)
            --it->second;
        else
            kept.push_back(std::move(entry));
    }
    entries = std::move(kept);
}

// The copy list after a run: the restored copies leave it, and the copies of an earlier
// version that stay come in, since FilePath.dat, which alone named them, goes now. False
// when such copies could not be added.
bool updateCopyList(App& app, const std::vector<CopyEntry>& restored,
                    std::vector<CopyEntry> earlier) {
    dropEntries(earlier, restored);
    if (restored.empty() && earlier.empty()) return true;
    const bool changed = changeCopyList(app, [&](std::vector<CopyEntry>& entries) {
        dropEntries(entries, restored);
        entries.insert(entries.end(), earlier.begin(), earlier.end());
    });
    return changed || earlier.empty();
}

void restoreRows(App& app, const OwnCopies& own) {
    app.ui.processPendingMessages();
    const int count = app.ui.rowCount(Ctl::resultList);
    std::vector<std::string> records;
    std::set<std::string> recordPaths;
    for (int i = 0; i < count; ++i) {
        records.push_back(app.ui.cell(Ctl::resultList, i, kColPath));
        recordPaths.insert(foldedName(records.back()));
    }
    std::vector<CopyEntry> earlier, restored;
    std::vector<std::string> newest;
    for (const auto& item : newestCopies(app, records, own, earlier))
        newest.push_back(records[size_t(item.second)]);
    restoreCopies(app, newest, recordPaths, own, restored);
    app.ui.processPendingMessages();
    app.ui.clearRows(Ctl::resultList);
    if (updateCopyList(app, restored, earlier)) app.fs.deleteFile(basePath(app, "\\FilePath.dat"));
    regDelete(app, kUsers, kSaveFilePathItem);
    showKeyMessage(app, 64);
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

    // Only this installation's copies are listed; whatever else the folder holds stays
    // untouched and unmentioned.
    const OwnCopies own(app);
    std::vector<DirEntry> entries;
    if (app.fs.listFolder(folder, entries)) {
        for (const DirEntry& entry : entries) {
            if (entry.isFolder() || !isRecordName(entry.name) ||
                !isOwnCopy(app, own, folder, entry.name))
                continue;
            appendResultRow(app, entry.name, folder + entry.name, entry);
        }
    }
    if (app.ui.rowCount(Ctl::resultList) > 0) restoreRows(app, own);
}

void restoreListedRecords(App& app) { restoreRows(app, OwnCopies(app)); }

bool restoreRecord(App& app, const std::string& recordPath) {
    Restore r;
    return claimCopy(app, recordPath, OwnCopies(app), {foldedName(recordPath)}, r) &&
           finishRestore(app, r);
}

bool readBackupRecord(App& app, const std::string& recordPath, BackupRecord& record) {
    Record open;
    if (!openRecord(app, recordPath, OpenMode::ReadExisting, open)) return false;
    open.header.content.assign(open.length, '\0');
    if (open.length > 0 && !readFully(*open.file, &open.header.content[0], open.length))
        return false;
    record = std::move(open.header);
    return true;
}

bool applyTimesAndAttributes(App& app, const BackupRecord& record) {
    return applyTimesAndAttributesAt(app, record, record.sourcePath);
}

}  // namespace dv

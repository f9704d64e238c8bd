// The backup copies this installation made, kept beside FilePath.dat in
// "BackupCopies.dat": one line per copy, its file name in the backup folder, a tab, and
// the path it holds. Recovery restores only copies named there with that path, so a copy
// someone else put into a backup folder others may write to (a share two PCs use) is
// never written out. A line is added once its copy is complete and before its file is
// deleted, and goes when the copy has been restored.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/App.h"

namespace dv {

struct CopyEntry {
    std::string copyName;    // the copy's file name
    std::string sourcePath;  // the path it holds
};

// Every change of the list is made while this is held: "BackupCopies.lock" beside the
// list, open with no sharing and gone once closed. Another start of the program waits a
// moment for it; a lock that cannot be had at all is not held.
class CopyListLock {
public:
    explicit CopyListLock(App& app);
    bool held() const { return file_ != nullptr; }

private:
    std::unique_ptr<File> file_;
};

// Appends one entry; the caller holds the lock. `sizeBefore` is the list's length before
// it, for cutCopyList.
bool appendCopyEntry(App& app, const CopyEntry& entry, uint64_t& sizeBefore);
// Takes back what was appended after `size` bytes; the caller holds the lock.
bool cutCopyList(App& app, uint64_t size);
// Notes one copy, taking the lock for it.
bool noteCopy(App& app, const CopyEntry& entry);

// The entries of the list; none when there is no list or it cannot be read.
std::vector<CopyEntry> readCopyList(App& app);
// Under the lock, hands the entries as they are now to `change` and writes back what it
// leaves, in one step (a new file takes the old one's place); no entry left, no list.
bool changeCopyList(App& app, const std::function<void(std::vector<CopyEntry>&)>& change);

}  // namespace dv

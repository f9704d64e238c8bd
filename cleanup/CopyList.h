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
// moment for it, trying every millisecond, as a backup run lets it go for short moments
// only; a lock that cannot be had at all is not held.
class CopyListLock {
public:
    explicit CopyListLock(App& app);
    bool held() const { return file_ != nullptr; }

private:
    std::unique_ptr<File> file_;
};

// Notes the copies of a backup run in the list and their paths in FilePath.dat. The lock
// and both files are taken at the first note and held until release(), which the run calls
// whenever it lets the window serve its messages (at least every few tens of
// milliseconds) and at its end: a question a handler asks never holds the list, and
// another start of the program waiting for the lock gets it in between.
class CopyListWriter {
public:
    explicit CopyListWriter(App& app) : app_(app) {}
    ~CopyListWriter() { release(); }
    CopyListWriter(const CopyListWriter&) = delete;
    CopyListWriter& operator=(const CopyListWriter&) = delete;

    // Appends the entry; false leaves the list as it was.
    bool note(const CopyEntry& entry);
    // Takes the entry last noted back out.
    bool takeBack();
    // Appends the path as a line of FilePath.dat, after its file is gone.
    bool index(const std::string& path);
    void release();

private:
    bool hold();

    App& app_;
    std::unique_ptr<CopyListLock> lock_;
    std::unique_ptr<File> list_, index_;
    uint64_t sizeBefore_ = 0;
    bool lineEnded_ = false;  // the list ends with a line this writer wrote
};

// Notes one copy, taking the lock for it.
bool noteCopy(App& app, const CopyEntry& entry);

// The entries of the list; none when there is no list or it cannot be read.
std::vector<CopyEntry> readCopyList(App& app);
// Under the lock, hands the entries as they are now to `change` and writes back what it
// leaves, in one step (a new file takes the old one's place); no entry left, no list.
bool changeCopyList(App& app, const std::function<void(std::vector<CopyEntry>&)>& change);

}  // namespace dv

// Lists the folders of a search walk on a second thread, ahead of the walk: while the
// walk matches the names of one folder, the next folders are already being read.
#pragma once
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/FileSystem.h"
#include "search/SystemFolders.h"

namespace dv {

class ReadAhead {
public:
    // Starts reading the roots (each ending in "\") and their subtrees in the order a
    // depth-first walk enters them: a folder, then each subfolder the walk enters (all
    // but `stores` fences off), in listing order; a root whose `subfolders` flag (by
    // position, when given) is false is read alone. At most about `entriesAhead` entries
    // wait to be taken.
    ReadAhead(FileSystem& fs, std::vector<std::string> roots, SystemFolders stores,
              std::vector<bool> subfolders = {}, size_t entriesAhead = 32768);
    // Stops the reading thread and waits for it (it ends after the folder it is reading).
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    bool running() const { return thread_.joinable(); }

    enum class Take {
        Ready,    // `entries` and `readable` hold the folder's listing
        NotYet,   // still being read: wait again
        Missing,  // the walk asked for another folder than comes next, or reading ended
    };
    // Waits up to `waitMs` for the listing of `folder`, which must be the next folder of
    // the walk. `readable` is false for a folder that could not be listed.
    Take take(const std::string& folder, std::vector<DirEntry>& entries, bool& readable,
              int waitMs);

private:
    struct Listing {
        std::string folder;
        std::vector<DirEntry> entries;
        bool readable = false;
    };
    static constexpr size_t kBatchFolders = 16;  // listings ready before a waiting walk is woken

    void run(std::vector<std::string> roots, std::vector<bool> subfolders);
    void read(const std::string& folder, SystemFolders::Kind kind, bool subfolders = true);
    bool stopping();

    FileSystem& fs_;
    const SystemFolders stores_;
    const size_t entriesAhead_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Listing> ready_;
    size_t entriesReady_ = 0;
    bool stop_ = false;
    bool done_ = false;
    bool takerWaiting_ = false;   // the walk waits for listings
    bool readerWaiting_ = false;  // the reader waits for the walk to take some
    std::thread thread_;
};

}  // namespace dv

#include "search/ReadAhead.h"

#include <chrono>
#include <system_error>

#include "text/PathText.h"

namespace dv {

ReadAhead::ReadAhead(FileSystem& fs, std::vector<std::string> roots, SystemFolders stores,
                     std::vector<bool> subfolders, size_t entriesAhead)
    : fs_(fs), stores_(std::move(stores)), entriesAhead_(entriesAhead) {
    try {
        thread_ = std::thread(
            [this, roots = std::move(roots), subfolders = std::move(subfolders)]() mutable {
                run(std::move(roots), std::move(subfolders));
            });
    } catch (const std::system_error&) {
        done_ = true;  // no thread: the walk lists every folder itself
    }
}

ReadAhead::~ReadAhead() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

bool ReadAhead::stopping() {
    std::lock_guard<std::mutex> lock(mutex_);
    return stop_;
}

void ReadAhead::run(std::vector<std::string> roots, std::vector<bool> subfolders) {
    try {
        for (size_t i = 0; i < roots.size(); ++i) {
            if (stopping()) break;
            read(withTrailingBackslash(roots[i]), SystemFolders::Kind::Walk,
                 i >= subfolders.size() || subfolders[i]);
        }
    } catch (...) {
        // Out of memory or the like: the walk goes on listing folders itself.
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    }
    changed_.notify_all();
}

// Lists one folder, hands the listing over, then reads its subfolders. The recursion is
// as deep as the tree, which a path's length bounds.
void ReadAhead::read(const std::string& folder, SystemFolders::Kind kind, bool withSubfolders) {
    Listing listing;
    listing.folder = folder;
    listing.readable = fs_.listFolder(folder, listing.entries);
    std::vector<std::pair<std::string, SystemFolders::Kind>> subfolders;
    if (listing.readable && withSubfolders)
        for (const DirEntry& entry : listing.entries) {
            const SystemFolders::Kind subKind = stores_.subfolderKind(folder, kind, entry);
            if (subKind != SystemFolders::Kind::Skip)
                subfolders.emplace_back(withTrailingBackslash(folder + entry.name), subKind);
        }
    bool wake = false;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        // A folder larger than the whole allowance still goes through once the walk has
        // taken everything before it.
        const auto room = [&] {
            return stop_ || ready_.empty() || entriesReady_ + listing.entries.size() <= entriesAhead_;
        };
        if (!room()) {
            readerWaiting_ = true;
            if (takerWaiting_) changed_.notify_all();  // no more comes until the walk takes
            changed_.wait(lock, room);
            readerWaiting_ = false;
        }
        if (stop_) return;
        entriesReady_ += listing.entries.size();
        ready_.push_back(std::move(listing));
        wake = takerWaiting_ && ready_.size() >= kBatchFolders;
    }
    if (wake) changed_.notify_all();
    for (const auto& [subfolder, subKind] : subfolders) {
        if (stopping()) return;
        read(subfolder, subKind);
    }
}

ReadAhead::Take ReadAhead::take(const std::string& folder, std::vector<DirEntry>& entries,
                                bool& readable, int waitMs) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (ready_.empty()) {
        // The walk is woken for a batch of folders rather than for each one: a wake-up can
        // cost as much as reading a small folder. Whatever is ready when the wait times out
        // is taken too.
        takerWaiting_ = true;
        changed_.wait_for(lock, std::chrono::milliseconds(waitMs), [&] {
            return done_ || readerWaiting_ || ready_.size() >= kBatchFolders;
        });
        takerWaiting_ = false;
        if (ready_.empty()) return done_ ? Take::Missing : Take::NotYet;
    }
    if (ready_.front().folder != folder) return Take::Missing;
    Listing& next = ready_.front();
    entries = std::move(next.entries);
    readable = next.readable;
    entriesReady_ -= entries.size();
    ready_.pop_front();
    const bool wake = readerWaiting_;
    lock.unlock();
    if (wake) changed_.notify_all();
    return Take::Ready;
}

}  // namespace dv

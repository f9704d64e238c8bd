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
    {
        std::unique_lock<std::mutex> lock(mutex_);
        // A folder larger than the whole allowance still goes through once the walk has
        // taken everything before it.
        changed_.wait(lock, [&] {
            return stop_ || ready_.empty() ||
                   entriesReady_ + listing.entries.size() <= entriesAhead_;
        });
        if (stop_) return;
        entriesReady_ += listing.entries.size();
        ready_.push_back(std::move(listing));
    }
    changed_.notify_all();
    for (const auto& [subfolder, subKind] : subfolders) {
        if (stopping()) return;
        read(subfolder, subKind);
    }
}

ReadAhead::Take ReadAhead::take(const std::string& folder, std::vector<DirEntry>& entries,
                                bool& readable, int waitMs) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!changed_.wait_for(lock, std::chrono::milliseconds(waitMs),
                           [&] { return !ready_.empty() || done_; }))
        return Take::NotYet;
    if (ready_.empty() || ready_.front().folder != folder) return Take::Missing;
    Listing& next = ready_.front();
    entries = std::move(next.entries);
    readable = next.readable;
    entriesReady_ -= entries.size();
    ready_.pop_front();
    lock.unlock();
    changed_.notify_all();
    return Take::Ready;
}

}  // namespace dv

// The Internet cleaner: deletes the ordinary entries of the browser's URL cache. Cookie and
// history entries, and anything else without the normal-entry bit, stay.
#include <cstring>
#include <memory>
#include <new>

#include "platform/UrlCache.h"
#include "privacy/Cleaners.h"

namespace dv {

namespace {

// The empty pattern walks every content entry of the cache.
const char* const kAllContent = "";
constexpr uint32_t kHeadSize = sizeof(UrlCacheEntryInfo);
// A fetch that keeps asking for more room than it was given is given up after this.
constexpr int kGrowAttempts = 3;

// A fixed block for one entry; its first 4 bytes hold its size before each fetch.
class EntryBlock {
public:
    // False, and no block, for a size with no room for an entry's head, or without memory.
    bool allocate(uint32_t size) {
        words_.reset();
        size_ = 0;
        if (size < kHeadSize) return false;
        words_.reset(new (std::nothrow) uint64_t[(size + 7) / 8]);
        if (!words_) return false;
        size_ = size;
        return true;
    }
    void release() {
        words_.reset();
        size_ = 0;
    }
    void* prepared() {
        std::memcpy(words_.get(), &size_, sizeof size_);
        return words_.get();
    }
    uint32_t size() const { return size_; }

    // The type and source URL of the entry just fetched. The URL must lie in the block,
    // after the head, and end within it; otherwise it is not trusted.
    bool read(uint32_t& type, std::string& url) const {
        UrlCacheEntryInfo head;
        std::memcpy(&head, words_.get(), sizeof head);
        type = head.entryType;
        const char* begin = reinterpret_cast<const char*>(words_.get());
        const uintptr_t at = reinterpret_cast<uintptr_t>(head.sourceUrl);
        const uintptr_t first = reinterpret_cast<uintptr_t>(begin) + kHeadSize;
        const uintptr_t end = reinterpret_cast<uintptr_t>(begin) + size_;
        if (at < first || at >= end) return false;
        const char* text = begin + (at - reinterpret_cast<uintptr_t>(begin));
        const void* nul = std::memchr(text, 0, end - at);
        if (!nul) return false;
        url.assign(text, static_cast<const char*>(nul));
        return !url.empty();
    }

private:
    std::unique_ptr<uint64_t[]> words_;  // 8-byte aligned, as the head's pointers need
    uint32_t size_ = 0;
};

// One fetch into the block. An entry larger than the block is fetched again into a block
// of the size the cache asks for, so one big entry does not end the walk; a failure that
// asks for no more room (no further entry) does.
template <typename Fetch>
bool fetchInto(EntryBlock& block, Fetch fetch) {
    for (int attempt = 0; attempt < kGrowAttempts; ++attempt) {
        uint32_t size = block.size();
        if (fetch(block.prepared(), size)) return true;
        if (size <= block.size() || !block.allocate(size)) return false;
    }
    return false;
}

}  // namespace

void cleanUrlCache(App& app) {
    UrlCache& cache = app.urlCache;
    // Ask for the size of the first entry. An empty cache reports none: nothing to do.
    uint32_t size = 0;
    UrlCache::Walk walk = cache.findFirst(kAllContent, nullptr, size);
    if (walk) {
        cache.findClose(walk);
        return;
    }
    EntryBlock block;
    if (!block.allocate(size)) return;
    fetchInto(block, [&](void* data, uint32_t& n) {
        walk = cache.findFirst(kAllContent, data, n);
        return walk != 0;
    });
    if (!walk) return;

    const auto fetchNext = [&](void* data, uint32_t& n) { return cache.findNext(walk, data, n); };
    for (;;) {
        app.ui.processPendingMessages();
        uint32_t type = 0;
        std::string url;
        if (block.read(type, url) && (type & kNormalCacheEntry)) {
            cache.deleteEntry(url);
            // The next entry's size; none (the deleted entry was the last) ends the walk.
            block.release();
            size = 0;
            cache.findNext(walk, nullptr, size);
            if (!block.allocate(size)) break;
        }
        if (!fetchInto(block, fetchNext)) break;
    }
    cache.findClose(walk);
}

}  // namespace dv

// An in-memory URL cache that hands out entries the way WinINet does: one block per entry,
// the head followed by the URL text, "too small" answered with the size needed and the
// walk left where it was, deleted entries skipped by walks already under way.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/UrlCache.h"

namespace dv {

class FakeUrlCache : public UrlCache {
public:
    struct Entry {
        std::string url;
        uint32_t type = kNormalCacheEntry;
        uint32_t extra = 0;        // further bytes after the URL (header info and the like)
        bool undeletable = false;  // in use: DeleteUrlCacheEntry refuses it
        bool deleted = false;
    };
    std::vector<Entry> entries;  // in walk order

    void add(const std::string& url, uint32_t type = kNormalCacheEntry, uint32_t extra = 0);
    std::vector<std::string> urls() const;  // the entries still there

    // When set, a size query reports this size instead of the entry's own.
    uint32_t queriedSize = 0;

    // Records.
    std::vector<std::string> patterns;      // of each findFirst
    std::vector<uint32_t> offeredSizes;     // block size of each fetch (0: size query)
    std::vector<std::string> deleteCalls;
    int closes = 0;
    int openWalks() const { return int(walks_.size()); }

    Walk findFirst(const std::string& pattern, void* block, uint32_t& size) override;
    bool findNext(Walk walk, void* block, uint32_t& size) override;
    bool deleteEntry(const std::string& url) override;
    void findClose(Walk walk) override;

private:
    bool fetch(size_t& position, void* block, uint32_t& size);
    std::map<Walk, size_t> walks_;  // walk -> index of its next entry
    Walk nextWalk_ = 1;
};

}  // namespace dv

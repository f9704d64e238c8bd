#include "tests/fakes/FakeUrlCache.h"

#include <cstring>

namespace dv {

void FakeUrlCache::add(const std::string& url, uint32_t type, uint32_t extra) {
    Entry e;
    e.url = url;
    e.type = type;
    e.extra = extra;
    entries.push_back(e);
}

std::vector<std::string> FakeUrlCache::urls() const {
    std::vector<std::string> out;
    for (const Entry& e : entries)
        if (!e.deleted) out.push_back(e.url);
    return out;
}

bool FakeUrlCache::fetch(size_t& position, void* block, uint32_t& size) {
    offeredSizes.push_back(block ? size : 0);
    while (position < entries.size() && entries[position].deleted) ++position;
    if (position == entries.size()) return false;  // no more items; size untouched
    const Entry& e = entries[position];
    const uint32_t needed = uint32_t(sizeof(UrlCacheEntryInfo) + e.url.size() + 1 + e.extra);
    if (!block || size < needed) {
        size = !block && queriedSize ? queriedSize : needed;
        return false;
    }
    auto* bytes = static_cast<char*>(block);
    UrlCacheEntryInfo head = {};
    head.structSize = sizeof head;
    head.sourceUrl = bytes + sizeof head;
    head.entryType = e.type;
    std::memcpy(bytes, &head, sizeof head);
    std::memcpy(bytes + sizeof head, e.url.c_str(), e.url.size() + 1);
    std::memset(bytes + sizeof head + e.url.size() + 1, 'x', e.extra);
    size = needed;
    ++position;
    return true;
}

UrlCache::Walk FakeUrlCache::findFirst(const std::string& pattern, void* block, uint32_t& size) {
    patterns.push_back(pattern);
    size_t position = 0;
    if (!fetch(position, block, size)) return 0;  // the walk is not kept, as WinINet does
    walks_[nextWalk_] = position;
    return nextWalk_++;
}

bool FakeUrlCache::findNext(Walk walk, void* block, uint32_t& size) {
    auto it = walks_.find(walk);
    return it != walks_.end() && fetch(it->second, block, size);
}

bool FakeUrlCache::deleteEntry(const std::string& url) {
    deleteCalls.push_back(url);
    for (Entry& e : entries) {
        if (e.deleted || e.url != url) continue;
        if (e.undeletable) return false;
        e.deleted = true;
        return true;
    }
    return false;
}

void FakeUrlCache::findClose(Walk walk) {
    ++closes;
    walks_.erase(walk);
}

}  // namespace dv

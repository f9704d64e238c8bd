// The browser's URL cache: the four WinINet calls a cache walk is made of, passed through
// unchanged. How big a block is, which entries go and when the walk ends is decided by the
// caller (privacy/UrlCacheCleaner).
#pragma once
#include <cstdint>
#include <string>

namespace dv {

// The fixed head of one cache entry block, field for field the system's
// INTERNET_CACHE_ENTRY_INFOA on the same machine. The texts it points to lie in the same
// block, after the head.
struct UrlCacheEntryInfo {
    uint32_t structSize;  // the block's size, written by the caller before each fetch
    char* sourceUrl;
    char* localFileName;
    uint32_t entryType;
    uint32_t useCount;
    uint32_t hitRate;
    uint32_t sizeLow, sizeHigh;
    uint32_t lastModified[2], expires[2], lastAccess[2], lastSync[2];  // FILETIME words
    char* headerInfo;
    uint32_t headerInfoSize;
    char* fileExtension;
    uint32_t exemptDelta;
};

// Entry type bit of an ordinary cached page or file (NORMAL_CACHE_ENTRY).
constexpr uint32_t kNormalCacheEntry = 0x1;

class UrlCache {
public:
    using Walk = uintptr_t;  // an enumeration handle; 0 is none

    virtual ~UrlCache() = default;
    // FindFirstUrlCacheEntryA(pattern, block, &size). The block (null to ask for the size)
    // holds `size` bytes. Returns the walk with the first entry in the block, or 0; when the
    // block is too small, `size` receives the bytes the entry needs.
    virtual Walk findFirst(const std::string& pattern, void* block, uint32_t& size) = 0;
    // FindNextUrlCacheEntryA(walk, block, &size), with the same rules.
    virtual bool findNext(Walk walk, void* block, uint32_t& size) = 0;
    // DeleteUrlCacheEntryA(url).
    virtual bool deleteEntry(const std::string& url) = 0;
    // FindCloseUrlCache(walk).
    virtual void findClose(Walk walk) = 0;
};

}  // namespace dv

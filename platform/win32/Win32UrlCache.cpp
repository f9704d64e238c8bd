#include "platform/win32/Win32UrlCache.h"

#include <windows.h>
#include <wininet.h>

#include <cstddef>

namespace dv {

// The walk reads blocks through UrlCacheEntryInfo: it must be the system's layout.
static_assert(sizeof(UrlCacheEntryInfo) == sizeof(INTERNET_CACHE_ENTRY_INFOA), "entry head size");
static_assert(offsetof(UrlCacheEntryInfo, sourceUrl) ==
                  offsetof(INTERNET_CACHE_ENTRY_INFOA, lpszSourceUrlName),
              "source URL field");
static_assert(offsetof(UrlCacheEntryInfo, entryType) ==
                  offsetof(INTERNET_CACHE_ENTRY_INFOA, CacheEntryType),
              "entry type field");
static_assert(offsetof(UrlCacheEntryInfo, exemptDelta) ==
                  offsetof(INTERNET_CACHE_ENTRY_INFOA, dwExemptDelta),
              "last field");
static_assert(kNormalCacheEntry == NORMAL_CACHE_ENTRY, "entry type bit");

UrlCache::Walk Win32UrlCache::findFirst(const std::string& pattern, void* block, uint32_t& size) {
    DWORD n = size;
    HANDLE h = FindFirstUrlCacheEntryA(pattern.c_str(),
                                       static_cast<INTERNET_CACHE_ENTRY_INFOA*>(block), &n);
    size = n;
    return reinterpret_cast<Walk>(h);
}

bool Win32UrlCache::findNext(Walk walk, void* block, uint32_t& size) {
    DWORD n = size;
    BOOL ok = FindNextUrlCacheEntryA(reinterpret_cast<HANDLE>(walk),
                                     static_cast<INTERNET_CACHE_ENTRY_INFOA*>(block), &n);
    size = n;
    return ok != FALSE;
}

bool Win32UrlCache::deleteEntry(const std::string& url) {
    return DeleteUrlCacheEntryA(url.c_str()) != FALSE;
}

void Win32UrlCache::findClose(Walk walk) { FindCloseUrlCache(reinterpret_cast<HANDLE>(walk)); }

}  // namespace dv

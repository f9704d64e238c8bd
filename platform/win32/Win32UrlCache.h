// The URL cache through the ANSI WinINet functions.
#pragma once
#include "platform/UrlCache.h"

namespace dv {

class Win32UrlCache : public UrlCache {
public:
    Walk findFirst(const std::string& pattern, void* block, uint32_t& size) override;
    bool findNext(Walk walk, void* block, uint32_t& size) override;
    bool deleteEntry(const std::string& url) override;
    void findClose(Walk walk) override;
};

}  // namespace dv

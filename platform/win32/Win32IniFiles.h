// INI files through the ANSI private-profile functions.
#pragma once
#include "platform/IniFiles.h"

namespace dv {

class Win32IniFiles : public IniFiles {
public:
    std::string read(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& fallback, size_t bufferSize) override;
    bool write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;
};

}  // namespace dv

// INI files through the system's private-profile functions.
#pragma once
#include <cstddef>
#include <string>

namespace dv {

class IniFiles {
public:
    virtual ~IniFiles() = default;
    // GetPrivateProfileStringA with a buffer of bufferSize bytes.
    virtual std::string read(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& fallback,
                             size_t bufferSize) = 0;
    // WritePrivateProfileStringA; the file and section are created when missing.
    virtual bool write(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& value) = 0;
};

}  // namespace dv

#include "platform/win32/Win32IniFiles.h"

#include <windows.h>

#include <climits>
#include <vector>

namespace dv {

std::string Win32IniFiles::read(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& fallback,
                                size_t bufferSize) {
    if (bufferSize == 0) return std::string();
    if (bufferSize > UINT_MAX) bufferSize = UINT_MAX;
    std::vector<char> buf(bufferSize, '\0');
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buf.data(),
                                       DWORD(buf.size()), file.c_str());
    return std::string(buf.data(), n);
}

bool Win32IniFiles::write(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}

}  // namespace dv

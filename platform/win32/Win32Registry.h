// The registry through the ANSI advapi32 functions.
#pragma once
#include "platform/Registry.h"

namespace dv {

class Win32Registry : public Registry {
public:
    bool query(int root, const std::string& key, const std::string& value, uint32_t& type,
               std::string& data) override;
    bool set(int root, const std::string& key, const std::string& value, uint32_t type,
             const std::string& data) override;
    bool keyExists(int root, const std::string& key) override;
    bool deleteValue(int root, const std::string& key, const std::string& value) override;
    // Deletes the last component of key from its parent. A key with subkeys stays,
    // and an empty key or last component is refused.
    bool deleteKey(int root, const std::string& key) override;
    bool valueNames(int root, const std::string& key, std::vector<std::string>& names) override;
};

}  // namespace dv

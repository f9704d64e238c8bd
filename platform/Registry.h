// Raw registry access. The settings rules (paths, types, defaults) live in shell/Settings.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace dv {

class Registry {
public:
    virtual ~Registry() = default;
    // Opens key (KEY_READ) and reads one value; false when the key or value is missing.
    virtual bool query(int root, const std::string& key, const std::string& value, uint32_t& type,
                       std::string& data) = 0;
    // Opens key for writing or, failing that, creates it; then stores the value.
    virtual bool set(int root, const std::string& key, const std::string& value, uint32_t type,
                     const std::string& data) = 0;
    // Whether the key can be opened for reading.
    virtual bool keyExists(int root, const std::string& key) = 0;
    virtual bool deleteValue(int root, const std::string& key, const std::string& value) = 0;
    virtual bool deleteKey(int root, const std::string& key) = 0;
    // Names of the values of a key in enumeration order.
    virtual bool valueNames(int root, const std::string& key, std::vector<std::string>& names) = 0;
};

}  // namespace dv

#include "platform/win32/Win32Registry.h"

#include <windows.h>

namespace dv {

namespace {

HKEY rootKey(int root) {
    switch (root) {
        case kClassesRoot: return HKEY_CLASSES_ROOT;
        case kCurrentConfig: return HKEY_CURRENT_CONFIG;
        case kCurrentUser: return HKEY_CURRENT_USER;
        case kLocalMachine: return HKEY_LOCAL_MACHINE;
        case kUsers: return HKEY_USERS;
        default: return nullptr;
    }
}

// An open key, closed when it goes out of scope.
class Key {
public:
    Key() = default;
    ~Key() {
        if (h_ && h_ != base_) RegCloseKey(h_);  // a root handed back as itself stays open
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    bool open(int root, const std::string& path, REGSAM access) {
        base_ = rootKey(root);
        HKEY h = nullptr;
        if (!base_ || RegOpenKeyExA(base_, path.c_str(), 0, access, &h) != ERROR_SUCCESS)
            return false;
        h_ = h;
        return true;
    }
    bool create(int root, const std::string& path) {
        base_ = rootKey(root);
        HKEY h = nullptr;
        if (!base_ || RegCreateKeyA(base_, path.c_str(), &h) != ERROR_SUCCESS) return false;
        h_ = h;
        return true;
    }
    HKEY get() const { return h_; }

private:
    HKEY base_ = nullptr, h_ = nullptr;
};

}  // namespace

bool Win32Registry::query(int root, const std::string& key, const std::string& value,
                          uint32_t& type, std::string& data) {
    Key k;
    if (!k.open(root, key, KEY_READ)) return false;
    DWORD size = 0, t = 0;
    LONG rc = RegQueryValueExA(k.get(), value.c_str(), nullptr, &t, nullptr, &size);
    if (rc != ERROR_SUCCESS) return false;
    std::string buf;
    for (int attempt = 0; attempt < 8; ++attempt) {
        buf.assign(size ? size : 1, '\0');
        size = DWORD(buf.size());
        rc = RegQueryValueExA(k.get(), value.c_str(), nullptr, &t,
                              reinterpret_cast<BYTE*>(&buf[0]), &size);
        if (rc == ERROR_SUCCESS) {
            buf.resize(size);
            type = t;
            data = buf;
            return true;
        }
        if (rc != ERROR_MORE_DATA) return false;  // else the value grew meanwhile
    }
    return false;
}

bool Win32Registry::set(int root, const std::string& key, const std::string& value, uint32_t type,
                        const std::string& data) {
    Key k;
    if (!k.open(root, key, KEY_WRITE) && !k.create(root, key)) return false;
    return RegSetValueExA(k.get(), value.c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(data.data()),
                          DWORD(data.size())) == ERROR_SUCCESS;
}

bool Win32Registry::keyExists(int root, const std::string& key) {
    Key k;
    return k.open(root, key, KEY_READ);
}

bool Win32Registry::deleteValue(int root, const std::string& key, const std::string& value) {
    Key k;
    if (!k.open(root, key, KEY_WRITE)) return false;
    return RegDeleteValueA(k.get(), value.c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::deleteKey(int root, const std::string& key) {
    size_t cut = key.rfind('\\');
    std::string parent = cut == std::string::npos ? std::string() : key.substr(0, cut);
    std::string last = cut == std::string::npos ? key : key.substr(cut + 1);
    // An empty name would address the parent itself.
    if (last.empty()) return false;
    Key k;
    if (!k.open(root, parent, KEY_WRITE)) return false;
    return RegDeleteKeyA(k.get(), last.c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::valueNames(int root, const std::string& key, std::vector<std::string>& names) {
    names.clear();
    Key k;
    if (!k.open(root, key, KEY_READ)) return false;
    // Value names are at most 16383 characters.
    std::string buf(16384, '\0');
    for (DWORD i = 0;; ++i) {
        DWORD len = DWORD(buf.size());
        LONG rc = RegEnumValueA(k.get(), i, &buf[0], &len, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) return true;
        if (rc != ERROR_SUCCESS) return false;
        names.emplace_back(buf.data(), len);
    }
}

}  // namespace dv

#include "shell/Settings.h"

namespace dv {

const char* const kOwnKey = ".DEFAULT\\Software\\Dustvane";
const char* const kAutoSearchItem = ".DEFAULT\\Software\\Dustvane\\Auto\\AutoSearch";
const char* const kNotShowItem = ".DEFAULT\\Software\\Dustvane\\Auto\\NotShow";
const char* const kSaveFilePathItem = ".DEFAULT\\Software\\Dustvane\\SaveFilePath";

namespace {

constexpr size_t kIniBufferSize = 10240;

// "a\b\c" -> key "a\b", value "c". A path without a backslash names a value of the root.
void splitItem(const std::string& item, std::string& key, std::string& value) {
    size_t cut = item.rfind('\\');
    if (cut == std::string::npos) {
        key.clear();
        value = item;
    } else {
        key = item.substr(0, cut);
        value = item.substr(cut + 1);
    }
}

bool regQuery(App& app, int root, const std::string& item, uint32_t& type, std::string& data) {
    std::string key, value;
    splitItem(item, key, value);
    return app.registry.query(root, key, value, type, data);
}

bool regWrite(App& app, int root, const std::string& item, uint32_t type, const std::string& data) {
    std::string key, value;
    splitItem(item, key, value);
    return app.registry.set(root, key, value, type, data);
}

}  // namespace

uint32_t regReadInt(App& app, int root, const std::string& item, uint32_t fallback) {
    uint32_t type = 0;
    std::string data;
    if (!regQuery(app, root, item, type, data) || type != kRegDword || data.size() < 4)
        return fallback;
    const auto* b = reinterpret_cast<const unsigned char*>(data.data());
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

std::string regReadBytes(App& app, int root, const std::string& item) {
    uint32_t type = 0;
    std::string data;
    if (!regQuery(app, root, item, type, data) || type != kRegBinary) return std::string();
    return data;
}

bool regExists(App& app, int root, const std::string& item) {
    uint32_t type = 0;
    std::string data;
    return regQuery(app, root, item, type, data);
}

bool regWriteInt(App& app, int root, const std::string& item, uint32_t value) {
    std::string data(4, '\0');
    for (int i = 0; i < 4; ++i) data[i] = char((value >> (8 * i)) & 0xFF);
    return regWrite(app, root, item, kRegDword, data);
}

bool regWriteText(App& app, int root, const std::string& item, const std::string& text) {
    return regWrite(app, root, item, kRegSz, text + std::string(1, '\0'));
}

bool regWriteBytes(App& app, int root, const std::string& item, const std::string& bytes) {
    return regWrite(app, root, item, kRegBinary, bytes);
}

bool regDelete(App& app, int root, const std::string& item) {
    std::string key, value;
    splitItem(item, key, value);
    if (app.registry.deleteValue(root, key, value)) return true;
    return app.registry.deleteKey(root, item);
}

std::string iniRead(App& app, const std::string& file, const std::string& section,
                    const std::string& key, const std::string& fallback) {
    if (file.empty() || section.empty() || key.empty()) return std::string();
    return app.ini.read(file, section, key, fallback, kIniBufferSize);
}

bool iniWrite(App& app, const std::string& file, const std::string& section,
              const std::string& key, const std::string& value) {
    return app.ini.write(file, section, key, value);
}

std::string basePath(const App& app, const std::string& relative) {
    return app.state.baseFolder + relative;
}

void writeStartSwitches(App& app, uint32_t value) {
    regWriteInt(app, kUsers, kNotShowItem, value);
    regWriteInt(app, kUsers, kAutoSearchItem, value);
}

}  // namespace dv

// Registry and INI settings with the program's read and write rules.
// A registry item is a root number and one path text; the part after the last "\"
// is the value name. Nothing is cached: every call goes to the registry or the file.
#pragma once
#include <cstdint>
#include <string>

#include "shell/App.h"

namespace dv {

// The program's own values live under HKEY_USERS.
extern const char* const kOwnKey;         // ".DEFAULT\Software\Dustvane"
extern const char* const kAutoSearchItem; // kOwnKey + "\Auto\AutoSearch"
extern const char* const kNotShowItem;    // kOwnKey + "\Auto\NotShow"
extern const char* const kSaveFilePathItem;

// Integers come only from REG_DWORD values; anything else reads as the fallback.
uint32_t regReadInt(App& app, int root, const std::string& item, uint32_t fallback = 0);
// Bytes come only from REG_BINARY values; anything else reads as empty.
std::string regReadBytes(App& app, int root, const std::string& item);
bool regExists(App& app, int root, const std::string& item);
bool regWriteInt(App& app, int root, const std::string& item, uint32_t value);
bool regWriteText(App& app, int root, const std::string& item, const std::string& text);
bool regWriteBytes(App& app, int root, const std::string& item, const std::string& bytes);
// Deletes the value; when that fails, deletes the key named by the whole path.
bool regDelete(App& app, int root, const std::string& item);

// INI text through a 10240-byte buffer. An empty file, section or key name reads as
// the empty text without touching the file.
std::string iniRead(App& app, const std::string& file, const std::string& section,
                    const std::string& key, const std::string& fallback = "");
bool iniWrite(App& app, const std::string& file, const std::string& section,
              const std::string& key, const std::string& value);

// Base folder + relative path ("\Files.txt").
std::string basePath(const App& app, const std::string& relative);

// The start-mode switches.
void writeStartSwitches(App& app, uint32_t value);  // both AutoSearch and NotShow

}  // namespace dv

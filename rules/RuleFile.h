// Cleaning rules in the winapp2.ini format: one INI section per program, naming the
// folders where it leaves files it can make again (caches, logs, crash dumps). Dustvane
// reads the part of the format that names files; registry cleaning (RegKey) is not done.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "shell/App.h"

namespace dv {

// FileKeyN=folder|pattern[;pattern...][|RECURSE|REMOVESELF]
struct FileKey {
    std::string folder;                 // as written: %variables% and "*" parts unexpanded
    std::vector<std::string> patterns;  // file name patterns, at least one
    bool recurse = false;               // the subfolders too (RECURSE or REMOVESELF)
    bool removeSelf = false;            // the folder and its subfolders go once emptied
};

// ExcludeKeyN=FILE|folder\|name or PATH|folder\|pattern: files never cleaned.
struct ExcludeKey {
    std::string folder;   // as written
    std::string pattern;  // a file name pattern
    bool subfolders;      // PATH: the folder's whole tree; FILE: the folder alone
};

struct Rule {
    std::string name;   // the section name without the " *" that marks the format's sections
    std::string group;  // Section=, else LangSecRef=
    std::vector<std::string> detectKeys;   // registry keys; any one marks the program present
    std::vector<std::string> detectFiles;  // paths, "*" allowed in folder parts; any one does
    std::string detectOS;                  // "min|max" Windows versions ("6.1|", "|6.3")
    bool leftOut = false;  // a Warning or Default=False: not cleaned without asking first
    std::vector<FileKey> fileKeys;
    std::vector<ExcludeKey> excludeKeys;
};

// The sections of a rule file's text. Lines that are not part of the format, keys it does
// not know and keys that cannot be read whole are passed over; but a section with an
// exclusion or a line it cannot read is left out, as it might clean what it should keep.
std::vector<Rule> parseRules(const std::string& text);

// A rule file larger than this is not read: no real one comes near it.
constexpr uint64_t kMaxRuleFileBytes = 16ull << 20;

// The rules of a file; none when it is missing, unreadable or too large. A file in UTF-8,
// as the format's files are written today, is read in the process's code page; a line
// the code page cannot show leaves its section out.
std::vector<Rule> readRuleFile(App& app, const std::string& path);

}  // namespace dv

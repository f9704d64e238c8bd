// Path texts in the system's ANSI code page.
#pragma once
#include <string>

#include "platform/Types.h"

namespace dv {

// The path with a "\" at its end. A double-byte character whose second byte happens to
// be 0x5C (as in many Japanese and Chinese names) is not a separator, so it gets one.
std::string withTrailingBackslash(const std::string& path);

inline bool isPathSeparator(char c) { return c == '\\' || c == '/'; }

// A folder a walk of the tree enters: not "." or "..", no dot folder (".svn"), and no
// reparse point (a junction or a link may lead back up the tree, or anywhere).
inline bool enterableFolder(const DirEntry& entry) {
    return entry.isFolder() && !entry.name.empty() && entry.name[0] != '.' &&
           (entry.attributes & kAttrReparsePoint) == 0;
}

}  // namespace dv

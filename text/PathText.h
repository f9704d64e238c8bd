// Path texts in the process's ANSI code page.
#pragma once
#include <string>

namespace dv {

// The path with a "\" at its end. A double-byte character whose second byte happens to
// be 0x5C (as in many Japanese and Chinese names) is not a separator, so it gets one.
std::string withTrailingBackslash(const std::string& path);

inline bool isPathSeparator(char c) { return c == '\\' || c == '/'; }

// Where the last part of a path starts; a trail byte of a double-byte character is never
// taken for a separator.
size_t nameStart(const std::string& path);

}  // namespace dv

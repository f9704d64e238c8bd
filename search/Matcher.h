// Wildcard matching of file names against junk patterns, and the byte rules of
// double-byte text that the search subsystem shares.
#pragma once
#include <cstddef>
#include <string>

namespace dv {

// Length in bytes (1 or 2) of the character that starts at byte i of s. A byte with the
// high bit set starts a double-byte character when the byte after it lies in the trail
// range of every double-byte code page (0x40 and up); a control byte or separator below
// 0x40 is therefore never swallowed as a trail byte.
inline size_t charLength(const std::string& s, size_t i) {
    if (static_cast<unsigned char>(s[i]) < 0x80 || i + 1 >= s.size()) return 1;
    return static_cast<unsigned char>(s[i + 1]) >= 0x40 ? 2 : 1;
}

// "*" matches any run (also none), "?" exactly one character; letters compare without
// regard to case, bytes of double-byte characters exactly. A pattern ending in ".*" also
// matches a name without a dot that matches the part before it.
bool matchesPattern(const std::string& pattern, const std::string& name);

// The name with its letters folded to lower case as the file system compares them;
// bytes of double-byte characters stay as they are.
std::string foldedName(const std::string& name);

// True when `part` occurs in `text`, character by character under the same letter rules.
bool containsNoCase(const std::string& text, const std::string& part);

}  // namespace dv

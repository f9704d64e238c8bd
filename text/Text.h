// Text in the system's ANSI code page: where its characters begin, comparing without
// regard to case, and splitting at a separator.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace dv {

// Length in bytes (1 or 2) of the character that starts at byte i of s. A byte with the
// high bit set starts a double-byte character when the byte after it lies in the trail
// range of every double-byte code page (0x40 and up); a control byte or separator below
// 0x40 is therefore never swallowed as a trail byte.
inline size_t charLength(const std::string& s, size_t i) {
    if (static_cast<unsigned char>(s[i]) < 0x80 || i + 1 >= s.size()) return 1;
    return static_cast<unsigned char>(s[i + 1]) >= 0x40 ? 2 : 1;
}

// The name with its letters folded to lower case as the file system compares them;
// bytes of double-byte characters stay as they are.
std::string foldedName(const std::string& name);

// The first of the items that begins with `text`, letters compared without regard to
// case, as a list's or combo's select-string search finds it; -1 when none does or the
// text is empty.
int firstStartingWith(const std::vector<std::string>& items, const std::string& text);

// True when `part` occurs in `text`, character by character under the same letter rules.
bool containsNoCase(const std::string& text, const std::string& part);

// Splits at `separator` byte by byte, never inside a double-byte character; an empty
// last piece is dropped; maxPieces > 0 stops after that many pieces.
std::vector<std::string> splitText(const std::string& text, char separator, size_t maxPieces = 0);

}  // namespace dv

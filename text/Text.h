// Text in the process's ANSI code page: where its characters begin, the one rule by which
// names and texts compare without regard to case, and splitting at a separator.
#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace dv {

namespace textrules {
extern std::array<bool, 256> leadBytes;  // set through useLeadBytes only
}

// The bytes that begin a double-byte character in the process's ANSI code page (an ASCII
// byte never does). The platform layer gives them once, before it reads the first name and
// before a second thread runs (Win32FileSystem); until then every byte from 0x80 up counts
// as one, which covers the lead bytes of every double-byte code page.
void useLeadBytes(const std::array<bool, 256>& leadBytes);

// Length in bytes (1 or 2) of the character that begins at byte i of s. A lead byte
// begins a double-byte character only when the byte after it lies in the trail range of
// every double-byte code page (0x40 and up): a control byte or separator below 0x40 is
// never swallowed as a trail byte.
inline size_t charLength(const std::string& s, size_t i) {
    const bool lead = textrules::leadBytes[static_cast<unsigned char>(s[i])];
    return lead && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) >= 0x40 ? 2 : 1;
}

// The one case rule, as the file system compares the ASCII letters of names: a capital
// becomes its small letter, every other byte stays. It applies to single-byte characters
// only; the bytes of a double-byte character compare exactly, since its trail byte may be
// a letter ("ア" and "ヂ" are 83 41 and 83 61 in code page 932). toupper and tolower fold
// byte by byte and follow the C library's locale, so nothing in the program calls them.
inline char foldedLetter(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// The text with foldedLetter applied to each single-byte character: two names are the same
// file when their folded names are equal.
std::string foldedName(const std::string& text);

// The length of the characters that begin at a[i] and b[j] when they are the same under
// the case rule; 0 when they differ.
inline size_t sameCharLength(const std::string& a, size_t i, const std::string& b, size_t j) {
    const size_t len = charLength(a, i);
    if (len != charLength(b, j)) return 0;
    if (len == 2) return a[i] == b[j] && a[i + 1] == b[j + 1] ? 2 : 0;
    return foldedLetter(a[i]) == foldedLetter(b[j]) ? 1 : 0;
}

// Comparisons character by character under the case rule.
bool sameNoCase(const std::string& a, const std::string& b);
bool startsWithNoCase(const std::string& text, const std::string& prefix, size_t at = 0);
// Where `part` first begins in `text` at a character's start; npos when nowhere.
size_t findNoCase(const std::string& text, const std::string& part);
inline bool containsNoCase(const std::string& text, const std::string& part) {
    return findNoCase(text, part) != std::string::npos;
}

// The first of the items that begins with `text`, as a list's or combo's select-string
// search finds it; -1 when none does or the text is empty.
int firstStartingWith(const std::vector<std::string>& items, const std::string& text);

// Splits at `separator`, never inside a double-byte character; an empty last piece is
// dropped; maxPieces > 0 stops after that many pieces.
std::vector<std::string> splitText(const std::string& text, char separator, size_t maxPieces = 0);

}  // namespace dv

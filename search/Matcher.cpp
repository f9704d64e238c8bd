#include "search/Matcher.h"

namespace dv {

namespace {

unsigned char foldAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// Compares the characters starting at a[i] and b[j]; len receives their common length.
bool sameChar(const std::string& a, size_t i, const std::string& b, size_t j, size_t& len) {
    size_t la = charLength(a, i), lb = charLength(b, j);
    if (la != lb) return false;
    len = la;
    if (la == 2) return a[i] == b[j] && a[i + 1] == b[j + 1];
    return foldAscii(static_cast<unsigned char>(a[i])) ==
           foldAscii(static_cast<unsigned char>(b[j]));
}

// Plain "*" / "?" match of pattern[0, patternEnd) against the whole name. On a mismatch
// the last "*" takes one more character and the scan resumes after it, which is linear
// per "*" and never recurses.
bool globMatch(const std::string& pattern, size_t patternEnd, const std::string& name) {
    size_t p = 0, n = 0;
    size_t starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        size_t len = 1;
        if (p < patternEnd && pattern[p] == '?') {
            ++p;
            n += charLength(name, n);
        } else if (p < patternEnd && pattern[p] == '*') {
            starP = ++p;
            starN = n;
        } else if (p < patternEnd && sameChar(pattern, p, name, n, len) && p + len <= patternEnd) {
            p += len;
            n += len;
        } else if (starP != std::string::npos) {
            starN += charLength(name, starN);
            p = starP;
            n = starN;
        } else {
            return false;
        }
    }
    while (p < patternEnd && pattern[p] == '*') ++p;
    return p == patternEnd;
}

bool hasDot(const std::string& name) {
    for (size_t i = 0; i < name.size(); i += charLength(name, i))
        if (name[i] == '.') return true;
    return false;
}

}  // namespace

bool matchesPattern(const std::string& pattern, const std::string& name) {
    // Most names fail on their last byte, which a pattern ending in a plain character
    // fixes (a name matched by "x.*" through its dot-less form ends in the wildcard).
    const unsigned char last = pattern.empty() ? 0 : static_cast<unsigned char>(pattern.back());
    if (last != '*' && last != '?' && last != 0 &&
        (name.empty() || foldAscii(static_cast<unsigned char>(name.back())) != foldAscii(last)))
        return false;
    if (globMatch(pattern, pattern.size(), name)) return true;
    // "name.*" also finds "name" itself, as the file system's search does.
    size_t n = pattern.size();
    return n >= 2 && pattern[n - 2] == '.' && pattern[n - 1] == '*' && !hasDot(name) &&
           globMatch(pattern, n - 2, name);
}

bool containsNoCase(const std::string& text, const std::string& part) {
    if (part.empty()) return true;
    for (size_t i = 0; i + part.size() <= text.size(); i += charLength(text, i)) {
        size_t t = i, p = 0, len = 1;
        while (p < part.size() && t < text.size() && sameChar(text, t, part, p, len)) {
            t += len;
            p += len;
        }
        if (p == part.size()) return true;
    }
    return false;
}

std::string foldedName(const std::string& name) {
    std::string folded = name;
    for (size_t i = 0; i < folded.size();) {
        const size_t len = charLength(folded, i);
        if (len == 1 && folded[i] >= 'A' && folded[i] <= 'Z') folded[i] = char(folded[i] - 'A' + 'a');
        i += len;
    }
    return folded;
}

}  // namespace dv

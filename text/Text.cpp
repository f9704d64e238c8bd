#include "text/Text.h"

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

}  // namespace

int firstStartingWith(const std::vector<std::string>& items, const std::string& text) {
    if (text.empty()) return -1;
    const std::string wanted = foldedName(text);
    for (size_t i = 0; i < items.size(); ++i)
        if (foldedName(items[i]).compare(0, wanted.size(), wanted) == 0) return int(i);
    return -1;
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

std::vector<std::string> splitText(const std::string& text, char separator, size_t maxPieces) {
    std::vector<std::string> pieces;
    size_t start = 0, i = 0;
    while (i < text.size()) {
        if (maxPieces > 0 && pieces.size() >= maxPieces) return pieces;
        size_t len = charLength(text, i);
        if (len == 1 && text[i] == separator) {
            pieces.push_back(text.substr(start, i - start));
            start = i + 1;
        }
        i += len;
    }
    if (start < text.size() && (maxPieces == 0 || pieces.size() < maxPieces))
        pieces.push_back(text.substr(start));
    return pieces;
}

}  // namespace dv

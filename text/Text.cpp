#include "text/Text.h"

namespace dv {

namespace textrules {

namespace {
constexpr std::array<bool, 256> highBytes() {
    std::array<bool, 256> bytes{};
    for (size_t b = 0x80; b < bytes.size(); ++b) bytes[b] = true;
    return bytes;
}
}  // namespace

std::array<bool, 256> leadBytes = highBytes();

}  // namespace textrules

void useLeadBytes(const std::array<bool, 256>& leadBytes) {
    for (size_t b = 0; b < leadBytes.size(); ++b) textrules::leadBytes[b] = b >= 0x80 && leadBytes[b];
}

std::string foldedName(const std::string& text) {
    std::string folded = text;
    for (size_t i = 0; i < folded.size();) {
        const size_t len = charLength(folded, i);
        if (len == 1) folded[i] = foldedLetter(folded[i]);
        i += len;
    }
    return folded;
}

bool startsWithNoCase(const std::string& text, const std::string& prefix, size_t at) {
    for (size_t p = 0; p < prefix.size();) {
        const size_t len = at < text.size() ? sameCharLength(text, at, prefix, p) : 0;
        if (len == 0) return false;
        at += len;
        p += len;
    }
    return true;
}

bool sameNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && startsWithNoCase(a, b);
}

size_t findNoCase(const std::string& text, const std::string& part) {
    for (size_t i = 0; i + part.size() <= text.size(); i += charLength(text, i))
        if (startsWithNoCase(text, part, i)) return i;
    return std::string::npos;
}

int firstStartingWith(const std::vector<std::string>& items, const std::string& text) {
    if (text.empty()) return -1;
    for (size_t i = 0; i < items.size(); ++i)
        if (startsWithNoCase(items[i], text)) return int(i);
    return -1;
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

#include "search/Matcher.h"

#include <cstring>

#include "text/Text.h"

namespace dv {

namespace {

// foldedLetter as a byte value. The quick tests below apply it to single bytes of a name
// wherever they stand; a trail byte folded there only lets more names through to the full
// match, which compares character by character.
unsigned char foldedByte(char c) { return static_cast<unsigned char>(foldedLetter(c)); }

// Plain "*" / "?" match of pattern[0, patternEnd) against the whole name. On a mismatch
// the last "*" takes one more character and the scan resumes after it, which is linear
// per "*" and never recurses.
bool globMatch(const std::string& pattern, size_t patternEnd, const std::string& name) {
    size_t p = 0, n = 0;
    size_t starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        size_t len = 0;
        if (p < patternEnd && pattern[p] == '?') {
            ++p;
            n += charLength(name, n);
        } else if (p < patternEnd && pattern[p] == '*') {
            starP = ++p;
            starN = n;
        } else if (p < patternEnd && (len = sameCharLength(pattern, p, name, n)) > 0 &&
                   p + len <= patternEnd) {
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
    const char last = pattern.empty() ? 0 : pattern.back();
    if (last != '*' && last != '?' && last != 0 &&
        (name.empty() || foldedByte(name.back()) != foldedByte(last)))
        return false;
    if (globMatch(pattern, pattern.size(), name)) return true;
    // "name.*" also finds "name" itself, as the file system's search does.
    size_t n = pattern.size();
    return n >= 2 && pattern[n - 2] == '.' && pattern[n - 1] == '*' && !hasDot(name) &&
           globMatch(pattern, n - 2, name);
}

namespace {

// Plain text: no wildcard and no byte of a double-byte character.
bool plainText(const std::string& text) {
    for (char c : text)
        if (c == '*' || c == '?' || static_cast<unsigned char>(c) >= 0x80) return false;
    return !text.empty();
}

// True when the name's last bytes, folded, are `folded`.
bool endsWith(const std::string& name, const std::string& folded) {
    if (name.size() < folded.size()) return false;
    const size_t offset = name.size() - folded.size();
    for (size_t i = folded.size(); i-- > 0;)
        if (foldedLetter(name[offset + i]) != folded[i]) return false;
    return true;
}

// The longest run of plain single-byte text in the pattern (a run holding a double-byte
// character is left out); a run that is only "." counts least, as most names hold one.
std::string longestPlainRun(const std::string& pattern) {
    std::string best, run;
    bool plain = true;
    auto close = [&] {
        const bool better = run.size() > best.size() || (best == "." && !run.empty());
        if (plain && better && !(run == "." && !best.empty())) best = run;
        run.clear();
        plain = true;
    };
    for (char c : pattern) {
        if (c == '*' || c == '?') {
            close();
        } else {
            if (static_cast<unsigned char>(c) >= 0x80) plain = false;
            run += c;
        }
    }
    close();
    return best;
}

unsigned char plainByte(char c) {
    return (c == '*' || c == '?' || static_cast<unsigned char>(c) >= 0x80) ? 0 : foldedByte(c);
}

// True when the name holds `folded` somewhere, its bytes folded.
bool holdsNoCase(const std::string& name, const std::string& folded) {
    if (folded.empty()) return true;
    if (name.size() < folded.size()) return false;
    const char first = folded[0];
    const size_t lastStart = name.size() - folded.size();
    const bool letter = first >= 'a' && first <= 'z';
    for (size_t i = 0; i <= lastStart; ++i) {
        if (!letter) {  // most runs start with a dot, a tilde or the like: find it fast
            const void* at = std::memchr(name.data() + i, first, lastStart - i + 1);
            if (!at) return false;
            i = size_t(static_cast<const char*>(at) - name.data());
        } else if (foldedLetter(name[i]) != first) {
            continue;
        }
        size_t k = 1;
        while (k < folded.size() && foldedLetter(name[i + k]) == folded[k]) ++k;
        if (k == folded.size()) return true;
    }
    return false;
}

}  // namespace

PatternMatcher::PatternMatcher(std::string pattern) : pattern_(std::move(pattern)) {
    const std::string rest = pattern_.empty() ? std::string() : pattern_.substr(1);
    if (!pattern_.empty() && pattern_[0] == '*' && plainText(rest)) {
        form_ = Form::Ending;
        text_ = rest;
    } else if (plainText(pattern_)) {
        form_ = Form::Whole;
        text_ = pattern_;
    } else if (!pattern_.empty()) {
        // "name.*" also finds "name": what every match holds comes from "name".
        const size_t n = pattern_.size();
        const bool dotStar = n >= 2 && pattern_[n - 2] == '.' && pattern_[n - 1] == '*';
        const std::string base = dotStar ? pattern_.substr(0, n - 2) : pattern_;
        text_ = longestPlainRun(base);
        first_ = base.empty() ? 0 : plainByte(base[0]);  // ".*" also finds the empty name
        last_ = plainByte(pattern_.back());
    }
    for (char& c : text_) c = foldedLetter(c);
}

bool PatternMatcher::matches(const std::string& name) const {
    switch (form_) {
        case Form::Whole: return name.size() == text_.size() && endsWith(name, text_);
        case Form::Ending:
            if (!endsWith(name, text_)) return false;
            // A text that starts with a byte below 0x40 starts a character wherever it
            // stands; one that starts with a letter might begin inside a double-byte
            // character, which only the full match can tell.
            return static_cast<unsigned char>(text_[0]) < 0x40 || matchesPattern(pattern_, name);
        case Form::Other:
            if (first_ && (name.empty() || foldedByte(name[0]) != first_)) return false;
            if (last_ && (name.empty() || foldedByte(name.back()) != last_)) return false;
            if (!holdsNoCase(name, text_)) return false;
            break;
    }
    return matchesPattern(pattern_, name);
}

unsigned char PatternMatcher::lastByte() const {
    switch (form_) {
        case Form::Whole:
        case Form::Ending: return static_cast<unsigned char>(text_.back());
        case Form::Other: return last_;
    }
    return 0;
}

PatternList::PatternList(const std::vector<std::string>& patterns) {
    for (const std::string& p : patterns) {
        const auto index = uint32_t(patterns_.size());
        patterns_.emplace_back(p);
        const unsigned char last = patterns_.back().lastByte();
        (last ? byLastByte_[last] : anyLastByte_).push_back(index);
    }
}

void PatternList::collect(const std::string& name, uint32_t item,
                          std::vector<std::pair<uint32_t, uint32_t>>& hits) const {
    if (!name.empty())
        for (uint32_t i : byLastByte_[foldedByte(name.back())])
            if (patterns_[i].matches(name)) hits.emplace_back(i, item);
    for (uint32_t i : anyLastByte_)
        if (patterns_[i].matches(name)) hits.emplace_back(i, item);
}

}  // namespace dv

// Wildcard matching of file names against junk patterns.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace dv {

// "*" matches any run (also none), "?" exactly one character; characters compare under
// the one case rule (text/Text.h). A pattern ending in ".*" also matches a name without a
// dot that matches the part before it.
bool matchesPattern(const std::string& pattern, const std::string& name);

// A pattern prepared once for matching many names, with the answers of matchesPattern:
// the common forms, "*" followed by plain text ("*.tmp") and plain text alone
// ("modemdet.txt"), compare the name's end or the whole name directly; any other
// pattern first rules out names that lack its first or last character or its longest
// run of plain text, and leaves the rest to matchesPattern.
class PatternMatcher {
public:
    explicit PatternMatcher(std::string pattern);
    const std::string& pattern() const { return pattern_; }
    bool matches(const std::string& name) const;

private:
    enum class Form { Ending, Whole, Other };
    std::string pattern_;
    std::string text_;  // Ending, Whole: the plain text; Other: a run every match holds
    unsigned char first_ = 0, last_ = 0;  // Other: the name's first and last byte, or 0
    Form form_ = Form::Other;

public:
    // The byte every matching name ends with, folded by foldedLetter; 0 when it varies.
    unsigned char lastByte() const;
};

// The patterns of a search, prepared to find for one name every pattern it matches
// while trying only the patterns that can: those whose names end as this one does, and
// those whose names may end in anything.
class PatternList {
public:
    explicit PatternList(const std::vector<std::string>& patterns);
    size_t size() const { return patterns_.size(); }
    const std::string& pattern(size_t i) const { return patterns_[i].pattern(); }
    // Adds (pattern index, `item`) for every pattern the name matches.
    void collect(const std::string& name, uint32_t item,
                 std::vector<std::pair<uint32_t, uint32_t>>& hits) const;

private:
    std::vector<PatternMatcher> patterns_;
    std::vector<uint32_t> byLastByte_[256];
    std::vector<uint32_t> anyLastByte_;
};

}  // namespace dv

// Differential test of the wildcard matcher, and of the prepared patterns a search uses,
// against a small reference written for it:
// characters are found by the same double-byte rule, "*" is any run of characters, "?"
// one character, letters A-Z compare without regard to case, other bytes exactly, and a
// pattern ending in ".*" also takes a name without a dot that matches the part before.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "search/Matcher.h"
#include "text/Text.h"

namespace {

std::vector<std::string> characters(const std::string& s) {
    std::vector<std::string> out;
    for (size_t i = 0; i < s.size();) {
        size_t len = dv::charLength(s, i);
        out.push_back(s.substr(i, len));
        i += len;
    }
    return out;
}

std::string upper(std::string c) {
    if (c.size() == 1 && c[0] >= 'a' && c[0] <= 'z') c[0] = char(c[0] - 'a' + 'A');
    return c;
}

// Dynamic programming over (pattern characters, name characters).
bool referenceGlob(const std::vector<std::string>& p, const std::vector<std::string>& n) {
    std::vector<std::vector<char>> m(p.size() + 1, std::vector<char>(n.size() + 1, 0));
    m[p.size()][n.size()] = 1;
    for (size_t i = p.size(); i-- > 0;) {
        for (size_t j = n.size() + 1; j-- > 0;) {
            if (p[i] == "*")
                m[i][j] = m[i + 1][j] || (j < n.size() && m[i][j + 1]);
            else if (j < n.size() && (p[i] == "?" || upper(p[i]) == upper(n[j])))
                m[i][j] = m[i + 1][j + 1];
        }
    }
    return m[0][0];
}

bool reference(const std::string& pattern, const std::string& name) {
    const std::vector<std::string> p = characters(pattern), n = characters(name);
    if (referenceGlob(p, n)) return true;
    if (p.size() < 2 || p[p.size() - 2] != "." || p.back() != "*") return false;
    for (const std::string& c : n)
        if (c == ".") return false;
    return referenceGlob(std::vector<std::string>(p.begin(), p.end() - 2), n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The pattern and the name are separated by the first "/", which neither can hold.
    const std::string bytes(reinterpret_cast<const char*>(data), size > 256 ? 256 : size);
    const size_t cut = bytes.find('/');
    if (cut == std::string::npos) return 0;
    const std::string pattern = bytes.substr(0, cut), name = bytes.substr(cut + 1);
    const bool expected = reference(pattern, name);
    if (dv::matchesPattern(pattern, name) != expected) std::abort();
    // The prepared pattern of a search's pattern list answers the same.
    const dv::PatternList list({pattern});
    std::vector<std::pair<uint32_t, uint32_t>> hits;
    list.collect(name, 0, hits);
    if (hits.empty() == expected) std::abort();
    return 0;
}

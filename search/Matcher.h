// Wildcard matching of file names against junk patterns.
#pragma once
#include <string>

namespace dv {

// "*" matches any run (also none), "?" exactly one character; letters compare without
// regard to case, bytes of double-byte characters exactly. A pattern ending in ".*" also
// matches a name without a dot that matches the part before it.
bool matchesPattern(const std::string& pattern, const std::string& name);

}  // namespace dv

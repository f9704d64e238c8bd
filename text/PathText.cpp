#include "text/PathText.h"

#include "text/Text.h"

namespace dv {

std::string withTrailingBackslash(const std::string& path) {
    bool endsWithSeparator = false;
    for (size_t i = 0; i < path.size();) {
        size_t len = charLength(path, i);
        endsWithSeparator = len == 1 && path[i] == '\\';
        i += len;
    }
    return endsWithSeparator ? path : path + '\\';
}

size_t nameStart(const std::string& path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); i += charLength(path, i))
        if (isPathSeparator(path[i])) start = i + 1;
    return start;
}

}  // namespace dv

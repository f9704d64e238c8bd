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

}  // namespace dv

// Feeds arbitrary bytes to the list-file reader and the text splitting that the pattern
// sets, item texts and column titles go through.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "search/Patterns.h"
#include "text/LineText.h"
#include "text/Text.h"

namespace {

// Splitting loses nothing: the pieces joined by the separator give the text, up to one
// separator at its end.
void checkSplit(const std::string& text, char separator) {
    const std::vector<std::string> pieces = dv::splitText(text, separator);
    std::string joined;
    for (size_t i = 0; i < pieces.size(); ++i) joined += (i ? std::string(1, separator) : "") + pieces[i];
    if (joined == text) return;
    if (joined + separator == text) return;
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    size_t total = 0;
    for (const std::string& line : dv::splitListLines(bytes)) {
        if (line.empty() || line.find_first_of(std::string("\n\0\x1A", 3)) != std::string::npos)
            std::abort();
        total += line.size();
    }
    if (total > bytes.size()) std::abort();

    if (size > 0) {
        const char separator = char(data[0] & 0x3F);  // below 0x40: never a trail byte
        const std::string text = bytes.substr(1);
        checkSplit(text, separator);
        for (size_t max = 1; max <= 3; ++max)
            if (dv::splitText(text, separator, max).size() > max) std::abort();
        const std::string pattern = dv::patternOfItem(text);
        if (pattern.size() >= text.size() && !pattern.empty()) std::abort();
    }
    return 0;
}

#include "text/LineText.h"

namespace dv {

std::vector<std::string> splitListLines(const std::string& bytes, TrailRule rule) {
    std::vector<std::string> lines;
    LineSplitter splitter(rule);
    auto add = [&](const std::string& line) { lines.push_back(line); };
    if (splitter.feed(bytes.data(), bytes.size(), add)) splitter.finish(add);
    return lines;
}

}  // namespace dv

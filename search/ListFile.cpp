#include "search/ListFile.h"

#include <memory>

namespace dv {

namespace {

// Collects lines byte by byte, so a file can be fed in pieces of any size.
class LineSplitter {
public:
    // Feeds bytes; returns false once the text has ended (NUL or 0x1A).
    template <typename OnLine>
    bool feed(const char* data, size_t n, OnLine onLine) {
        for (size_t i = 0; i < n; ++i) {
            const unsigned char c = static_cast<unsigned char>(data[i]);
            if (trailPending_) {
                trailPending_ = false;
                if (c >= 0x40) {  // second byte of a double-byte character: never a line end
                    line_ += static_cast<char>(c);
                    continue;
                }
            }
            if (c == '\n' || c == 0 || c == 0x1A) {
                endLine(onLine);
                if (c != '\n') return false;
                continue;
            }
            line_ += static_cast<char>(c);
            if (c >= 0x80) trailPending_ = true;
        }
        return true;
    }

    template <typename OnLine>
    void finish(OnLine onLine) { endLine(onLine); }

private:
    template <typename OnLine>
    void endLine(OnLine onLine) {
        // A CR is below the trail-byte range, so a last CR is always a real one.
        if (!line_.empty() && line_.back() == '\r') line_.pop_back();
        if (!line_.empty()) onLine(line_);
        line_.clear();
        trailPending_ = false;
    }

    std::string line_;
    bool trailPending_ = false;
};

}  // namespace

std::vector<std::string> splitListLines(const std::string& bytes) {
    std::vector<std::string> lines;
    LineSplitter splitter;
    auto add = [&](const std::string& line) { lines.push_back(line); };
    if (splitter.feed(bytes.data(), bytes.size(), add)) splitter.finish(add);
    return lines;
}

void loadListFile(App& app, const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    std::unique_ptr<File> file = app.fs.open(path, OpenMode::ReadExisting);
    if (!file) return;
    LineSplitter splitter;
    auto add = [&](const std::string& line) {
        app.ui.processPendingMessages();
        lines.push_back(line);
    };
    char buffer[64 * 1024];
    for (;;) {
        size_t n = file->read(buffer, sizeof buffer);
        if (n == 0) {
            splitter.finish(add);
            break;
        }
        if (!splitter.feed(buffer, n, add)) break;
    }
}

}  // namespace dv

#include "search/ListFile.h"

#include <memory>

namespace dv {

namespace {

// Collects lines byte by byte, so a file can be fed in pieces of any size.
class LineSplitter {
public:
    explicit LineSplitter(TrailRule rule = TrailRule::CodePage) : rule_(rule) {}

    // Feeds bytes; returns false once the text has ended (NUL or 0x1A).
    template <typename OnLine>
    bool feed(const char* data, size_t n, OnLine onLine) {
        for (size_t i = 0; i < n; ++i) {
            const unsigned char c = static_cast<unsigned char>(data[i]);
            if (trailPending_) {
                trailPending_ = false;
                if (c >= 0x40 || rule_ == TrailRule::AnyByte) {  // never a line end
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
        // A CR before the LF ends the line even where a high byte took it along.
        if (!line_.empty() && line_.back() == '\r') line_.pop_back();
        if (!line_.empty()) onLine(line_);
        line_.clear();
        trailPending_ = false;
    }

    TrailRule rule_;
    std::string line_;
    bool trailPending_ = false;
};

constexpr char kLineEnd[] = "\r\n";

}  // namespace

std::vector<std::string> splitListLines(const std::string& bytes, TrailRule rule) {
    std::vector<std::string> lines;
    LineSplitter splitter(rule);
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

bool readListFile(App& app, const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    std::unique_ptr<File> file = app.fs.open(path, OpenMode::ReadExisting);
    if (!file) return !app.fs.exists(path);
    const uint64_t size = file->size();
    std::string bytes;
    char buffer[64 * 1024];
    for (size_t n; (n = file->read(buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
    if (bytes.size() != size) return false;
    lines = splitListLines(bytes);
    return true;
}

bool replaceListFile(App& app, const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) text += (i ? kLineEnd : "") + lines[i];
    const std::string fresh = path + ".new";
    bool written = false;
    if (std::unique_ptr<File> file = app.fs.open(fresh, OpenMode::CreateExclusive))
        written = file->write(text.data(), text.size());
    if (written && app.fs.replaceFile(fresh, path)) return true;
    app.fs.deleteFile(fresh);
    return false;
}

bool appendListLine(App& app, const std::string& path, const std::string& line) {
    std::unique_ptr<File> file = app.fs.open(path, OpenMode::AppendShared);
    if (!file) return false;
    // File reads only from the start: stream through it for its last byte.
    char last = '\n', buffer[64 * 1024];
    for (size_t n; (n = file->read(buffer, sizeof buffer)) > 0;) last = buffer[n - 1];
    const std::string text = (last == '\n' ? "" : kLineEnd) + line + kLineEnd;
    return file->seekToEnd() && file->write(text.data(), text.size());
}

}  // namespace dv

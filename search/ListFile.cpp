#include "search/ListFile.h"

#include <memory>

#include "text/LineText.h"

namespace dv {

namespace {

constexpr char kLineEnd[] = "\r\n";

}  // namespace

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

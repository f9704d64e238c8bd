#include "cleanup/BackupRun.h"

#include "cleanup/PlainFile.h"
#include "text/PathText.h"

namespace dv {

namespace {

// The copy is named after column 0, the last part of the full path. A backslash in it
// may be the trail byte of a double-byte character, so it must then match the path's end.
std::string copyNameOf(const std::string& name, const std::string& path) {
    bool plain = !name.empty() && name.find_first_of("/:") == std::string::npos;
    if (plain && name.find('\\') != std::string::npos) {
        const std::string tail = "\\" + name;
        plain = path.size() > tail.size() &&
                path.compare(path.size() - tail.size(), tail.size(), tail) == 0;
    }
    return plain ? name : path.substr(path.rfind('\\') + 1);
}

}  // namespace

BackupRun::BackupRun(App& app, const std::string& folder)
    : app_(app), folder_(withTrailingBackslash(folder)), notes_(app) {}

bool BackupRun::backUpAndDelete(const std::string& name, const std::string& path) {
    NewCopy copy = makeNewCopy(app_, folder_, copyNameOf(name, path), path, numbers_);
    if (!copy.file) return false;
    if (!notes_.note(CopyEntry{copy.path.substr(folder_.size()), path})) {
        app_.fs.discard(copy.file, copy.path);
        return false;
    }
    const bool deleted = clearReadOnlyAndDelete(app_.fs, path);
    if (!deleted && isPlainFile(app_.fs, path)) {
        notes_.takeBack();
        app_.fs.discard(copy.file, copy.path);
        return false;
    }
    notes_.index(path);
    return deleted;
}

void BackupRun::serveWindow() {
    if (!app_.ui.messagesDue()) return;
    notes_.release();
    app_.ui.processPendingMessages();
}

}  // namespace dv

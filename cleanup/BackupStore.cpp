// The backup folder setting, writing BackupRecord copies and the FilePath.dat index.
#include "cleanup/BackupStore.h"

#include <algorithm>
#include <vector>

#include "cleanup/PlainFile.h"
#include "shell/Settings.h"
#include "text/PathText.h"
#include "text/Text.h"

namespace dv {

namespace {

constexpr size_t kChunkBytes = 1 << 20;
constexpr int kMaxCopyNumber = 100000;

std::string textUpToZero(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }

// Writes the header and streams exactly `length` content bytes from `source`; false
// when the source ends early, grows, or a write fails.
bool writeRecord(File& source, File& copy, const std::string& header, uint64_t length) {
    if (!copy.seekToStart() || !copy.write(header.data(), header.size())) return false;
    // A buffer no larger than the file: most junk files are a few KiB.
    std::vector<char> chunk(size_t(std::min<uint64_t>(length, kChunkBytes)));
    uint64_t left = length;
    while (left > 0) {
        size_t want = left < chunk.size() ? size_t(left) : chunk.size();
        size_t got = source.read(chunk.data(), want);
        if (got == 0) return false;
        if (!copy.write(chunk.data(), got)) return false;
        left -= got;
    }
    char extra;
    if (source.read(&extra, 1) != 0) return false;  // changed while being copied
    return copy.size() == header.size() + length;
}

// A source checked and opened for its copy: the record's bytes before the content, and
// the content still to be read.
struct Source {
    std::string header;
    uint64_t length = 0;
    std::unique_ptr<File> in;
};

bool openSource(App& app, const std::string& source, Source& out) {
    if (source.empty()) return false;
    // Recovery only accepts full drive paths; a copy it would refuse is no copy.
    if (!isRecordablePath(source)) return false;
    // Attributes, times and size come from the file opened for its copy, which must be
    // no folder and no link itself; the caller has made sure that no folder on its way is
    // a junction.
    out.in = app.fs.open(source, OpenMode::ReadExisting);
    DirEntry info;
    if (!out.in || !out.in->describe(info) || (info.attributes & (kAttrDirectory | kAttrReparsePoint)))
        return false;
    BackupRecord record;
    record.sourcePath = source;
    record.attributes = info.attributes & kRecordAttributeMask;
    if (!app.system.utcToLocal(info.creation, record.creationTime) ||
        !app.system.utcToLocal(info.lastAccess, record.lastAccessTime) ||
        !app.system.utcToLocal(info.lastWrite, record.lastWriteTime))
        return false;
    out.length = info.size;
    if (out.length > kMaxRecordContent) return false;
    out.header = serializeBackupHeader(record, uint32_t(out.length));
    return true;
}

enum class Made { Written, NameTaken, Failed };

// Creates the copy under exactly this name, only while no file has it, so that nothing
// another program or another start of Dustvane put there is ever emptied. The copy comes
// back still open, with no sharing; a copy that could not be written whole is removed.
Made writeNewCopy(App& app, Source& source, const std::string& copyPath,
                  std::unique_ptr<File>& out) {
    out = app.fs.open(copyPath, OpenMode::CreateNew);
    if (!out) return app.fs.exists(copyPath) ? Made::NameTaken : Made::Failed;
    if (source.in->seekToStart() && writeRecord(*source.in, *out, source.header, source.length))
        return Made::Written;
    app.fs.discard(out, copyPath);
    return Made::Failed;
}

std::string numberedCopyPath(const std::string& folder, const std::string& name, int n) {
    return folder + name + (n == 1 ? "" : "(" + std::to_string(n) + ")") + ".dak";
}

}  // namespace

std::string resolveBackupFolder(App& app) {
    if (regExists(app, kUsers, kSaveFilePathItem)) {
        std::string folder = textUpToZero(regReadBytes(app, kUsers, kSaveFilePathItem));
        if (!folder.empty()) return folder;
    }
    return basePath(app, "\\BackFile");
}

void useBackupMode(App& app) {
    regWriteBytes(app, kUsers, kSaveFilePathItem, basePath(app, "\\BackFile"));
    app.ui.setVisible(Ctl::backupFolderButton, true);
    chooseBackupFolder(app);
}

void chooseBackupFolder(App& app) {
    std::string path = askFolder(app);
    if (path.empty()) return;
    regWriteBytes(app, kUsers, kSaveFilePathItem, path);
    app.ui.setVisible(Ctl::backupFolderButton, false);
}

std::string askFolder(App& app) {
    std::string path = textUpToZero(app.shell.browseForFolder("Please select the folder..."));
    path = withTrailingBackslash(path);
    return path == "\\" ? std::string() : path;
}

bool backupFile(App& app, const std::string& source, const std::string& copyPath) {
    Source in;
    // Only a plain file is copied: never a folder, a link, or a file behind a junction.
    if (copyPath.empty() || sameNoCase(source, copyPath) || !isPlainFile(app.fs, source) ||
        !openSource(app, source, in))
        return false;
    std::unique_ptr<File> out;
    return writeNewCopy(app, in, copyPath, out) == Made::Written;
}

NewCopy makeNewCopy(App& app, const std::string& folder, const std::string& name,
                    const std::string& source, CopyNumbers& numbers) {
    Source in;
    if (!openSource(app, source, in)) return NewCopy{};
    // Each name is tried by creating it: a look first would cost a second search of a
    // folder that may hold thousands of copies.
    int& next = numbers[foldedName(name)];
    for (int n = std::max(next, 1); n <= kMaxCopyNumber; ++n) {
        NewCopy copy{numberedCopyPath(folder, name, n), nullptr};
        const Made made = writeNewCopy(app, in, copy.path, copy.file);
        if (made == Made::Written) {
            next = n + 1;
            return copy;
        }
        if (made == Made::Failed) break;
    }
    return NewCopy{};
}

}  // namespace dv

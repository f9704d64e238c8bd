// The backup folder setting, writing BackupRecord copies and the FilePath.dat index.
#include "cleanup/BackupStore.h"

#include <vector>

#include "cleanup/PlainFile.h"
#include "shell/Settings.h"
#include "text/PathText.h"
#include "text/Text.h"

namespace dv {

namespace {

constexpr size_t kChunkBytes = 1 << 20;
constexpr int kMaxCopyNumber = 100000;

bool sameText(const std::string& a, const std::string& b) { return sameNoCase(a, b); }

std::string textUpToZero(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }

// Writes the header and streams exactly `length` content bytes from `source`; false
// when the source ends early, grows, or a write fails.
bool writeRecord(File& source, File& copy, const std::string& header, uint64_t length) {
    if (!copy.seekToStart() || !copy.write(header.data(), header.size())) return false;
    std::vector<char> chunk(kChunkBytes);
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
    if (source.empty() || copyPath.empty() || sameText(source, copyPath)) return false;
    // Recovery only accepts full drive paths; a copy it would refuse is no copy.
    if (!isRecordablePath(source)) return false;
    // Only a plain file is copied: never a folder, a link, or a file behind a junction.
    if (!isPlainFile(app.fs, source)) return false;
    uint32_t attributes = app.fs.attributes(source);
    if (attributes == kInvalidAttributes) return false;

    BackupRecord record;
    record.sourcePath = source;
    record.attributes = attributes & kRecordAttributeMask;
    FileTime creation = 0, lastAccess = 0, lastWrite = 0;
    if (!app.fs.fileTimes(source, creation, lastAccess, lastWrite)) return false;
    app.ui.processPendingMessages();
    if (!app.system.utcToLocal(creation, record.creationTime) ||
        !app.system.utcToLocal(lastAccess, record.lastAccessTime) ||
        !app.system.utcToLocal(lastWrite, record.lastWriteTime))
        return false;
    app.ui.processPendingMessages();

    std::unique_ptr<File> in = app.fs.open(source, OpenMode::ReadExisting);
    if (!in) return false;
    uint64_t length = in->size();
    if (length > kMaxRecordContent) return false;
    std::string header = serializeBackupHeader(record, uint32_t(length));

    std::unique_ptr<File> out = app.fs.open(copyPath, OpenMode::CreateShared);
    if (!out) return false;
    bool written = writeRecord(*in, *out, header, length);
    out.reset();
    if (!written) app.fs.deleteFile(copyPath);  // never leave a partial copy behind
    return written;
}

void appendIndexLine(App& app, const std::string& path) {
    std::unique_ptr<File> index = app.fs.open(basePath(app, "\\FilePath.dat"), OpenMode::AppendShared);
    if (!index || !index->seekToEnd()) return;
    std::string line = path + "\r\n";
    index->write(line.data(), line.size());
}

std::string freeCopyPath(App& app, const std::string& folder, const std::string& name) {
    std::string path = folder + name + ".dak";
    for (int n = 2; app.fs.exists(path); ++n) {
        if (n > kMaxCopyNumber) return std::string();
        path = folder + name + "(" + std::to_string(n) + ").dak";
    }
    return path;
}

}  // namespace dv

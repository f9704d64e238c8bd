// Files and folders: the operations Dustvane needs of the file system.
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace dv {

// How a file is opened. Each mode names the exact sharing and creation rules the
// program relies on.
enum class OpenMode {
    ReadExisting,       // read; must exist; others may read and write
    ReadWriteExisting,  // read and write; must exist; others may read and write
    CreateShared,       // write; created or truncated; others may read and write
    CreateExclusive,    // write; created or truncated; no sharing while open
    AppendShared,       // read and write; created if missing, never truncated; others may read and write
    CreateNew,          // write; created only when no file of that name exists; no sharing
    ReadClaimed,        // read; must exist; no sharing: opens only what nobody else has open
    Lock,               // created if missing; no sharing; removed when closed
};

class File {
public:
    virtual ~File() = default;
    // Reads up to n bytes; returns how many were read (0 at the end or on failure).
    virtual size_t read(void* buffer, size_t n) = 0;
    // Writes all n bytes; false when fewer could be written.
    virtual bool write(const void* data, size_t n) = 0;
    virtual bool seekToEnd() = 0;
    virtual bool seekToStart() = 0;
    virtual bool seekTo(uint64_t offset) = 0;  // from the start
    virtual uint64_t size() = 0;
    // Cuts the file to `size` bytes (never longer than it is).
    virtual bool setSize(uint64_t size) = 0;
    // Removes the file when this handle closes, so that nobody can open it in between.
    // Only for files opened CreateNew or ReadClaimed.
    virtual bool removeOnClose() = 0;
    // The open file's attributes, three times and size, as a directory search would show
    // them (no name).
    virtual bool describe(DirEntry& out) = 0;
    // Sets the three times and the attributes of a file open for writing, in one step.
    virtual bool setTimesAndAttributes(FileTime creation, FileTime lastAccess,
                                       FileTime lastWrite, uint32_t attributes) = 0;
    // Waits until everything written through this handle is on the disk.
    virtual bool flush() = 0;
    // Gives the file, opened CreateNew, a new full path on its volume; never replaces a
    // file of that name.
    virtual bool renameTo(const std::string& path) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual std::string currentDirectory() = 0;
    virtual bool setCurrentDirectory(const std::string& path) = 0;

    // Every entry of one folder ("." and ".." included when the platform reports them),
    // in the order the file system returns them, from a single enumeration of folder + "*".
    // The folder ends in "\". False when the folder cannot be read. Here and in findFiles,
    // an entry whose name as the program sees it would name another file is left out.
    virtual bool listFolder(const std::string& folder, std::vector<DirEntry>& out) = 0;

    // True when listFolder may be called from a second thread while other threads use
    // this file system too; the search then lists folders ahead of its walk.
    virtual bool listsFromAnyThread() const { return false; }

    // The platform's own wildcard directory search on a full pattern path
    // (folder + pattern), in file-system order.
    virtual bool findFiles(const std::string& patternPath, std::vector<DirEntry>& out) = 0;

    // The entry of one exact path, as a directory search would show it. False for a path
    // with a wildcard in it.
    virtual bool findEntry(const std::string& path, DirEntry& out) = 0;

    virtual uint32_t attributes(const std::string& path) = 0;  // kInvalidAttributes when missing
    virtual bool setAttributes(const std::string& path, uint32_t attributes) = 0;
    virtual bool deleteFile(const std::string& path) = 0;
    // Removes a folder that holds nothing (RemoveDirectoryA); false for any other.
    virtual bool removeEmptyFolder(const std::string& path) = 0;

    // The three times of a file, opened for attribute access only (no sharing).
    virtual bool fileTimes(const std::string& path, FileTime& creation, FileTime& lastAccess,
                           FileTime& lastWrite) = 0;
    // Sets the three times; the file is opened for writing with no sharing.
    virtual bool setFileTimes(const std::string& path, FileTime creation, FileTime lastAccess,
                              FileTime lastWrite) = 0;

    virtual std::unique_ptr<File> open(const std::string& path, OpenMode mode) = 0;

    // Puts the file `from` in the place of `to` in one step, replacing `to` when it exists
    // (MoveFileExA with MOVEFILE_REPLACE_EXISTING and MOVEFILE_WRITE_THROUGH, after the
    // content of `from` has reached the disk). False leaves both as they were.
    virtual bool replaceFile(const std::string& from, const std::string& to) = 0;

    bool exists(const std::string& path) { return attributes(path) != kInvalidAttributes; }

    // Removes a file this program created (CreateNew) and no longer wants, through its own
    // handle so that nobody gets at it in between; by its name where that cannot be done.
    // The handle is closed.
    void discard(std::unique_ptr<File>& file, const std::string& path) {
        const bool removing = file && file->removeOnClose();
        file.reset();
        if (!removing) deleteFile(path);
    }
};

}  // namespace dv

// The file system through the ANSI kernel32 functions.
#pragma once
#include "platform/FileSystem.h"

namespace dv {

class Win32FileSystem : public FileSystem {
public:
    // Names come in the process's ANSI code page, fixed for the life of the process: the
    // first file system made hands its lead bytes to the text rules (text/Text.h), which
    // every name comparison follows.
    Win32FileSystem();
    std::string currentDirectory() override;
    bool setCurrentDirectory(const std::string& path) override;
    // An empty folder (no entry at all) gives true and an empty list; a missing or
    // unreadable folder gives false. findFiles gives false when nothing matches.
    bool listFolder(const std::string& folder, std::vector<DirEntry>& out) override;
    bool listsFromAnyThread() const override { return true; }
    bool findFiles(const std::string& patternPath, std::vector<DirEntry>& out) override;
    // False for a path holding a wildcard: it names no one file.
    bool findEntry(const std::string& path, DirEntry& out) override;
    uint32_t attributes(const std::string& path) override;
    bool setAttributes(const std::string& path, uint32_t attributes) override;
    bool deleteFile(const std::string& path) override;
    bool removeEmptyFolder(const std::string& path) override;
    bool fileTimes(const std::string& path, FileTime& creation, FileTime& lastAccess,
                   FileTime& lastWrite) override;
    bool setFileTimes(const std::string& path, FileTime creation, FileTime lastAccess,
                      FileTime lastWrite) override;
    std::unique_ptr<File> open(const std::string& path, OpenMode mode) override;
    bool replaceFile(const std::string& from, const std::string& to) override;
};

}  // namespace dv

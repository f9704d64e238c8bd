// An in-memory file system with the rules the program relies on: case-insensitive
// names that keep their stored case, "." and ".." in every non-root folder, attributes,
// three times per entry, sharing of open files, and switches to make operations fail.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace dv {

class FakeFileSystem : public FileSystem {
public:
    struct Node {
        std::string name;
        bool folder = false;
        uint32_t attributes = 0;
        std::string content;
        uint64_t sizeOverride = 0;  // reported size when larger than the content (huge files)
        FileTime creation = 0, lastAccess = 0, lastWrite = 0;
        std::vector<std::string> children;  // folded full paths, in creation order
        int openCount = 0;
        bool openExclusive = false;
        bool unflushed = false;  // written through a handle that was not flushed after
    };

    FakeFileSystem();

    // Building a tree. Missing parent folders are created. Times default to `defaultTime`.
    void addFolder(const std::string& path, uint32_t attributes = kAttrDirectory);
    void addFile(const std::string& path, const std::string& content = "",
                 uint32_t attributes = kAttrArchive);
    void setTimes(const std::string& path, FileTime creation, FileTime lastAccess, FileTime lastWrite);
    void setReportedSize(const std::string& path, uint64_t size);
    std::string content(const std::string& path) const;
    const Node* node(const std::string& path) const;
    std::vector<std::string> childNames(const std::string& folder) const;
    // Removes a file or a whole folder tree, as the shell's delete would.
    bool removeTree(const std::string& path);

    // Failure switches.
    std::set<std::string> unreadable;   // folded paths whose content cannot be opened
    std::set<std::string> undeletable;  // folded paths DeleteFile refuses
    bool failReplace = false;           // every replaceFile fails
    // Runs just before a CreateNew open: another program taking the name at that moment.
    std::function<void(const std::string& path)> beforeCreateNew;
    long long writeBudget = -1;         // bytes that may still be written; -1 unlimited
    FileTime defaultTime = 0;

    // Lets the search list folders from a second thread: the fake is only read while a
    // walk runs.
    bool readsFromAnyThread = false;

    // Counters.
    int listFolderCalls = 0;  // counted under a lock: a second thread may list too
    int findFilesCalls = 0;
    std::vector<std::string> deleted;   // paths passed to a successful deleteFile
    std::vector<std::string> movedUnflushed;  // files named before their content was flushed

    // FileSystem
    std::string currentDirectory() override { return cwd_; }
    bool setCurrentDirectory(const std::string& path) override;
    bool listFolder(const std::string& folder, std::vector<DirEntry>& out) override;
    bool listsFromAnyThread() const override { return readsFromAnyThread; }
    bool findFiles(const std::string& patternPath, std::vector<DirEntry>& out) override;
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

    static std::string fold(const std::string& path);
    // The rename of a file open as `key` (folded), as its handle makes it.
    bool renameOpen(const std::string& key, const std::string& to, bool unflushed);

private:
    friend class FakeFile;
    Node* find(const std::string& path);
    const Node* find(const std::string& path) const;
    Node& ensureFolder(const std::string& path);
    Node& createFile(const std::string& path);
    DirEntry entryOf(const Node& n) const;
    bool removeNode(const std::string& folded);

    std::map<std::string, Node> nodes_;  // key: folded full path without trailing "\"
    std::string cwd_ = "C:\\";
};

}  // namespace dv

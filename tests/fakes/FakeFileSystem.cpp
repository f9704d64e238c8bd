#include "tests/fakes/FakeFileSystem.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <mutex>

namespace dv {

namespace {

std::string trimSlash(const std::string& p) {
    std::string s = p;
    while (s.size() > 3 && s.back() == '\\') s.pop_back();
    if (s.size() == 3 && s[1] == ':' && s[2] == '\\') return s.substr(0, 2);
    if (s.size() > 2 && s.back() == '\\') s.pop_back();
    return s;
}

std::string parentOf(const std::string& p) {
    size_t cut = p.rfind('\\');
    if (cut == std::string::npos) return std::string();
    return p.substr(0, cut);
}

std::string leafOf(const std::string& p) {
    size_t cut = p.rfind('\\');
    return cut == std::string::npos ? p : p.substr(cut + 1);
}

// Simple wildcard search as a platform would do it on long names only.
bool globMatch(const char* p, const char* n) {
    if (*p == 0) return *n == 0;
    if (*p == '*') {
        for (const char* s = n;; ++s) {
            if (globMatch(p + 1, s)) return true;
            if (*s == 0) return false;
        }
    }
    if (*n == 0) return false;
    if (*p == '?' || std::tolower((unsigned char)*p) == std::tolower((unsigned char)*n))
        return globMatch(p + 1, n + 1);
    return false;
}

}  // namespace

class FakeFile : public File {
public:
    FakeFile(FakeFileSystem& fs, std::string key, bool exclusive, bool canWrite, bool removeAtClose)
        : fs_(fs), key_(std::move(key)), exclusive_(exclusive), canWrite_(canWrite),
          removeAtClose_(removeAtClose) {}
    ~FakeFile() override {
        if (auto* n = fs_.find(key_)) {
            n->unflushed = n->unflushed || unflushed_;
            n->openCount--;
            if (exclusive_) n->openExclusive = false;
            if (removeAtClose_ && n->openCount == 0) fs_.removeNode(key_);
        }
    }
    size_t read(void* buffer, size_t n) override {
        auto* node = fs_.find(key_);
        if (!node || pos_ >= node->content.size()) return 0;
        size_t take = std::min(n, node->content.size() - pos_);
        std::memcpy(buffer, node->content.data() + pos_, take);
        pos_ += take;
        return take;
    }
    bool write(const void* data, size_t n) override {
        auto* node = fs_.find(key_);
        if (!node || !canWrite_) return false;
        size_t allowed = n;
        if (fs_.writeBudget >= 0) allowed = std::min<size_t>(n, size_t(fs_.writeBudget));
        if (node->content.size() < pos_ + allowed) node->content.resize(pos_ + allowed);
        std::memcpy(&node->content[pos_], data, allowed);
        pos_ += allowed;
        unflushed_ = true;
        if (fs_.writeBudget >= 0) fs_.writeBudget -= (long long)allowed;
        return allowed == n;
    }
    bool seekToEnd() override {
        auto* node = fs_.find(key_);
        if (!node) return false;
        pos_ = node->content.size();
        return true;
    }
    bool seekToStart() override { return seekTo(0); }
    bool seekTo(uint64_t offset) override {
        pos_ = size_t(offset);
        return true;
    }
    uint64_t size() override {
        auto* node = fs_.find(key_);
        return node ? std::max<uint64_t>(node->content.size(), node->sizeOverride) : 0;
    }
    bool setSize(uint64_t size) override {
        auto* node = fs_.find(key_);
        if (!node || !canWrite_ || size > node->content.size()) return false;
        node->content.resize(size_t(size));
        return true;
    }
    bool removeOnClose() override {
        auto* node = fs_.find(key_);
        if (!node || (node->attributes & kAttrReadOnly) || fs_.undeletable.count(key_)) return false;
        removeAtClose_ = true;
        return true;
    }
    bool describe(DirEntry& out) override {
        auto* node = fs_.find(key_);
        if (!node) return false;
        out = fs_.entryOf(*node);
        out.name.clear();
        return true;
    }
    bool renameTo(const std::string& path) override {
        if (!fs_.renameOpen(key_, path, unflushed_)) return false;
        key_ = FakeFileSystem::fold(path);
        return true;
    }
    bool setTimesAndAttributes(FileTime creation, FileTime lastAccess, FileTime lastWrite,
                               uint32_t attributes) override {
        auto* node = fs_.find(key_);
        if (!node || !canWrite_) return false;
        node->creation = creation;
        node->lastAccess = lastAccess;
        node->lastWrite = lastWrite;
        node->attributes = attributes;
        return true;
    }
    // Called from any thread: it touches this handle only.
    bool flush() override {
        unflushed_ = false;
        return canWrite_;
    }

private:
    FakeFileSystem& fs_;
    std::string key_;
    bool exclusive_;
    bool canWrite_;
    bool removeAtClose_;
    size_t pos_ = 0;
    bool unflushed_ = false;
};

FakeFileSystem::FakeFileSystem() {}

std::string FakeFileSystem::fold(const std::string& path) {
    std::string s = trimSlash(path);
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char c = (unsigned char)s[i];
        if (c >= 0x80) {  // a double-byte character compares exactly
            ++i;
            continue;
        }
        s[i] = (char)std::tolower(c);
    }
    return s;
}

FakeFileSystem::Node* FakeFileSystem::find(const std::string& path) {
    auto it = nodes_.find(fold(path));
    return it == nodes_.end() ? nullptr : &it->second;
}

const FakeFileSystem::Node* FakeFileSystem::find(const std::string& path) const {
    auto it = nodes_.find(fold(path));
    return it == nodes_.end() ? nullptr : &it->second;
}

const FakeFileSystem::Node* FakeFileSystem::node(const std::string& path) const { return find(path); }

FakeFileSystem::Node& FakeFileSystem::ensureFolder(const std::string& path) {
    std::string p = trimSlash(path);
    std::string key = fold(p);
    auto it = nodes_.find(key);
    if (it != nodes_.end()) return it->second;
    std::string parent = parentOf(p);
    if (!parent.empty()) {
        Node& par = ensureFolder(parent);
        par.children.push_back(key);
    }
    Node& n = nodes_[key];
    n.name = leafOf(p);
    n.folder = true;
    n.attributes = kAttrDirectory;
    n.creation = n.lastAccess = n.lastWrite = defaultTime;
    return n;
}

FakeFileSystem::Node& FakeFileSystem::createFile(const std::string& path) {
    std::string key = fold(path);
    auto it = nodes_.find(key);
    if (it != nodes_.end()) return it->second;
    Node& par = ensureFolder(parentOf(trimSlash(path)));
    par.children.push_back(key);
    Node& n = nodes_[key];
    n.name = leafOf(trimSlash(path));
    n.attributes = kAttrArchive;
    n.creation = n.lastAccess = n.lastWrite = defaultTime;
    return n;
}

void FakeFileSystem::addFolder(const std::string& path, uint32_t attributes) {
    ensureFolder(path).attributes = attributes | kAttrDirectory;
}

void FakeFileSystem::addFile(const std::string& path, const std::string& content, uint32_t attributes) {
    Node& n = createFile(path);
    n.content = content;
    n.attributes = attributes;
}

void FakeFileSystem::setTimes(const std::string& path, FileTime c, FileTime a, FileTime w) {
    if (Node* n = find(path)) {
        n->creation = c;
        n->lastAccess = a;
        n->lastWrite = w;
    }
}

void FakeFileSystem::setReportedSize(const std::string& path, uint64_t size) {
    if (Node* n = find(path)) n->sizeOverride = size;
}

std::string FakeFileSystem::content(const std::string& path) const {
    const Node* n = find(path);
    return n ? n->content : std::string();
}

std::vector<std::string> FakeFileSystem::childNames(const std::string& folder) const {
    std::vector<std::string> out;
    if (const Node* n = find(folder))
        for (const auto& k : n->children) out.push_back(nodes_.at(k).name);
    return out;
}

bool FakeFileSystem::setCurrentDirectory(const std::string& path) {
    const Node* n = find(path);
    if (!n || !n->folder) return false;
    cwd_ = trimSlash(path);
    return true;
}

DirEntry FakeFileSystem::entryOf(const Node& n) const {
    DirEntry e;
    e.name = n.name;
    e.attributes = n.attributes;
    e.size = n.folder ? 0 : std::max<uint64_t>(n.content.size(), n.sizeOverride);
    e.creation = n.creation;
    e.lastAccess = n.lastAccess;
    e.lastWrite = n.lastWrite;
    return e;
}

bool FakeFileSystem::listFolder(const std::string& folder, std::vector<DirEntry>& out) {
    {
        static std::mutex counting;
        std::lock_guard<std::mutex> lock(counting);
        ++listFolderCalls;
    }
    out.clear();
    const Node* n = find(folder);
    if (!n || !n->folder) return false;
    if (trimSlash(folder).size() > 2) {  // not a drive root
        DirEntry dot;
        dot.name = ".";
        dot.attributes = kAttrDirectory;
        out.push_back(dot);
        dot.name = "..";
        out.push_back(dot);
    }
    for (const auto& k : n->children) out.push_back(entryOf(nodes_.at(k)));
    return true;
}

bool FakeFileSystem::findFiles(const std::string& patternPath, std::vector<DirEntry>& out) {
    ++findFilesCalls;
    out.clear();
    std::string folder = parentOf(patternPath);
    std::string pattern = leafOf(patternPath);
    std::vector<DirEntry> all;
    if (!listFolder(folder.size() == 2 ? folder + "\\" : folder, all)) return false;
    --listFolderCalls;
    for (const auto& e : all)
        if (globMatch(pattern.c_str(), e.name.c_str())) out.push_back(e);
    return !out.empty();
}

bool FakeFileSystem::findEntry(const std::string& path, DirEntry& out) {
    if (path.find_first_of("*?") != std::string::npos) return false;
    const Node* n = find(path);
    if (!n) return false;
    out = entryOf(*n);
    return true;
}

uint32_t FakeFileSystem::attributes(const std::string& path) {
    const Node* n = find(path);
    return n ? n->attributes : kInvalidAttributes;
}

bool FakeFileSystem::setAttributes(const std::string& path, uint32_t attributes) {
    Node* n = find(path);
    if (!n) return false;
    n->attributes = (attributes & ~kAttrNormal) | (n->folder ? kAttrDirectory : 0);
    return true;
}

bool FakeFileSystem::removeNode(const std::string& key) {
    auto it = nodes_.find(key);
    if (it == nodes_.end()) return false;
    std::string parent = parentOf(key);
    if (auto p = nodes_.find(parent); p != nodes_.end()) {
        auto& ch = p->second.children;
        ch.erase(std::remove(ch.begin(), ch.end(), key), ch.end());
    }
    nodes_.erase(it);
    return true;
}

bool FakeFileSystem::removeTree(const std::string& path) {
    Node* n = find(path);
    if (!n) return false;
    const std::string key = fold(trimSlash(path));
    for (const std::string& child : std::vector<std::string>(n->children)) removeTree(child);
    return removeNode(key);
}

bool FakeFileSystem::deleteFile(const std::string& path) {
    std::string key = fold(path);
    Node* n = find(path);
    if (!n || n->folder || (n->attributes & kAttrReadOnly) || n->openCount > 0 ||
        undeletable.count(key))
        return false;
    deleted.push_back(path);
    return removeNode(key);
}

bool FakeFileSystem::removeEmptyFolder(const std::string& path) {
    const Node* n = find(path);
    return n && n->folder && n->children.empty() && removeNode(fold(trimSlash(path)));
}

bool FakeFileSystem::fileTimes(const std::string& path, FileTime& c, FileTime& a, FileTime& w) {
    const Node* n = find(path);
    if (!n || n->openCount > 0) return false;
    c = n->creation;
    a = n->lastAccess;
    w = n->lastWrite;
    return true;
}

bool FakeFileSystem::setFileTimes(const std::string& path, FileTime c, FileTime a, FileTime w) {
    Node* n = find(path);
    if (!n || n->folder || n->openCount > 0 || (n->attributes & kAttrReadOnly)) return false;
    n->creation = c;
    n->lastAccess = a;
    n->lastWrite = w;
    return true;
}

std::unique_ptr<File> FakeFileSystem::open(const std::string& path, OpenMode mode) {
    if (mode == OpenMode::CreateNew && beforeCreateNew) beforeCreateNew(path);
    std::string key = fold(path);
    Node* n = find(path);
    bool writes = mode != OpenMode::ReadExisting && mode != OpenMode::ReadClaimed;
    bool exclusive = mode == OpenMode::CreateExclusive || mode == OpenMode::CreateNew ||
                     mode == OpenMode::ReadClaimed || mode == OpenMode::Lock;
    if (n && (n->folder || n->openExclusive || (exclusive && n->openCount > 0))) return nullptr;
    if (n && writes && (n->attributes & kAttrReadOnly)) return nullptr;
    switch (mode) {
        case OpenMode::ReadExisting:
        case OpenMode::ReadWriteExisting:
        case OpenMode::ReadClaimed:
            if (!n || unreadable.count(key)) return nullptr;
            break;
        case OpenMode::CreateNew: {
            const Node* parent = find(parentOf(trimSlash(path)));
            if (n || !parent || !parent->folder) return nullptr;
            n = &createFile(path);
            break;
        }
        case OpenMode::CreateShared:
        case OpenMode::CreateExclusive: {
            const Node* parent = find(parentOf(trimSlash(path)));
            if (!parent || !parent->folder) return nullptr;
            n = &createFile(path);
            n->content.clear();
            n->sizeOverride = 0;
            break;
        }
        case OpenMode::AppendShared:
        case OpenMode::Lock: {
            const Node* parent = find(parentOf(trimSlash(path)));
            if (!n && (!parent || !parent->folder)) return nullptr;
            n = &createFile(path);
            break;
        }
    }
    n->openCount++;
    if (exclusive) n->openExclusive = true;
    return std::make_unique<FakeFile>(*this, key, exclusive, writes, mode == OpenMode::Lock);
}

bool FakeFileSystem::replaceFile(const std::string& from, const std::string& to) {
    Node* source = find(from);
    Node* target = find(to);
    if (failReplace || !source || source->folder || source->openCount > 0) return false;
    if (target && (target->folder || target->openCount > 0 ||
                   (target->attributes & kAttrReadOnly) || undeletable.count(fold(to))))
        return false;
    if (fold(from) == fold(to)) return true;
    Node moved = *source;
    removeNode(fold(from));
    Node& placed = createFile(to);
    placed.content = std::move(moved.content);
    placed.attributes = moved.attributes;
    placed.sizeOverride = moved.sizeOverride;
    placed.creation = moved.creation;
    placed.lastAccess = moved.lastAccess;
    placed.lastWrite = moved.lastWrite;
    return true;
}

bool FakeFileSystem::renameOpen(const std::string& key, const std::string& to, bool unflushed) {
    const Node* parent = find(parentOf(trimSlash(to)));
    auto it = nodes_.find(key);
    if (find(to) || !parent || !parent->folder || it == nodes_.end()) return false;
    if (unflushed || it->second.unflushed) movedUnflushed.push_back(to);
    Node moved = std::move(it->second);
    removeNode(key);
    Node& placed = createFile(to);
    moved.name = placed.name;
    placed = std::move(moved);
    return true;
}

}  // namespace dv

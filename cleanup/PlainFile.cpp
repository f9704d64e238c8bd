#include "cleanup/PlainFile.h"

#include <vector>

#include "text/PathText.h"
#include "text/Text.h"

namespace dv {

namespace {

// Byte positions of the separators that end each folder of the path below its root
// ("X:\" or "\\server\share\"), in order, and whether the path ends in a separator.
// A trail byte of a double-byte character is never taken for a separator.
std::vector<size_t> folderEnds(const std::string& path, bool& endsWithSeparator) {
    std::vector<size_t> ends;
    endsWithSeparator = false;
    size_t rootSeparators = 0;
    if (path.size() >= 3 && path[1] == ':' && isPathSeparator(path[2]))
        rootSeparators = 1;  // "X:\"
    else if (path.size() >= 2 && isPathSeparator(path[0]) && isPathSeparator(path[1]))
        rootSeparators = 4;  // "\\server\share\"
    size_t seen = 0;
    for (size_t i = 0; i < path.size();) {
        size_t len = charLength(path, i);
        bool separator = len == 1 && isPathSeparator(path[i]);
        if (separator && ++seen > rootSeparators && i > 0 && !endsWithSeparator)
            ends.push_back(i);
        endsWithSeparator = separator;
        i += len;
    }
    return ends;
}

// "." and ".." walk around the tree; no path the program lists or backs up holds them.
bool hasDotPart(const std::string& path) {
    size_t start = 0;
    for (size_t i = 0;; ) {
        const bool end = i == path.size();
        const size_t len = end ? 1 : charLength(path, i);
        if (end || (len == 1 && isPathSeparator(path[i]))) {
            const std::string part = path.substr(start, i - start);
            if (part == "." || part == "..") return true;
            if (end) return false;
            start = i + 1;
        }
        i += len;
    }
}

}  // namespace

PathKind lookUpPath(FileSystem& fs, const std::string& path, size_t trusted) {
    bool endsWithSeparator = false;
    const std::vector<size_t> ends = folderEnds(path, endsWithSeparator);
    if (path.empty() || endsWithSeparator || hasDotPart(path)) return PathKind::NotPlain;
    for (size_t end : ends) {
        if (end <= trusted) continue;
        uint32_t folder = fs.attributes(path.substr(0, end));
        if (folder == kInvalidAttributes || !(folder & kAttrDirectory)) return PathKind::NoFolder;
        if (folder & kAttrReparsePoint) return PathKind::NotPlain;
    }
    uint32_t attributes = fs.attributes(path);
    if (attributes == kInvalidAttributes) return PathKind::Missing;
    if (attributes & (kAttrDirectory | kAttrReparsePoint)) return PathKind::NotPlain;
    return PathKind::PlainFile;
}

bool isPlainFolder(FileSystem& fs, const std::string& path) {
    bool endsWithSeparator = false;
    std::vector<size_t> ends = folderEnds(path, endsWithSeparator);
    if (path.empty() || hasDotPart(path)) return false;
    if (!endsWithSeparator) ends.push_back(path.size());
    for (size_t end : ends) {
        const uint32_t folder = fs.attributes(path.substr(0, end));
        if (folder == kInvalidAttributes || !(folder & kAttrDirectory) ||
            (folder & kAttrReparsePoint))
            return false;
    }
    return !ends.empty();
}

bool clearReadOnlyAndDelete(FileSystem& fs, const std::string& path) {
    return isPlainFile(fs, path) && clearReadOnlyAndDeletePlain(fs, path);
}

bool clearReadOnlyAndDeletePlain(FileSystem& fs, const std::string& path) {
    const uint32_t attributes = fs.attributes(path);
    const uint32_t settable = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;
    const bool cleared = attributes != kInvalidAttributes && (attributes & kAttrReadOnly);
    if (cleared) fs.setAttributes(path, attributes & settable & ~kAttrReadOnly);
    if (fs.deleteFile(path)) return true;
    if (cleared && isPlainFile(fs, path)) fs.setAttributes(path, attributes & settable);
    return false;
}

}  // namespace dv

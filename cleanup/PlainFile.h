// The one look-up every delete, recycle, backup copy and restore makes just before it
// acts. A listed path can change meaning after the search: another program may put a
// folder or a link in its place, or turn a folder on the way into a junction. The shell's
// delete moves whatever the path names (a whole folder, or a link's target), so nothing
// acts on a path that is not, at that moment, a plain file reached through plain folders.
#pragma once
#include <string>

#include "platform/FileSystem.h"

namespace dv {

enum class PathKind {
    PlainFile,  // a file, no reparse point, every folder on the way a plain folder
    Missing,    // every folder on the way is plain, but nothing is at the path
    NoFolder,   // a folder on the way is missing
    NotPlain,   // a folder, a reparse point, or reached through a reparse point
};

// Folders of the path that end within its first `trusted` bytes are taken as they are (a
// cleaner's own folder may be reached through a link); every folder below is looked at.
PathKind lookUpPath(FileSystem& fs, const std::string& path, size_t trusted = 0);

inline bool isPlainFile(FileSystem& fs, const std::string& path) {
    return lookUpPath(fs, path) == PathKind::PlainFile;
}

// A folder, no reparse point, reached through plain folders.
bool isPlainFolder(FileSystem& fs, const std::string& path);

// A file may be written at the path: every folder on the way is a plain folder and the
// path itself is missing or a plain file.
inline bool isSafeWriteTarget(FileSystem& fs, const std::string& path) {
    PathKind kind = lookUpPath(fs, path);
    return kind == PathKind::PlainFile || kind == PathKind::Missing;
}

// Deletes the plain file at the path, clearing its read-only bit first; true when it went.
// A file that stays (another program holds it open) gets its read-only bit back: only a
// file that goes loses it.
bool clearReadOnlyAndDelete(FileSystem& fs, const std::string& path);
// The same for a path the caller has just looked up as a plain file.
bool clearReadOnlyAndDeletePlain(FileSystem& fs, const std::string& path);

}  // namespace dv

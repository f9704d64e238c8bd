// Plain value types shared by the platform interfaces and the subsystems.
#pragma once
#include <cstdint>
#include <string>

namespace dv {

// A point in time as the file system keeps it: 100-ns intervals since 1601-01-01 UTC.
using FileTime = uint64_t;

// Broken-down date and time, word for word in the system's SYSTEMTIME order.
struct SystemTime {
    uint16_t year = 0, month = 0, dayOfWeek = 0, day = 0;
    uint16_t hour = 0, minute = 0, second = 0, milliseconds = 0;
};

// File attribute bits, numerically equal to the system's.
constexpr uint32_t kAttrReadOnly = 0x1;
constexpr uint32_t kAttrHidden = 0x2;
constexpr uint32_t kAttrSystem = 0x4;
constexpr uint32_t kAttrDirectory = 0x10;
constexpr uint32_t kAttrArchive = 0x20;
constexpr uint32_t kAttrNormal = 0x80;
constexpr uint32_t kAttrReparsePoint = 0x400;
constexpr uint32_t kInvalidAttributes = 0xFFFFFFFFu;

// One directory entry as the platform's directory search reports it.
struct DirEntry {
    std::string name;
    uint32_t attributes = 0;
    uint64_t size = 0;
    FileTime creation = 0, lastAccess = 0, lastWrite = 0;
    bool isFolder() const { return (attributes & kAttrDirectory) != 0; }
};

// What kind of drive a letter holds, as the system's drive-type query tells it.
enum class DriveKind { None, Fixed, Removable, Network, Optical, RamDisk, Unknown };

// A folder a walk of the tree enters: not "." or "..", no dot folder (".svn"), and no
// reparse point (a junction or a link may lead back up the tree, or anywhere).
inline bool enterableFolder(const DirEntry& entry) {
    return entry.isFolder() && !entry.name.empty() && entry.name[0] != '.' &&
           (entry.attributes & kAttrReparsePoint) == 0;
}

// Registry roots as the program numbers them.
enum RegRoot : int {
    kClassesRoot = 1,
    kCurrentConfig = 2,
    kCurrentUser = 3,
    kLocalMachine = 4,
    kUsers = 5,
};

// Registry value types, numerically equal to the system's.
constexpr uint32_t kRegNone = 0;
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;

}  // namespace dv

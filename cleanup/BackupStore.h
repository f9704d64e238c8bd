// The backup folder, BackupRecord copies and the FilePath.dat index.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/Types.h"
#include "shell/App.h"

namespace dv {

struct BackupRecord {
    std::string sourcePath;
    uint32_t attributes = 0;
    SystemTime creationTime, lastAccessTime, lastWriteTime;  // local time
    std::string content;
};

// Record layout: path, zero byte, 4 attribute bytes, three 16-byte times, 4-byte length,
// content. Everything but the path and the content takes 57 bytes.
constexpr size_t kRecordFixedBytes = 57;
constexpr uint32_t kRecordAttributeMask = 0x37;
constexpr size_t kMaxRecordPath = 32767;
constexpr uint64_t kMaxRecordContent = 0xFFFFFFFFull;

// The record's bytes exactly as stored on disk.
std::string serializeBackupRecord(const BackupRecord& record);
// The bytes before the content, with `contentLength` as the length field.
std::string serializeBackupHeader(const BackupRecord& record, uint32_t contentLength);
// Parses the part before the content from the first bytes of a record file; fills
// everything but `content`. headerSize is n + 57.
bool parseBackupHeader(const std::string& bytes, BackupRecord& record, size_t& headerSize,
                       uint32_t& contentLength);
// Parses a whole record file; false unless it is exactly one well-formed record.
bool parseBackupRecord(const std::string& bytes, BackupRecord& record);
// A full drive path ("X:\...") without characters no file name can hold.
bool isRecordablePath(const std::string& path);

std::string resolveBackupFolder(App& app);
void useBackupMode(App& app);       // backupModeRadio clicked
void chooseBackupFolder(App& app);  // backupFolderButton clicked
std::string askFolder(App& app);
bool backupFile(App& app, const std::string& source, const std::string& copyPath);

// A copy just made, still open with no sharing: nobody can take it away or read it half
// done until the caller lets it go (or removes it, File::removeOnClose).
struct NewCopy {
    std::string path;
    std::unique_ptr<File> file;  // null: no copy was made
};
// For each copy name (folded), the first number a run has not yet found taken.
using CopyNumbers = std::unordered_map<std::string, int>;
// Backs the source up into a folder ending in "\" under the first free copy name:
// name.dak, then name(2).dak, name(3).dak ...; a name that another program takes in the
// meantime is passed over for the next number. A run starts each name at the number after
// the last one it took. The caller has just looked the source up as a plain file
// (lookUpPath): no folder on its way is a junction or link.
NewCopy makeNewCopy(App& app, const std::string& folder, const std::string& name,
                    const std::string& source, CopyNumbers& numbers);

}  // namespace dv

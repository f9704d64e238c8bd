// The backup folder, BackupRecord copies and the FilePath.dat index.
#pragma once
#include <cstdint>
#include <string>

#include "platform/Types.h"
#include "shell/App.h"

namespace dv {

struct BackupRecord {
    std::string sourcePath;
    uint32_t attributes = 0;
    SystemTime creationTime, lastAccessTime, lastWriteTime;  // local time
    std::string content;
};

// The record's bytes exactly as stored on disk.
std::string serializeBackupRecord(const BackupRecord& record);
// Parses a whole record file; false unless it is exactly one well-formed record.
bool parseBackupRecord(const std::string& bytes, BackupRecord& record);

std::string resolveBackupFolder(App& app);
void useBackupMode(App& app);       // backupModeRadio clicked
void chooseBackupFolder(App& app);  // backupFolderButton clicked
std::string askFolder(App& app);
bool backupFile(App& app, const std::string& source, const std::string& copyPath);
void appendIndexLine(App& app, const std::string& path);

}  // namespace dv

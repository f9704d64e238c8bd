// Recovering backed-up files.
#pragma once
#include <string>

#include "cleanup/BackupStore.h"
#include "shell/App.h"

namespace dv {

void recoverAll(App& app);  // recoveryButton
void restoreListedRecords(App& app);
bool restoreRecord(App& app, const std::string& recordPath);
bool readBackupRecord(App& app, const std::string& recordPath, BackupRecord& record);
bool applyTimesAndAttributes(App& app, const BackupRecord& record);

}  // namespace dv

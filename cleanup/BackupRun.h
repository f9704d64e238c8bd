// Backup mode of one delete command: each file backed up into the backup folder, noted in
// the copy list, deleted, and its path appended to FilePath.dat.
#pragma once
#include <string>

#include "cleanup/BackupStore.h"
#include "cleanup/CopyList.h"
#include "shell/App.h"

namespace dv {

class BackupRun {
public:
    BackupRun(App& app, const std::string& folder);

    // Backs the file up; only a file whose copy was made is deleted. The copy stays held,
    // so that no Recovery takes it, until its file is gone and the copy list names it. A
    // file that cannot be deleted (another program holds it open) keeps no copy, no list
    // entry and no index line: Recovery would one day bring that old content back beside
    // whatever the file holds by then. True when the file was backed up and deleted.
    bool backUpAndDelete(const std::string& name, const std::string& path);
    // Lets the window serve its messages when they are due, the copy list let go first.
    void serveWindow();

private:
    App& app_;
    const std::string folder_;  // ends in "\"
    CopyNumbers numbers_;
    CopyListWriter notes_;
};

}  // namespace dv

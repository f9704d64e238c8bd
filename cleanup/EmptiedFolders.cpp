#include "cleanup/EmptiedFolders.h"

#include "cleanup/PlainFile.h"

namespace dv {

void removeEmptiedFolders(App& app) {
    std::vector<std::string>& folders = app.state.emptiableFolders;
    if (folders.empty() || app.ui.isChecked(Ctl::backupModeRadio)) return;
    std::vector<std::string> left;
    // The search noted each folder before its subfolders.
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
        const std::string folder = it->substr(0, it->size() - 1);  // without its "\"
        if (!isPlainFolder(app.fs, folder) || !app.fs.removeEmptyFolder(folder))
            left.push_back(*it);
    }
    folders.assign(left.rbegin(), left.rend());
}

}  // namespace dv

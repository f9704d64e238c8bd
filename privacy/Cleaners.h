// The temporary-files, cookie and URL-cache cleaners of the main window's cleaners group.
// They delete without a list and without asking, so each keeps to its own folder or cache.
#pragma once
#include <string>

#include "shell/App.h"

namespace dv {

// Deletes every plain file in the folder and in all its subfolders; keeps the folders.
// Read-only and locked files simply stay; folders starting with "." and junctions or
// links are not entered. A folder that is not a cleanable folder (below) is left alone.
void cleanFolderFiles(App& app, const std::string& folder);

// A folder the cleaners may empty: a full path (drive letter or \\server\share) with at
// least one folder below its root, and no "." or ".." part that could lead back up.
bool isCleanableFolder(const std::string& folder);

void cleanCookies(App& app);     // cookieCleanerButton
void cleanTempFolder(App& app);  // tempCleanerButton
void cleanUrlCache(App& app);    // internetCleanerButton

}  // namespace dv

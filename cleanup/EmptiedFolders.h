// REMOVESELF rules: their folders go once the delete commands have emptied them.
#pragma once
#include "shell/App.h"

namespace dv {

// Removes each folder of the last search's REMOVESELF rules that holds nothing now,
// deepest first; a folder with anything left in it stays, and so do the folders above it.
// In backup mode every folder stays: Recovery writes the copies back into them.
void removeEmptiedFolders(App& app);

}  // namespace dv

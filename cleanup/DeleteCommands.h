// Deleting listed files: the three modes, the four commands, Reset.
#pragma once
#include <string>

#include "shell/App.h"

namespace dv {

// Moves a path into the Recycle Bin with one shell delete operation.
bool recycleFile(App& app, const std::string& path, unsigned options);

void deleteAllRows(App& app);     // deleteAllButton, fileMenu "Delete all files", compact mode
void deleteRow(App& app, int position);  // position counted from 1
void deleteCurrentRow(App& app);  // fileMenu "Delete this file only"
void deleteTickedRows(App& app);  // fileMenu item 4
void resetList(App& app);         // resetButton

}  // namespace dv

// Rows of resultList: name, pattern, size, date, full path, and a tick.
#pragma once
#include <string>

#include "platform/Types.h"
#include "shell/App.h"

namespace dv {

enum ResultColumn { kColName = 0, kColType = 1, kColSize = 2, kColDate = 3, kColPath = 4 };

// Month/day/year hour:minute:second without leading zeros.
std::string formatFileDate(const SystemTime& t);
// Size and date texts of a path as its directory entry gives them ("-1", "1/1/100 0:0:0"
// when it has none).
std::string sizeText(App& app, const std::string& path);
std::string dateText(App& app, const std::string& path);

void appendResultRow(App& app, const std::string& name, const std::string& pattern,
                     const std::string& path);
// The same with the entry already at hand from the folder enumeration.
void appendResultRow(App& app, const std::string& pattern, const std::string& path,
                     const DirEntry& entry);

void tickAllRows(App& app);        // fileMenu "Select all files"
void resultRowActivated(App& app); // double click: invert the current row's tick
void resultRowContext(App& app);   // right click: tick the current row, pop up fileMenu

}  // namespace dv

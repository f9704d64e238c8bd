#include "search/ResultList.h"

namespace dv {

namespace {

const char* const kNoDate = "1/1/100 0:0:0";

std::string dateOfFileTime(App& app, FileTime lastWrite) {
    SystemTime local;
    if (!app.system.utcToLocal(lastWrite, local)) return kNoDate;
    return formatFileDate(local);
}

void writeRow(App& app, const std::string& name, const std::string& pattern,
              const std::string& size, const std::string& date, const std::string& path) {
    const int row = app.ui.appendRow(Ctl::resultList, name);
    app.ui.setCell(Ctl::resultList, row, kColType, pattern);
    app.ui.setCell(Ctl::resultList, row, kColSize, size);
    app.ui.setCell(Ctl::resultList, row, kColDate, date);
    app.ui.setCell(Ctl::resultList, row, kColPath, path);
}

}  // namespace

std::string formatFileDate(const SystemTime& t) {
    return std::to_string(t.month) + "/" + std::to_string(t.day) + "/" + std::to_string(t.year) +
           " " + std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" +
           std::to_string(t.second);
}

// The whole 64-bit size: a 3 GiB file shows 3221225472, not a wrapped 32-bit value.
std::string sizeText(App& app, const std::string& path) {
    DirEntry entry;
    if (!app.fs.findEntry(path, entry)) return "-1";
    return std::to_string(entry.size);
}

std::string dateText(App& app, const std::string& path) {
    DirEntry entry;
    if (!app.fs.findEntry(path, entry)) return kNoDate;
    return dateOfFileTime(app, entry.lastWrite);
}

void appendResultRow(App& app, const std::string& name, const std::string& pattern,
                     const std::string& path) {
    writeRow(app, name, pattern, sizeText(app, path), dateText(app, path), path);
}

void appendResultRow(App& app, const std::string& pattern, const std::string& path,
                     const DirEntry& entry) {
    writeRow(app, entry.name, pattern, std::to_string(entry.size),
             dateOfFileTime(app, entry.lastWrite), path);
}

void tickAllRows(App& app) {
    const int count = app.ui.rowCount(Ctl::resultList);
    for (int row = 0; row < count; ++row) app.ui.setTicked(Ctl::resultList, row, true);
}

void resultRowActivated(App& app) {
    if (app.ui.rowCount(Ctl::resultList) == 0) return;
    const int row = app.ui.currentRow(Ctl::resultList);
    if (row < 0) return;
    app.ui.setTicked(Ctl::resultList, row, !app.ui.isTicked(Ctl::resultList, row));
}

void resultRowContext(App& app) {
    if (app.ui.rowCount(Ctl::resultList) == 0) return;
    const int row = app.ui.currentRow(Ctl::resultList);
    if (row >= 0) app.ui.setTicked(Ctl::resultList, row, true);
    app.ui.popupMenu(Ctl::fileMenu);
}

}  // namespace dv

// The delete commands: Recycle Bin, permanent and backup modes, and Reset.
#include "cleanup/DeleteCommands.h"

#include <algorithm>

#include "cleanup/BackupRun.h"
#include "cleanup/BackupStore.h"
#include "cleanup/BusyScope.h"
#include "cleanup/EmptiedFolders.h"
#include "cleanup/PlainFile.h"
#include "search/ResultList.h"
#include "search/SearchEngine.h"
#include "shell/Texts.h"
#include "text/NumberText.h"
#include "text/PathText.h"

namespace dv {

namespace {

constexpr unsigned kRecycleOptions = 7;

struct RowOutcome {
    bool handled = false;      // false when no delete mode is chosen
    bool kept = false;         // the path is no plain file now: not touched, row stays
    uint64_t removedBytes = 0; // listed size, counted only when the file is really gone
};

// Column 2 as a whole decimal number; false for anything else.
bool parseSize(const std::string& text, int64_t& value) {
    size_t at = 0;
    bool negative = !text.empty() && text[0] == '-';
    if (negative) at = 1;
    if (at == text.size() || text.size() - at > 18) return false;
    int64_t v = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9') return false;
        v = v * 10 + (text[at] - '0');
    }
    value = negative ? -v : v;
    return true;
}

// The listed size; a negative text is a size wrapped to 32 bits, so the real one is
// taken from the file itself.
uint64_t listedSize(App& app, const std::string& text, const std::string& path) {
    int64_t size = 0;
    if (!parseSize(text, size)) return 0;
    if (size >= 0) return uint64_t(size);
    DirEntry entry;
    return app.fs.findEntry(path, entry) ? entry.size : 0;
}

// Removes the row that still shows `path`: normally row r, but handlers that ran while
// messages were dispatched may have changed the list.
void removeListedRow(App& app, int row, const std::string& path) {
    int count = app.ui.rowCount(Ctl::resultList);
    if (row < count && app.ui.cell(Ctl::resultList, row, kColPath) == path) {
        app.ui.removeRow(Ctl::resultList, row);
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (app.ui.cell(Ctl::resultList, i, kColPath) == path) {
            app.ui.removeRow(Ctl::resultList, i);
            return;
        }
    }
}

enum class DeleteMode { None, Recycle, Permanent, Backup };

DeleteMode chosenMode(App& app) {
    if (app.ui.isChecked(Ctl::recycleModeRadio)) return DeleteMode::Recycle;
    if (app.ui.isChecked(Ctl::permanentModeRadio)) return DeleteMode::Permanent;
    if (app.ui.isChecked(Ctl::backupModeRadio)) return DeleteMode::Backup;
    return DeleteMode::None;
}

// The shell's delete of a path the caller has just looked up as a plain file.
bool recyclePlainFile(App& app, const std::string& path, unsigned options) {
    unsigned flags = kFofAllowUndo;
    if (options & 1) flags |= kFofNoConfirmation;
    if (options & 2) flags |= kFofNoErrorUi;
    if (options & 4) flags |= kFofSilent;
    bool aborted = false;
    return app.shell.deleteOperation(path, flags, aborted) == 0 && !aborted;
}

// The mode step for row r; the radio buttons are read anew for every row. A path that
// has become a folder or a link since the search is left alone and keeps its row; the
// look-up is the guard right before the act. A file deleted for good, or backed up and
// deleted, is known to be gone; after the shell's delete the path is looked at again.
RowOutcome removeRowFile(App& app, int row, BackupRun& backup) {
    const DeleteMode mode = chosenMode(app);
    if (mode == DeleteMode::None) return RowOutcome{};
    RowOutcome outcome;
    outcome.handled = true;

    const std::string name = app.ui.cell(Ctl::resultList, row, kColName);
    const std::string path = app.ui.cell(Ctl::resultList, row, kColPath);
    const PathKind kind = lookUpPath(app.fs, path);
    if (kind == PathKind::NotPlain) {
        outcome.kept = true;
        return outcome;
    }
    const uint64_t size = listedSize(app, app.ui.cell(Ctl::resultList, row, kColSize), path);

    bool gone = false;
    if (kind == PathKind::PlainFile) {
        if (mode == DeleteMode::Recycle)
            recyclePlainFile(app, path, kRecycleOptions);
        else if (mode == DeleteMode::Permanent)
            gone = clearReadOnlyAndDeletePlain(app.fs, path);
        else
            gone = backup.backUpAndDelete(name, path);
    }

    removeListedRow(app, row, path);
    if (kind == PathKind::PlainFile && (gone || !app.fs.exists(path))) outcome.removedBytes = size;
    return outcome;
}

void emptyRecycleBinIfAsked(App& app) {
    if (app.ui.isChecked(Ctl::autoEmptyRecycleCheck))
        app.shell.emptyRecycleBin("", kSherbNoConfirmation | kSherbNoSound);
}

void showAfterDeleteState(App& app) {
    app.ui.setVisible(Ctl::deleteAllButton, false);
    app.ui.setVisible(Ctl::addGarbageTypeButton, true);
    app.ui.setVisible(Ctl::alertLabel, false);
    app.ui.setTimer(Ctl::alertBlinkTimer, 0);
}

void showRemoved(App& app, int leadKey, uint64_t bytes) {
    app.ui.setText(Ctl::recoveredLabel,
                   textOfKey(app, leadKey) + " " + megabyteText(bytes) + textOfKey(app, 62));
}

RowOutcome deleteRowCounted(App& app, int position) {
    BackupRun backup(app, resolveBackupFolder(app));
    int count = app.ui.rowCount(Ctl::resultList);
    if (count == 0) {
        showKeyMessage(app, 60);
        return RowOutcome{};
    }
    int row = position - 1;
    if (row < 0 || row >= count) return RowOutcome{};
    RowOutcome outcome = removeRowFile(app, row, backup);
    if (!outcome.handled) return outcome;
    backup.serveWindow();
    if (!outcome.kept) emptyRecycleBinIfAsked(app);
    if (app.ui.rowCount(Ctl::resultList) == 0) showAfterDeleteState(app);
    showRemoved(app, 56, outcome.removedBytes);
    return outcome;
}

}  // namespace

bool recycleFile(App& app, const std::string& path, unsigned options) {
    // The shell would expand wildcards; no file name contains them. It would also move a
    // whole folder, or follow a link to its target.
    if (path.empty() || path.find_first_of("*?") != std::string::npos) return false;
    return isPlainFile(app.fs, path) && recyclePlainFile(app, path, options);
}


void deleteAllRows(App& app) {
    if (app.state.cleanupBusy) return;
    BusyScope busy(app);
    int count = app.ui.rowCount(Ctl::resultList);
    for (int i = 0; i < count; ++i) app.ui.setTicked(Ctl::resultList, i, true);
    uint64_t total = 0;
    BackupRun backup(app, resolveBackupFolder(app));
    if (count == 0) {
        showKeyMessage(app, 60);
        return;
    }
    // Last row first. Rows above the one handled keep their places, whether it was removed
    // or kept; handlers run while messages are processed may shorten the list.
    bool completed = true;
    for (int row = count - 1; row >= 0; --row) {
        row = std::min(row, app.ui.rowCount(Ctl::resultList) - 1);
        if (row < 0) break;
        RowOutcome outcome = removeRowFile(app, row, backup);
        if (!outcome.handled) {
            completed = false;
            break;
        }
        total += outcome.removedBytes;
        backup.serveWindow();
    }
    if (completed) emptyRecycleBinIfAsked(app);
    removeEmptiedFolders(app);
    if (app.ui.rowCount(Ctl::resultList) == 0) showAfterDeleteState(app);
    showRemoved(app, 61, total);
}

void deleteRow(App& app, int position) {
    if (app.state.cleanupBusy) return;
    BusyScope busy(app);
    deleteRowCounted(app, position);
    removeEmptiedFolders(app);
}

void deleteCurrentRow(App& app) {
    int row = app.ui.currentRow(Ctl::resultList);
    if (row < 0) return;
    deleteRow(app, row + 1);
}

void deleteTickedRows(App& app) {
    if (app.state.cleanupBusy) return;
    BusyScope busy(app);
    int i = 0;
    uint64_t total = 0;
    while (app.ui.rowCount(Ctl::resultList) > 0 && i < app.ui.rowCount(Ctl::resultList)) {
        if (!app.ui.isTicked(Ctl::resultList, i)) {
            ++i;
            continue;
        }
        RowOutcome outcome = deleteRowCounted(app, i + 1);
        if (!outcome.handled) break;
        if (outcome.kept) ++i;  // its row stays; the rows below did not move up
        total += outcome.removedBytes;
        showRemoved(app, 61, total);
    }
    removeEmptiedFolders(app);
}

void resetList(App& app) {
    if (searchRunning(app)) {
        showKeyMessage(app, 63);
        return;
    }
    app.ui.setText(Ctl::statusLabel, "");
    app.ui.setText(Ctl::statisticsTitleLabel, textOfKey(app, 54));
    app.ui.setVisible(Ctl::alertLabel, false);
    app.ui.setText(Ctl::recoveredLabel, textOfKey(app, 34));
    app.ui.setText(Ctl::currentFileLabel, textOfKey(app, 31));
    app.ui.setVisible(Ctl::deleteAllButton, false);
    app.ui.setVisible(Ctl::addGarbageTypeButton, true);
    app.ui.setEnabled(Ctl::startSearchButton, true);
    app.ui.setTimer(Ctl::alertBlinkTimer, 0);
    app.ui.clearRows(Ctl::resultList);
}

}  // namespace dv

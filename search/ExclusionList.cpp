#include "search/ExclusionList.h"

#include <algorithm>
#include <set>
#include <vector>

#include "search/ListFile.h"
#include "shell/Language.h"
#include "shell/Settings.h"
#include "text/Text.h"

namespace dv {

namespace {

std::string listFilePath(const App& app) { return basePath(app, "\\noscfile.dat"); }

std::vector<std::string> rowTexts(App& app) {
    std::vector<std::string> texts;
    for (int row = 0; row < app.ui.rowCount(Ctl::exclusionList); ++row)
        texts.push_back(app.ui.cell(Ctl::exclusionList, row, 0));
    return texts;
}

// Rewrites the file without the paths of the ticked rows, keeping the file's order (a
// path added in this window is the file's first line but the list's last row). The rows
// must still be what the file holds: a file that cannot be read whole, or that changed
// since the window was filled, is left alone rather than written from a list that may
// lack some of its paths.
void removeTickedRows(App& app) {
    std::vector<std::string> onDisk, rows = rowTexts(app);
    if (!readListFile(app, listFilePath(app), onDisk)) return;
    std::vector<std::string> a = onDisk, b = rows;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    if (a != b) return;
    std::multiset<std::string> ticked;
    for (int row = 0; row < int(rows.size()); ++row)
        if (app.ui.isTicked(Ctl::exclusionList, row)) ticked.insert(rows[size_t(row)]);
    std::vector<std::string> kept;
    for (const std::string& line : onDisk) {
        auto it = ticked.find(line);
        if (it == ticked.end())
            kept.push_back(line);
        else
            ticked.erase(it);
    }
    replaceListFile(app, listFilePath(app), kept);
}

bool anyRowTicked(App& app) {
    for (int row = 0; row < app.ui.rowCount(Ctl::exclusionList); ++row)
        if (app.ui.isTicked(Ctl::exclusionList, row)) return true;
    return false;
}

}  // namespace

void exclusionWindowCreated(App& app) {
    applyDialogTexts(app, Ctl::ExclusionListWindow);
    app.ui.processPendingMessages();
    fillExclusionWindow(app);
}

void fillExclusionWindow(App& app) {
    app.ui.clearRows(Ctl::exclusionList);
    std::vector<std::string> paths;
    loadListFile(app, listFilePath(app), paths);
    for (const std::string& path : paths) app.ui.appendRow(Ctl::exclusionList, path);
}

void editExclusions(App& app) {
    app.ui.processPendingMessages();
    if (anyRowTicked(app)) {
        removeTickedRows(app);
        fillExclusionWindow(app);  // shows what the file now holds
        return;
    }
    const std::string chosen = app.shell.openFileDialog();
    if (chosen.empty()) return;
    for (const std::string& listed : rowTexts(app))
        if (sameNoCase(listed, chosen)) return;
    // The row shows only what the file really holds.
    if (prependExclusion(app, listFilePath(app), chosen))
        app.ui.appendRow(Ctl::exclusionList, chosen);
}

bool prependExclusion(App& app, const std::string& path, const std::string& entry) {
    std::vector<std::string> lines;
    if (!readListFile(app, path, lines)) return false;
    lines.insert(lines.begin(), entry);
    return replaceListFile(app, path, lines);
}

}  // namespace dv

#include "privacy/HistoryCleaner.h"

#include <vector>

#include "shell/Settings.h"

namespace dv {

const HistoryList kHistoryLists[5] = {
    {Ctl::privacyDocFindCheck,
     "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU"},
    {Ctl::privacyRunCheck, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU"},
    {Ctl::privacyRecentDocsCheck,
     "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs"},
    {Ctl::privacyInstallLocationsCheck, "InstallLocationsMRU\\MRUList"},
    {Ctl::privacyTypedUrlsCheck, "Software\\Microsoft\\Internet Explorer\\TypedURLs"},
};

void emptyRegistryKey(App& app, const std::string& key) {
    // The names alone are enumerated, so a value of any size goes; a missing key cannot be
    // read and is left missing. An empty path would be the root itself.
    std::vector<std::string> names;
    if (key.empty() || !app.registry.valueNames(kCurrentUser, key, names)) return;
    for (const std::string& name : names) {
        app.ui.processPendingMessages();
        app.registry.deleteValue(kCurrentUser, key, name);  // one that cannot go is stepped over
    }
}

void applyPrivacyCleaning(App& app) {
    for (const HistoryList& list : kHistoryLists) {
        if (!app.ui.isChecked(list.box)) continue;
        app.ui.processPendingMessages();
        emptyRegistryKey(app, list.key);
    }
    regWriteInt(app, kUsers, kNotShowItem, app.ui.isChecked(Ctl::privacyShowStepCheck) ? 0 : 1);
    app.ui.closeWindow(Ctl::PrivacyTracesWindow);
}

}  // namespace dv

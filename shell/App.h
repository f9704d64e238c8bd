// Everything a handler may touch: the platform services, the process-wide state and the
// names of the controls.
#pragma once
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "forms/ControlIds.h"
#include "platform/FileSystem.h"
#include "platform/Http.h"
#include "platform/IniFiles.h"
#include "platform/Registry.h"
#include "platform/ShellOps.h"
#include "platform/System.h"
#include "platform/Threads.h"
#include "platform/Ui.h"
#include "platform/UrlCache.h"
#include "shell/Publisher.h"

namespace dv {

// Compact mode's delete-all: not started, running, or through the whole list.
enum class CompactDelete { NotStarted, Running, Done };

// The update check's and its HTTP client's state. Their worker threads use it while they
// run, and the App outlives them: the program ends its process rather than return while
// one still runs.
struct UpdateState {
    std::mutex oneRequest;        // one HTTP request at a time in the process
    std::mutex wholeCheck;        // request, write, wait, read, delete of "\update.ini"
    std::atomic<int> running{0};  // started by startVersionCheck and not ended
    std::atomic<int> waiting{0};  // of those, not yet holding wholeCheck
    // Where the outcome is shown: GUI thread only.
    Ctl label = Ctl::stepTextLabel;
    std::string link = kWebsiteAddress;
    bool shown = false;    // an outcome has been shown,
    uint32_t shownAt = 0;  // at this tick
};

struct AppState {
    std::vector<std::string> exclusionList;   // full paths the search never lists
    std::vector<std::string> languageLines;   // non-empty lines of the loaded language file
    std::vector<std::string> searchPatterns;  // patterns of the current selection
    int searchFinished = 0;                   // 0 while a search runs (and before the first)
    long searchSeconds = 0;                   // counted by elapsedTimer
    int progressCounter = 0;                  // shared by stepTimer and finishTimer
    int splashTicks = 0;
    std::string baseFolder;                   // the program's folder, fixed at start
    bool cleanupBusy = false;                 // a delete command or recovery is running
    CompactDelete compactDelete = CompactDelete::NotStarted;
    // The figures of a cancel's summary: the walk, once it has unwound, shows them again
    // rather than reading every listed folder a second time. -1 rows: no cancel.
    int cancelledRows = -1;
    uint64_t cancelledBytes = 0;
    // Folders of the last search's REMOVESELF rules, each before its subfolders: the delete
    // commands remove those they leave empty.
    std::vector<std::string> emptiableFolders;
    UpdateState update;
};

struct App {
    FileSystem& fs;
    Registry& registry;
    IniFiles& ini;
    ShellOps& shell;
    System& system;
    Ui& ui;
    UrlCache& urlCache;
    AppState state;
    // Only the update check goes on the network and off the GUI thread; without these
    // two it does nothing.
    Http* http = nullptr;
    Threads* threads = nullptr;
};

}  // namespace dv

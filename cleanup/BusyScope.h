// Marks a delete command or recovery as running. Both dispatch window messages between
// files, so a click could otherwise start another one in the middle: a recovery inside a
// backup run would restore and remove a copy whose file is deleted right after.
#pragma once
#include "shell/App.h"

namespace dv {

class BusyScope {
public:
    explicit BusyScope(App& app) : app_(app) { app_.state.cleanupBusy = true; }
    ~BusyScope() { app_.state.cleanupBusy = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    App& app_;
};

// Lets the window serve its messages when they are due (Ui::messagesDue): a long command
// calls it after every file, and the window answers within a few tens of milliseconds
// without paying for thousands of dispatches a second.
inline void serveWindow(App& app) {
    if (app.ui.messagesDue()) app.ui.processPendingMessages();
}

}  // namespace dv

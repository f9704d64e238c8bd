// The update check: the automatic schedule, the version comparison and where its outcome
// is shown.
#pragma once
#include <string>

#include "shell/App.h"
#include "update/UpdateSchedule.h"

namespace dv {

extern const char* const kUpdateSettingsFile;    // "\dustvaneset.ini"
extern const char* const kDownloadedUpdateFile;  // "\update.ini"

// Today's date as the system clock gives it.
CalendarDate todayDate(App& app);

// The label that shows the outcome of the next checks and the address a newer version
// opens. GUI thread only; the last setter wins.
void SetUpdateDisplayTarget(App& app, Ctl label, const std::string& linkAddress);

// Start-up: when the automatic check is due, writes today as the date of the last check
// and starts the check on a worker thread. Returns at once.
void ScheduleUpdateCheck(App& app);

// Starts a check on a worker thread. While an earlier one still waits for its turn, that
// one stands for this one too.
void startVersionCheck(App& app);

// One whole check, on a worker thread: download the version file, compare its major
// version with the local one, and post the outcome to the GUI thread (key 130 and the
// remote version when it is higher, else key 131; a higher version also opens the
// display target's address). Checks run one at a time; a check cut short by the end of
// the program shows nothing.
void RunVersionCheck(App& app);

// GUI thread: true from startVersionCheck until that check's outcome is on screen (or the
// check ended without one), and for two seconds after an outcome was shown, so that the
// automatic end of compact mode lets it be read.
bool updateCheckHoldsTheEnd(App& app);

}  // namespace dv

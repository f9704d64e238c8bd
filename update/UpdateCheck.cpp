#include "update/UpdateCheck.h"

#include <mutex>

#include "shell/Publisher.h"
#include "shell/Settings.h"
#include "shell/Texts.h"
#include "update/HttpRequest.h"
#include "update/UpdateSchedule.h"

namespace dv {

const char* const kUpdateSettingsFile = "\\dustvaneset.ini";
const char* const kDownloadedUpdateFile = "\\update.ini";

namespace {

constexpr int kRequestTimeoutSeconds = 10;
constexpr uint32_t kSettleMs = 3000;  // between writing the version file and reading it
constexpr uint32_t kReadingMs = 2000;  // an outcome stays on screen before an automatic end

// GUI thread: the outcome into the display label. The label may belong to a window that
// has closed meanwhile; the text then goes nowhere.
void showOutcome(App& app, long remote, bool newer) {
    UpdateState& target = app.state.update;
    target.shown = true;
    target.shownAt = app.system.tickCount();
    if (!newer) {
        app.ui.setText(target.label, textOfKey(app, 131));
        return;
    }
    app.ui.setText(target.label, textOfKey(app, 130) + std::to_string(remote));
    const std::string address = target.link;
    app.threads->start([&app, address] { app.shell.openAddress(address); });
}

// The body of RunVersionCheck; `queued` when startVersionCheck counted it, in which case
// the count goes down once the outcome is on screen. True when an outcome was posted.
bool runCheck(App& app, bool queued) {
    Threads& threads = *app.threads;
    UpdateState& checks = app.state.update;
    std::lock_guard<std::mutex> oneCheck(checks.wholeCheck);
    if (queued) --checks.waiting;
    if (threads.stopping()) return false;

    const std::string settings = basePath(app, kUpdateSettingsFile);
    const long local = leadingWholeNumber(iniRead(app, settings, "version", "mainver", "8.00"));
    const std::string address =
        iniRead(app, settings, "version", "listaddress", kUpdateListAddress);
    const std::string body =
        HttpRequest(app, address, "", "", "", "", kRequestTimeoutSeconds, true);
    if (threads.stopping()) return false;

    // A file that could not be written whole is not read: the remote version stays 0.
    const std::string downloaded = basePath(app, kDownloadedUpdateFile);
    bool written = false;
    if (auto file = app.fs.open(downloaded, OpenMode::CreateExclusive))
        written = file->write(body.data(), body.size());
    const bool waited = threads.pause(kSettleMs);
    long remote = 0;
    if (written && waited)
        remote = leadingWholeNumber(iniRead(app, downloaded, "version", "mainver", "0"));
    bool posted = false;
    if (waited) {
        const bool newer = remote > local;
        posted = threads.postToGui([&app, remote, newer, queued] {
            showOutcome(app, remote, newer);
            if (queued) --app.state.update.running;
        });
    }
    app.fs.deleteFile(downloaded);
    return posted;
}

}  // namespace

CalendarDate todayDate(App& app) {
    const SystemTime now = app.system.localTime();
    return CalendarDate{now.year, now.month, now.day};
}

void SetUpdateDisplayTarget(App& app, Ctl label, const std::string& linkAddress) {
    app.state.update.label = label;
    app.state.update.link = linkAddress;
}

void ScheduleUpdateCheck(App& app) {
    const std::string settings = basePath(app, kUpdateSettingsFile);
    const CalendarDate now = todayDate(app);
    const std::string today = dateText(now);
    if (!updateCheckDue(iniRead(app, settings, "update", "auto", "F"),
                        iniRead(app, settings, "update", "day", "10"),
                        iniRead(app, settings, "update", "time", today), now))
        return;
    iniWrite(app, settings, "update", "time", today);
    startVersionCheck(app);
}

void startVersionCheck(App& app) {
    UpdateState& checks = app.state.update;
    if (!app.http || !app.threads || checks.waiting > 0) return;
    ++checks.running;
    ++checks.waiting;
    auto worker = app.threads->start([&app] {
        if (!runCheck(app, true)) --app.state.update.running;
    });
    if (!worker) {
        --checks.waiting;
        --checks.running;
    }
}

void RunVersionCheck(App& app) {
    if (app.http && app.threads) runCheck(app, false);
}

bool updateCheckHoldsTheEnd(App& app) {
    const UpdateState& checks = app.state.update;
    return checks.running > 0 ||
           (checks.shown && app.system.tickCount() - checks.shownAt < kReadingMs);
}

}  // namespace dv

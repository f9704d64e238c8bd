#include "shell/Settings.h"
#include "shell/main/Startup.h"

namespace dv {

namespace {

constexpr int kSplashTicks = 3;  // the timer ticks once a second

}  // namespace

void splashCreated(App& app) { app.state.splashTicks = 0; }

void splashTick(App& app) {
    if (++app.state.splashTicks < kSplashTicks) return;
    app.ui.setTimer(Ctl::splashTimer, 0);
    app.ui.closeWindow(Ctl::SplashWindow);
}

void splashConfirm(App& app) { writeStartSwitches(app, 0); }

}  // namespace dv

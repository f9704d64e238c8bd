// SplashWindow: the start picture and the version, shown for three timer ticks.
#include "forms/ControlIds.h"
#include "forms/FormColours.h"
#include "platform/WindowTables.h"

namespace dv {
namespace {

using K = Kind;
constexpr Ctl W = Ctl::None;
constexpr uint32_t NC = kNoColour;

// id, kind, parent, x, y, width, height, text, tooltip, caption key, tooltip key, flags,
// font px, text colour, back colour, timer ms
const ControlSpec kControls[] = {
    {Ctl::splashPicture, K::Picture, W, 0, 0, 435, 294, nullptr, nullptr, 0, 0, kAnimated, 0, NC,
     NC},
    {Ctl::splashVersionLabel, K::Label, W, 368, 10, 36, 16, "8.20", nullptr, 0, 0, 0, 0, NC, NC},
    {Ctl::splashTimer, K::Timer, W, 0, 0, 0, 0, nullptr, nullptr, 0, 0, 0, 0, NC, NC, 1000},
};

}  // namespace

extern const WindowSpec kSplashWindowSpec;
const WindowSpec kSplashWindowSpec = {Ctl::SplashWindow, "Dustvane", 435, 294, kFormBlue,
                                      kControls, sizeof kControls / sizeof kControls[0]};

}  // namespace dv

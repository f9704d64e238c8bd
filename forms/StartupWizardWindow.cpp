// StartupWizardWindow: automatic or manual search, and the two start-up switches.
#include "forms/DialogFrame.h"
#include "forms/FormColours.h"

namespace dv {
namespace {

using K = Kind;
constexpr Ctl W = Ctl::None;
constexpr uint32_t NC = kNoColour;

// id, kind, parent, x, y, width, height, text, tooltip, caption key, tooltip key, flags,
// font px, text colour, back colour
const ControlSpec kControls[] = {
    // Frame. Its close button asks whether to end the program.
    frame::background(Ctl::wizardBackground, 387, 264),
    frame::panel(Ctl::wizardPanel, 387, 264, 0),
    frame::icon(Ctl::wizardIcon),
    frame::title(Ctl::wizardTitleLabel, 387, "Dustvane"),
    frame::closeButton(Ctl::wizardCloseButton, 387),
    frame::rule(Ctl::wizardRule, 387),

    {Ctl::wizardWaysLabel, K::Label, W, 32, 76, 216, 118,
     "Now Dustvane offers 2 ways to you .       1. Click the 'Auto. Search' button to "
     "Automatically find 10 garbage files and then delete them one by one.                2. "
     "Click the 'Pro. Search' button to find 81 garbage files and then delete them one by one.",
     nullptr, 104, 0, 0, 0, NC, NC},
    {Ctl::wizardAutoSearchButton, K::ImageButton, W, 266, 76, 90, 20, "Auto. Search",
     "Click the 'Auto. Search' button to auto. find 10 garbage files and then delete them one "
     "by one.",
     105, 106, 0, 0, NC, NC},
    {Ctl::wizardProSearchButton, K::ImageButton, W, 266, 118, 90, 20, "Pro. Search",
     "Click the 'Pro. Search' button to find 81 garbage files and then delete them one by one.",
     107, 108, 0, 0, NC, NC},
    {Ctl::wizardAutoSearchCheck, K::Check, W, 33, 198, 320, 16,
     "Automatically Searching after Started", nullptr, 109, 0, 0, 0, NC, NC},
    {Ctl::wizardNotShowCheck, K::Check, W, 33, 216, 320, 16, "Not show this window after Started",
     nullptr, 110, 0, 0, 0, NC, NC},
};

}  // namespace

extern const WindowSpec kStartupWizardWindowSpec;
const WindowSpec kStartupWizardWindowSpec = {Ctl::StartupWizardWindow, "Dustvane", 387, 264,
                                             kFormBlue, kControls,
                                             sizeof kControls / sizeof kControls[0], false,
                                             Ctl::wizardCloseButton};

}  // namespace dv

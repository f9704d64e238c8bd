// The six dialogs: add a junk type, about, language, update settings, privacy traces and
// the exclusion list. Every position is window-relative; each frame's background and panel
// come first so that the other controls are drawn over them.
#include "forms/DialogFrame.h"
#include "forms/FormColours.h"

namespace dv {
namespace {

using K = Kind;
constexpr Ctl W = Ctl::None;
constexpr uint32_t NC = kNoColour;

const char kReturn[] = "Return";
const char kReturnTip[] = "Click the 'Return' button to close the window";
const char kApply[] = "Apply";
const char kShowStep[] = "Show the step window when start";

// id, kind, parent, x, y, width, height, text, tooltip, caption key, tooltip key, flags,
// font px, text colour, back colour

// 387 x 138; a frame of its own: no icon, a larger bold title.
const ControlSpec kAddType[] = {
    frame::background(Ctl::addTypeBackground, 387, 138),
    {Ctl::addTypeTitleLabel, K::TransparentLabel, W, 8, 1, 344, 22, "Dustvane", nullptr, 0, 0,
     kBold | kDrags | kMiddle, 14, NC, NC},
    {Ctl::addTypeCloseButton, K::PictureButton, W, 360, 7, 20, 18, nullptr, "Close", 0, 0, 0, 0,
     NC, NC, 0, Glyph::Close},
    {Ctl::addTypeRule, K::Rule, W, 8, 28, 370, 1, nullptr, nullptr, 0, 0, 0, 0, NC, kRuleGrey},
    {Ctl::addTypePromptLabel, K::TransparentLabel, W, 9, 32, 368, 16,
     "Please input the garbage file type(eg: *.bak)", nullptr, 69, 0, 0, 14, NC, NC},
    {Ctl::addTypeFieldLabel, K::TransparentLabel, W, 16, 56, 128, 38, "File Type  ==>", nullptr,
     68, 0, kBold, 16, NC, NC},
    {Ctl::addTypePatternEdit, K::Edit, W, 152, 56, 226, 16, "*.bak", nullptr, 0, 0, kBold, 0, NC,
     NC},
    {Ctl::addTypeDescriptionEdit, K::Edit, W, 152, 80, 226, 16, "Find *.bak files only", nullptr,
     0, 0, kBold, 0, NC, NC},
    {Ctl::addTypeAddButton, K::ImageButton, W, 152, 108, 106, 18, "Add(OK)",
     "Click the 'Add' button to add the garbage file type", 66, 118, kBold, 0, NC, NC},
    {Ctl::addTypeReturnButton, K::ImageButton, W, 272, 108, 106, 18, kReturn, kReturnTip, 67,
     120, kBold, 0, NC, NC},
};

// 387 x 364. The nine information lines take keys 71 to 79; the last one drags as well.
const ControlSpec kAbout[] = {
    frame::background(Ctl::aboutBackground, 387, 364),
    frame::panel(Ctl::aboutPanel, 387, 364, 0),
    frame::icon(Ctl::aboutIcon),
    frame::title(Ctl::aboutTitleLabel, 387, "About Dustvane"),
    {Ctl::aboutMinimizeButton, K::PictureButton, W, 336, 7, 20, 17, nullptr, "Minimize", 0, 0, 0,
     0, NC, NC, 0, Glyph::Minimise},
    frame::closeButton(Ctl::aboutCloseButton, 387),
    frame::rule(Ctl::aboutRule, 387),
    {Ctl::aboutProductLabel, K::Label, W, 21, 52, 344, 36, "Dustvane", nullptr, 0, 0, kBold, 24,
     NC, NC},
    {Ctl::aboutVersionLabel, K::Label, W, 21, 94, 344, 20, "Version: Pro v8.20build091220",
     nullptr, 71, 0, 0, 0, NC, NC},
    {Ctl::aboutLine2Label, K::Label, W, 21, 120, 344, 20,
     "Author: The Dustvane authors", nullptr, 72, 0, 0, 0, NC, NC},
    {Ctl::aboutLine3Label, K::Label, W, 21, 146, 344, 20,
     "E-mail: info@example.com", nullptr, 73, 0, 0, 0, NC, NC},
    {Ctl::aboutLine4Label, K::Label, W, 21, 172, 344, 20,
     "Sales: sales@example.com", nullptr, 74, 0, 0, 0, NC, NC},
    {Ctl::aboutContactRule, K::Rule, W, 21, 198, 344, 1, nullptr, nullptr, 0, 0, 0, 0, NC,
     kContactGrey},
    {Ctl::aboutLine5Label, K::Label, W, 21, 208, 344, 20,
     "Technical support: support@example.com", nullptr, 75, 0, 0, 0, NC, NC},
    {Ctl::aboutLine6Label, K::Label, W, 21, 235, 344, 20,
     "Telephone: +1 555 0100", nullptr, 76, 0, 0, 0, NC, NC},
    {Ctl::aboutLine7Label, K::Label, W, 21, 262, 344, 20,
     "Feedback: feedback@example.com", nullptr, 77, 0, 0, 0, NC, NC},
    {Ctl::aboutLine8Label, K::Label, W, 21, 289, 344, 20,
     "Messenger: dustvane@example.com", nullptr, 78, 0, 0, 0, NC, NC},
    {Ctl::aboutLine9Label, K::Label, W, 21, 316, 344, 20,
     "Web site: http://www.example.com/en/dustvane/", nullptr, 79, 0, kDrags, 0, NC, NC},
};

// 285 x 238.
const ControlSpec kLanguage[] = {
    frame::background(Ctl::languageBackground, 285, 238),
    frame::panel(Ctl::languagePanel, 285, 238, kDrags),
    frame::icon(Ctl::languageIcon),
    frame::title(Ctl::languageTitleLabel, 285, "Dustvane"),
    frame::closeButton(Ctl::languageCloseButton, 285),
    frame::rule(Ctl::languageRule, 285),
    {Ctl::languageList, K::CheckList, W, 24, 56, 236, 134, nullptr, nullptr, 0, 0, 0, 0, NC, NC},
    {Ctl::languageApplyButton, K::ImageButton, W, 76, 195, 90, 20, kApply,
     "Click the 'Apply' button to change interface language", 116, 119, 0, 0, NC, NC},
    {Ctl::languageReturnButton, K::ImageButton, W, 170, 195, 90, 20, kReturn, kReturnTip, 117,
     120, 0, 0, NC, NC},
};

// 285 x 138; no icon, title, close button or rule.
const ControlSpec kUpdate[] = {
    frame::background(Ctl::updateBackground, 285, 138),
    {Ctl::updatePanel, K::Label, W, 9, 10, 266, 119, "", nullptr, 0, 0, kDrags, 0, NC, NC},
    {Ctl::updateAutoCheck, K::Check, W, 26, 28, 232, 16, "Check if a new version is available",
     nullptr, 124, 0, 0, 0, NC, NC},
    {Ctl::updateEveryLabel, K::Label, W, 26, 46, 72, 16, "Every", nullptr, 125, 0, 0, 0, NC, NC},
    {Ctl::updateDaysEdit, K::Edit, W, 100, 46, 64, 18, "10", nullptr, 0, 0, kDisabled, 0, NC, NC},
    {Ctl::updateDaysLabel, K::Label, W, 166, 46, 76, 16, "days", nullptr, 126, 0, 0, 0, NC, NC},
    // Written by the update check (key 129), not when the window opens.
    {Ctl::updateStatusLabel, K::Label, W, 26, 72, 232, 18, ". . . . . .", nullptr, 0, 0, 0, 0,
     NC, NC},
    {Ctl::updateCheckNowButton, K::ImageButton, W, 76, 97, 90, 20, "Check now",
     "Click the 'Check now' button to check if a new version is available", 127, 128, 0, 0, NC,
     NC},
    {Ctl::updateReturnButton, K::ImageButton, W, 170, 97, 90, 20, kReturn, kReturnTip, 117, 120,
     0, 0, NC, NC},
};

// 355 x 238. All boxes start unticked; opening the window ticks the step-window box.
const ControlSpec kPrivacy[] = {
    frame::background(Ctl::privacyBackground, 355, 238),
    frame::panel(Ctl::privacyPanel, 355, 238, kDrags),
    frame::icon(Ctl::privacyIcon),
    frame::title(Ctl::privacyTitleLabel, 355, "Dustvane"),
    frame::closeButton(Ctl::privacyCloseButton, 355),
    frame::rule(Ctl::privacyRule, 355),
    {Ctl::privacyDocFindCheck, K::Check, W, 25, 56, 305, 16,
     "Delete [ Doc Find Spec ] information", nullptr, 132, 0, 0, 0, NC, NC},
    {Ctl::privacyRunCheck, K::Check, W, 25, 78, 305, 16, "Delete [ Run ] information", nullptr,
     133, 0, 0, 0, NC, NC},
    {Ctl::privacyRecentDocsCheck, K::Check, W, 25, 100, 305, 16,
     "Delete [ Recent Docs ] information", nullptr, 134, 0, 0, 0, NC, NC},
    {Ctl::privacyInstallLocationsCheck, K::Check, W, 25, 122, 305, 16,
     "Delete [ InstallLocations ] information", nullptr, 135, 0, 0, 0, NC, NC},
    {Ctl::privacyTypedUrlsCheck, K::Check, W, 25, 145, 305, 16,
     "Delete [ IE TypedURLs ] information", nullptr, 136, 0, 0, 0, NC, NC},
    {Ctl::privacyInnerRule, K::Rule, W, 28, 165, 298, 1, nullptr, nullptr, 0, 0, 0, 0, NC,
     kRuleGrey},
    {Ctl::privacyShowStepCheck, K::Check, W, 25, 172, 305, 16, kShowStep, nullptr, 111, 0, 0, 0,
     NC, NC},
    {Ctl::privacyPluginButton, K::ImageButton, W, 25, 195, 70, 20, "Plugin",
     "Click the 'Plugin' button to start", 138, 139, 0, 0, NC, NC},
    {Ctl::privacyApplyButton, K::ImageButton, W, 136, 195, 90, 20, kApply,
     "Click the 'Apply' button to start", 116, 137, 0, 0, NC, NC},
    {Ctl::privacyReturnButton, K::ImageButton, W, 236, 195, 90, 20, kReturn, kReturnTip, 117,
     120, 0, 0, NC, NC},
};

// 325 x 238.
const ControlSpec kExclusion[] = {
    frame::background(Ctl::exclusionBackground, 325, 238),
    frame::panel(Ctl::exclusionPanel, 325, 238, kDrags),
    frame::icon(Ctl::exclusionIcon),
    frame::title(Ctl::exclusionTitleLabel, 325, "Dustvane"),
    frame::closeButton(Ctl::exclusionCloseButton, 325),
    frame::rule(Ctl::exclusionRule, 325),
    {Ctl::exclusionHeadingLabel, K::Label, W, 23, 55, 278, 18,
     "Not Wish to Search or Delete the files Below", nullptr, 140, 0, 0, 0, NC, NC},
    {Ctl::exclusionList, K::ReportList, W, 23, 76, 278, 102, nullptr, nullptr, 0, 0, 0, 0, NC,
     NC},
    {Ctl::exclusionInnerRule, K::Rule, W, 28, 185, 268, 1, nullptr, nullptr, 0, 0, 0, 0, NC,
     kRuleGrey},
    {Ctl::exclusionAddButton, K::ImageButton, W, 106, 195, 90, 20, "Add",
     "Click the 'Add' button to start", 66, 118, 0, 0, NC, NC},
    {Ctl::exclusionReturnButton, K::ImageButton, W, 206, 195, 90, 20, kReturn, kReturnTip, 117,
     120, 0, 0, NC, NC},
};

template <size_t N>
constexpr WindowSpec dialog(Ctl id, const char* caption, int w, int h, const ControlSpec (&c)[N],
                            Ctl escape) {
    return WindowSpec{id, caption, w, h, kFormBlue, c, N, false, escape};
}

}  // namespace

extern const WindowSpec kAddGarbageTypeWindowSpec, kAboutWindowSpec, kLanguageWindowSpec,
    kUpdateSettingsWindowSpec, kPrivacyTracesWindowSpec, kExclusionListWindowSpec;

const WindowSpec kAddGarbageTypeWindowSpec =
    dialog(Ctl::AddGarbageTypeWindow, "Dustvane", 387, 138, kAddType, Ctl::addTypeReturnButton);
const WindowSpec kAboutWindowSpec =
    dialog(Ctl::AboutWindow, "About Dustvane", 387, 364, kAbout, Ctl::aboutCloseButton);
const WindowSpec kLanguageWindowSpec =
    dialog(Ctl::LanguageWindow, "Dustvane", 285, 238, kLanguage, Ctl::languageReturnButton);
const WindowSpec kUpdateSettingsWindowSpec =
    dialog(Ctl::UpdateSettingsWindow, "Dustvane", 285, 138, kUpdate, Ctl::updateReturnButton);
const WindowSpec kPrivacyTracesWindowSpec =
    dialog(Ctl::PrivacyTracesWindow, "Dustvane", 355, 238, kPrivacy, Ctl::privacyReturnButton);
const WindowSpec kExclusionListWindowSpec =
    dialog(Ctl::ExclusionListWindow, "Dustvane", 325, 238, kExclusion, Ctl::exclusionReturnButton);

}  // namespace dv

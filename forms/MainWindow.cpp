// MainWindow: the title strip, the search criteria, the delete options, the button row,
// the result list, the footer, the compact-mode step panel, its timers and menus.
#include "forms/ControlIds.h"
#include "forms/FormColours.h"
#include "platform/WindowTables.h"

namespace dv {
namespace {

using K = Kind;
constexpr Ctl W = Ctl::None;  // placed on the window itself
constexpr uint32_t NC = kNoColour;

const char kFooterText[] =
    "Dustvane finds and removes junk files safely. Deleted files can be backed up first.";

// id, kind, parent, x, y, width, height, text, tooltip, caption key, tooltip key, flags,
// font px, text colour, back colour
const ControlSpec kControls[] = {
    // Title strip and frame.
    {Ctl::appIconPicture, K::Picture, W, 8, 4, 30, 30, nullptr, nullptr, 0, 0, 0, 0, NC, NC},
    {Ctl::titleLabel, K::TransparentLabel, W, 38, 5, 519, 36, "Dustvane", nullptr, 0, 0,
     kBold | kDrags, 16, NC, NC},
    {Ctl::platformLabel, K::TransparentLabel, W, 238, 24, 320, 18,
     "For Windows 9X / Me / NT / 2000 / XP / 2003", nullptr, 0, 0, kBold, 0, NC, NC},
    // Buttons that show a symbol: screen readers announce their tooltip.
    {Ctl::helpButton, K::PictureButton, W, 566, 15, 24, 18, nullptr, "Help", 0, 0, 0, 0, NC, NC,
     0, Glyph::Help},
    {Ctl::minimizeButton, K::PictureButton, W, 596, 15, 24, 18, nullptr, "Minimize", 0, 0, 0, 0,
     NC, NC, 0, Glyph::Minimise},
    {Ctl::closeButton, K::PictureButton, W, 626, 15, 24, 18, nullptr, "Close", 0, 0, 0, 0, NC, NC,
     0, Glyph::Close},
    {Ctl::topRule, K::Rule, W, 0, 45, 663, 1, nullptr, nullptr, 0, 0, 0, 0, NC, kRuleGrey},
    {Ctl::middleRule, K::Rule, W, 0, 278, 663, 1, nullptr, nullptr, 0, 0, 0, 0, NC, kRuleGrey},
    {Ctl::bottomRule, K::Rule, W, 0, 434, 663, 1, nullptr, nullptr, 0, 0, 0, 0, NC, kRuleGrey},
    {Ctl::bottomBar, K::Label, W, 0, 464, 663, 6, "", nullptr, 0, 0, 0, 0, NC, NC},

    // Search criteria.
    {Ctl::criteriaPanel, K::Panel, W, 15, 53, 260, 162, nullptr, nullptr, 0, 0, 0, 0, NC, NC},
    {Ctl::criteriaTitleLabel, K::Label, Ctl::criteriaPanel, 5, 5, 250, 15, "Search Criteria:",
     nullptr, 3, 0, kBold, 0, NC, NC},
    {Ctl::driveHintLabel, K::Label, Ctl::criteriaPanel, 5, 22, 250, 15,
     "Please choose a drive to clean from below", nullptr, 2, 0, 0, 0, NC, NC},
    {Ctl::drivePromptLabel, K::Label, Ctl::criteriaPanel, 8, 41, 112, 15, "Select a drive   ==>",
     nullptr, 4, 0, kBold, 0, NC, NC},
    {Ctl::driveCombo, K::Combo, Ctl::criteriaPanel, 128, 38, 126, 20, nullptr, nullptr, 0, 0,
     kBold, 0, NC, NC},
    {Ctl::junkTypesLabel, K::Label, Ctl::criteriaPanel, 5, 60, 250, 46,
     "Dustvane can identify 81 types of junk files. Please choose the files you wish to search "
     "and delete below.",
     nullptr, 5, 0, 0, 0, NC, NC},
    // Its height is the height of the open drop-down list.
    {Ctl::patternSetCombo, K::Combo, Ctl::criteriaPanel, 5, 107, 250, 100, nullptr, nullptr, 0, 0,
     kBold, 0, NC, NC},
    // The drive-space display colours and sizes the two bars at run time.
    {Ctl::diskRatioBar, K::Label, Ctl::criteriaPanel, 5, 129, 250, 14, "", nullptr, 0, 0, 0, 0,
     NC, NC},
    {Ctl::diskTotalBar, K::Label, Ctl::criteriaPanel, 5, 143, 250, 14, "", nullptr, 0, 0, 0, 0,
     NC, NC},
    {Ctl::diskSpaceText, K::TransparentLabel, Ctl::criteriaPanel, 5, 129, 250, 28, "", nullptr, 0,
     0, 0, 0, NC, NC},

    // Cleaners and delete options.
    {Ctl::optionsPanel, K::Panel, W, 289, 53, 358, 162, nullptr, nullptr, 0, 0, 0, 0, NC, NC},
    {Ctl::cleanersGroup, K::GroupBox, Ctl::optionsPanel, 8, 4, 343, 84,
     "Internet,Cookie,TEMP Cleaner", nullptr, 0, 0, kBold, 0, NC, NC},
    {Ctl::cleanersTextLabel, K::Label, Ctl::cleanersGroup, 3, 14, 336, 44,
     "With Dustvane you can easily clean Cookies and the windows temp files.Just Click the button "
     "below to delete cookies and temp files now.",
     nullptr, 6, 0, 0, 0, NC, NC},
    {Ctl::cookieCleanerButton, K::ImageButton, Ctl::cleanersGroup, 6, 60, 106, 18,
     "Cookie Cleaner",
     "Click the 'Cookie Cleaner' button to protect your system by deleting all Cookie files.", 9,
     10, kBold, 0, NC, NC},
    {Ctl::tempCleanerButton, K::ImageButton, Ctl::cleanersGroup, 117, 60, 106, 18,
     "Temp. Cleaner",
     "Click the 'Temp.Cleaner' button to clean the Windows Temporary files folder.", 11, 12,
     kBold, 0, NC, NC},
    {Ctl::internetCleanerButton, K::ImageButton, Ctl::cleanersGroup, 228, 60, 106, 18,
     "Internet Cleaner",
     "This button will clean the Temporary Internet Files,Browsers Cache,I.E.Address bar and "
     "Cookies.",
     13, 14, kBold, 0, NC, NC},
    {Ctl::recycleModeRadio, K::Radio, Ctl::optionsPanel, 8, 89, 343, 16,
     "Remove the File(s) to Recycle Bin", nullptr, 28, 0, kFirstRadio, 0, kTextBlue, NC},
    {Ctl::permanentModeRadio, K::Radio, Ctl::optionsPanel, 8, 107, 343, 16,
     "Permanently delete the file(s)", nullptr, 29, 0, kChecked, 0, kTextRed, NC},
    {Ctl::backupModeRadio, K::Radio, Ctl::optionsPanel, 8, 125, 343, 16,
     "Backup the file(s) before delete file(s)", nullptr, 30, 0, 0, 0, kTextGreen, NC},
    {Ctl::backupFolderButton, K::ImageButton, Ctl::optionsPanel, 318, 125, 32, 16, "==>", nullptr,
     0, 0, kHidden | kBold, 0, NC, NC},
    {Ctl::autoEmptyRecycleCheck, K::Check, Ctl::optionsPanel, 8, 143, 343, 16,
     "Automatically empty Recycle Bin after delete file(s)", nullptr, 35, 0, 0, 0, kTextRed, NC},

    // Status band.
    {Ctl::statusLabel, K::TransparentLabel, W, 15, 219, 263, 16, "", nullptr, 0, 0, kBold, 0, NC,
     NC},
    {Ctl::currentFileLabel, K::TransparentLabel, W, 15, 239, 296, 16,
     "Click 'Start Search' button below to start searching", nullptr, 31, 0, kBold, 0, NC, NC},
    {Ctl::statisticsTitleLabel, K::TransparentLabel, W, 15, 257, 296, 16, "Dustvane Statistics",
     nullptr, 32, 0, kBold, 0, NC, NC},
    // These two share one place; exactly one of them shows at any time.
    {Ctl::addGarbageTypeButton, K::ImageButton, W, 300, 219, 162, 16, "Add Garbage File Type",
     "Click the 'Add Garbage File Type' button to add the garbage file type", 25, 26, 0, 0, NC,
     NC},
    {Ctl::deleteAllButton, K::ImageButton, W, 300, 219, 162, 16, "Delete All Garbage Files",
     "Click the 'Delete All Garbage Files' button to delete all garbage files that are found", 7,
     8, kHidden, 0, NC, NC},
    {Ctl::visitWebsiteButton, K::ImageButton, W, 478, 219, 162, 16, "Visit Our Website",
     "Click 'Visit Our Website' button to visit us on the internet.", 15, 16, 0, 0, NC, NC},
    {Ctl::alertLabel, K::TransparentLabel, W, 316, 239, 336, 20, "ALERT:Garbage Files were found",
     nullptr, 33, 0, kHidden | kBold, 19, NC, NC},
    {Ctl::recoveredLabel, K::TransparentLabel, W, 316, 261, 336, 15,
     "Till Now MB Disk Space has been recovered", nullptr, 34, 0, kBold, 0, NC, NC},
    {Ctl::languageButton, K::ImageButton, W, 615, 284, 32, 32, nullptr, "Select language", 0, 36,
     kNamedByTooltip, 0, NC, NC, 0, Glyph::Globe},

    // Button row.
    {Ctl::startSearchButton, K::ImageButton, W, 18, 289, 90, 20, "Start Search",
     "Click the 'Start Search' button to find garbage files and then delete them one by one.",
     17, 18, 0, 0, NC, NC},
    {Ctl::cancelButton, K::ImageButton, W, 120, 289, 90, 20, "Cancel",
     "Click the 'Cancel' button to cancel the search.", 19, 20, 0, 0, NC, NC},
    {Ctl::resetButton, K::ImageButton, W, 222, 289, 90, 20, "Reset",
     "Click the 'Reset' button if you wish to start the search over again from the begining.",
     21, 22, 0, 0, NC, NC},
    {Ctl::recoveryButton, K::ImageButton, W, 326, 289, 90, 20, "Recovery",
     "Click the 'Recovery' button to recover the file(s) that have been deleted and copied.", 23,
     24, 0, 0, NC, NC},

    // Results. Key 27 holds the five column titles, separated by ";".
    {Ctl::resultPanel, K::Panel, W, 15, 320, 632, 108, nullptr, nullptr, 0, 0, 0, 0, NC, NC},
    {Ctl::resultList, K::ReportList, Ctl::resultPanel, 6, 6, 620, 95, nullptr, nullptr, 27, 0, 0,
     0, NC, NC},

    // Footer.
    {Ctl::footerLabel, K::TransparentLabel, W, 15, 441, 500, 20, kFooterText, nullptr, 1, 0, 0, 0,
     NC, NC},
    {Ctl::privacyTracesButton, K::ImageButton, W, 544, 444, 20, 17, "P", "Privacy traces", 0, 0,
     kNamedByTooltip, 0, NC, NC},
    {Ctl::updateSettingsButton, K::ImageButton, W, 572, 444, 20, 17, "U", "Update settings", 0, 0,
     kNamedByTooltip, 0, NC, NC},
    {Ctl::aboutButton, K::PictureButton, W, 600, 444, 20, 17, nullptr, "About", 0, 0, 0, 0, NC,
     NC, 0, Glyph::About},
    {Ctl::exitButton, K::PictureButton, W, 628, 444, 20, 17, nullptr, "Exit", 0, 0, 0, 0, NC, NC,
     0, Glyph::Power},

    // Compact automatic mode: covers the top left corner, which is all that shows of the
    // window then.
    {Ctl::stepPanel, K::Panel, W, 0, 0, 387, 132, nullptr, nullptr, 0, 0, kHidden, 0, NC, NC},
    {Ctl::stepBackLabel, K::Label, Ctl::stepPanel, 0, 0, 387, 132, "", nullptr, 0, 0, kDrags, 0,
     NC, NC},
    {Ctl::stepTextLabel, K::Label, Ctl::stepPanel, 9, 10, 368, 112, "", nullptr, 0, 0, kDrags, 0,
     NC, NC},
    {Ctl::stepProgressBar, K::Progress, Ctl::stepPanel, 35, 46, 316, 22, nullptr, nullptr, 0, 0,
     0, 0, NC, NC},
    {Ctl::showStepCheck, K::Check, Ctl::stepPanel, 35, 82, 316, 16,
     "Show the step window when start", nullptr, 111, 0, 0, 0, NC, NC},

    // Timers, all stopped at first.
    {Ctl::stepTimer, K::Timer, W, 0, 0, 0, 0, nullptr, nullptr, 0, 0, 0, 0, NC, NC},
    {Ctl::finishTimer, K::Timer, W, 0, 0, 0, 0, nullptr, nullptr, 0, 0, 0, 0, NC, NC},
    {Ctl::elapsedTimer, K::Timer, W, 0, 0, 0, 0, nullptr, nullptr, 0, 0, 0, 0, NC, NC},
    {Ctl::alertBlinkTimer, K::Timer, W, 0, 0, 0, 0, nullptr, nullptr, 0, 0, 0, 0, NC, NC},

    // Pop-up menus; their items follow each menu.
    {Ctl::fileMenu, K::Menu, W, 0, 0, 0, 0, "filemenu", nullptr, 0, 0, 0, 0, NC, NC},
    {Ctl::fileMenuDeleteThis, K::MenuItem, Ctl::fileMenu, 0, 0, 0, 0, "Delete this file only",
     nullptr, 37, 0, 0, 0, NC, NC},
    {Ctl::None, K::MenuSeparator, Ctl::fileMenu, 0, 0, 0, 0, nullptr, nullptr, 0, 0, 0, 0, NC, NC},
    {Ctl::fileMenuSelectAll, K::MenuItem, Ctl::fileMenu, 0, 0, 0, 0, "Select all files", nullptr,
     38, 0, 0, 0, NC, NC},
    // This item deletes the ticked rows, so its caption says so.
    {Ctl::fileMenuDeleteTicked, K::MenuItem, Ctl::fileMenu, 0, 0, 0, 0, "Delete selected files",
     nullptr, 39, 0, 0, 0, NC, NC},
    {Ctl::None, K::MenuSeparator, Ctl::fileMenu, 0, 0, 0, 0, nullptr, nullptr, 0, 0, 0, 0, NC, NC},
    {Ctl::fileMenuDeleteAll, K::MenuItem, Ctl::fileMenu, 0, 0, 0, 0, "Delete all files", nullptr,
     40, 0, 0, 0, NC, NC},
    {Ctl::None, K::MenuSeparator, Ctl::fileMenu, 0, 0, 0, 0, nullptr, nullptr, 0, 0, 0, 0, NC, NC},

    {Ctl::languageMenu, K::Menu, W, 0, 0, 0, 0, "language", nullptr, 0, 0, 0, 0, NC, NC},
    {Ctl::languageMenuEnglish, K::MenuItem, Ctl::languageMenu, 0, 0, 0, 0, "English", nullptr, 41,
     0, 0, 0, NC, NC},
    {Ctl::None, K::MenuSeparator, Ctl::languageMenu, 0, 0, 0, 0, nullptr, nullptr, 0, 0, 0, 0, NC,
     NC},
    {Ctl::languageMenuChineseGB, K::MenuItem, Ctl::languageMenu, 0, 0, 0, 0,
     "Chinese(Simplified)", nullptr, 42, 0, 0, 0, NC, NC},
    {Ctl::languageMenuChineseBig5, K::MenuItem, Ctl::languageMenu, 0, 0, 0, 0,
     "Chinese(Traditional)", nullptr, 43, 0, 0, 0, NC, NC},
    {Ctl::None, K::MenuSeparator, Ctl::languageMenu, 0, 0, 0, 0, nullptr, nullptr, 0, 0, 0, 0, NC,
     NC},
    {Ctl::languageMenuJapanese, K::MenuItem, Ctl::languageMenu, 0, 0, 0, 0, "Japanese", nullptr,
     44, 0, 0, 0, NC, NC},
    {Ctl::None, K::MenuSeparator, Ctl::languageMenu, 0, 0, 0, 0, nullptr, nullptr, 0, 0, 0, 0, NC,
     NC},
    {Ctl::languageMenuOthers, K::MenuItem, Ctl::languageMenu, 0, 0, 0, 0, "Others ...", nullptr,
     112, 0, 0, 0, NC, NC},
};

}  // namespace

extern const WindowSpec kMainWindowSpec;
const WindowSpec kMainWindowSpec = {Ctl::MainWindow, "Dustvane", 663, 470, kFormBlue, kControls,
                                    sizeof kControls / sizeof kControls[0], true};

}  // namespace dv

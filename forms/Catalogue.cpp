// The program's windows: every window table and the columns of its report lists.
#include "forms/Catalogue.h"

namespace dv {

extern const WindowSpec kMainWindowSpec, kSplashWindowSpec, kStartupWizardWindowSpec,
    kAddGarbageTypeWindowSpec, kAboutWindowSpec, kLanguageWindowSpec, kUpdateSettingsWindowSpec,
    kPrivacyTracesWindowSpec, kExclusionListWindowSpec;

const WindowTables& windowTables() {
    static const WindowTables tables(
        {
            &kMainWindowSpec,           &kSplashWindowSpec,          &kStartupWizardWindowSpec,
            &kAddGarbageTypeWindowSpec, &kAboutWindowSpec,           &kLanguageWindowSpec,
            &kUpdateSettingsWindowSpec, &kPrivacyTracesWindowSpec,   &kExclusionListWindowSpec,
        },
        {
            {Ctl::resultList, "File Name", 130},
            {Ctl::resultList, "File Type", 100},
            {Ctl::resultList, "File Size", 80},
            {Ctl::resultList, "Date Modified", 100},
            {Ctl::resultList, "Garbage File Path and File Name", 200},
            {Ctl::exclusionList, "", 272},
        });
    return tables;
}

}  // namespace dv

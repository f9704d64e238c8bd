// Lookups into the window tables.
#include "forms/ControlSpec.h"
#include "search/Patterns.h"

namespace dv {

extern const WindowSpec kMainWindowSpec, kSplashWindowSpec, kStartupWizardWindowSpec,
    kAddGarbageTypeWindowSpec, kAboutWindowSpec, kLanguageWindowSpec, kUpdateSettingsWindowSpec,
    kPrivacyTracesWindowSpec, kExclusionListWindowSpec;

namespace {

const WindowSpec* const kWindows[] = {
    &kMainWindowSpec,           &kSplashWindowSpec,          &kStartupWizardWindowSpec,
    &kAddGarbageTypeWindowSpec, &kAboutWindowSpec,           &kLanguageWindowSpec,
    &kUpdateSettingsWindowSpec, &kPrivacyTracesWindowSpec,   &kExclusionListWindowSpec,
};

const ListColumn kColumns[] = {
    {Ctl::resultList, "File Name", 130},
    {Ctl::resultList, "File Type", 100},
    {Ctl::resultList, "File Size", 80},
    {Ctl::resultList, "Date Modified", 100},
    {Ctl::resultList, "Garbage File Path and File Name", 200},
    {Ctl::exclusionList, "", 272},
};

}  // namespace

const WindowSpec* findWindowSpec(Ctl window) {
    for (const WindowSpec* w : kWindows)
        if (w->id == window) return w;
    return nullptr;
}

const ControlSpec* findControlSpec(Ctl control) {
    if (control == Ctl::None) return nullptr;  // menu separators carry no name
    for (const WindowSpec* w : kWindows)
        for (size_t i = 0; i < w->controlCount; ++i)
            if (w->controls[i].id == control) return &w->controls[i];
    return nullptr;
}

Ctl windowOf(Ctl control) {
    if (findWindowSpec(control)) return control;
    if (control == Ctl::None) return Ctl::None;
    for (const WindowSpec* w : kWindows)
        for (size_t i = 0; i < w->controlCount; ++i)
            if (w->controls[i].id == control) return w->id;
    return Ctl::None;
}

std::vector<std::string> storedComboItems(Ctl combo) {
    if (combo == Ctl::driveCombo) return driveComboItems();
    if (combo == Ctl::patternSetCombo) return patternSetComboItems();
    return {};
}

std::vector<ListColumn> listColumns(Ctl list) {
    std::vector<ListColumn> columns;
    for (const ListColumn& c : kColumns)
        if (c.list == list) columns.push_back(c);
    return columns;
}

}  // namespace dv

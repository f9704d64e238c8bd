// Every window comes up exactly as its table describes it.
// Under DV_WINE_DPI (144, 192) every length is the table's times the scale, within a pixel.
#include <cstdlib>
#include <functional>
#include <string>

#include "platform/win32ui/Dpi.h"
#include "tests/wine/ui/UiWineEnv.h"

namespace dv::winetest {
namespace {

const Ctl kWindows[] = {
    Ctl::MainWindow,           Ctl::SplashWindow,         Ctl::StartupWizardWindow,
    Ctl::AddGarbageTypeWindow, Ctl::AboutWindow,          Ctl::LanguageWindow,
    Ctl::UpdateSettingsWindow, Ctl::PrivacyTracesWindow,  Ctl::ExclusionListWindow,
};

bool hasWindow(Kind k) {
    return k != Kind::Timer && k != Kind::Menu && k != Kind::MenuItem &&
           k != Kind::MenuSeparator;
}

std::string textOf(HWND h) {
    char buf[1024] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

// The display scale the run was started with.
int runDpi() {
    const char* dpi = std::getenv("DV_WINE_DPI");
    return dpi ? std::atoi(dpi) : kBaseDpi;
}

// Window size, every control's place, font and list columns of an open window at `dpi`.
using HwndOf = std::function<HWND(Ctl)>;
void expectLaidOut(const HwndOf& hwndOf, HWND top, Ctl window, int dpi) {
    const WindowSpec* spec = windowTables().window(window);
    const int slack = dpi == kBaseDpi ? 0 : 1;
    auto scaledTo = [&](long got, int length) { EXPECT_NEAR(got, scaled(length, dpi), slack); };
    RECT client;
    GetClientRect(top, &client);
    scaledTo(client.right, spec->width);
    scaledTo(client.bottom, spec->height);
    for (size_t i = 0; i < spec->controlCount; ++i) {
        const ControlSpec& c = spec->controls[i];
        if (c.id == Ctl::None || !hasWindow(c.kind)) continue;
        SCOPED_TRACE(controlName(c.id));
        HWND h = hwndOf(c.id);
        ASSERT_TRUE(h);
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
        scaledTo(r.left, c.x);
        scaledTo(r.top, c.y);
        scaledTo(r.right - r.left, c.width);
        if (c.kind != Kind::Combo || c.height < 40) scaledTo(r.bottom - r.top, c.height);
        if (c.kind == Kind::Panel || c.kind == Kind::Progress) continue;  // no text
        LOGFONTA font = {};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -scaled(c.fontPx ? c.fontPx : 12, dpi));
        std::vector<ListColumn> columns = windowTables().columns(c.id);
        for (size_t n = 0; n < columns.size(); ++n)
            scaledTo(SendMessageA(h, LVM_GETCOLUMNWIDTH, n, 0), columns[n].width);
    }
}

TEST_F(UiWine, EveryControlStandsWhereItsTableSaysInItsStartingState) {
    for (Ctl window : kWindows) {
        const WindowSpec* spec = windowTables().window(window);
        ASSERT_TRUE(spec);
        SCOPED_TRACE(controlName(window));
        ASSERT_TRUE(ui.createWindow(window));
        HWND top = ui.windowHandle(window);
        EXPECT_EQ(dpiOf(top), runDpi());
        expectLaidOut(controls(), top, window, runDpi());
        EXPECT_EQ(textOf(top), spec->caption);
        // Never sized or maximised by the user.
        EXPECT_FALSE(GetWindowLongA(top, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CAPTION));

        for (size_t i = 0; i < spec->controlCount; ++i) {
            const ControlSpec& c = spec->controls[i];
            if (c.id == Ctl::None) continue;
            SCOPED_TRACE(controlName(c.id));
            if (c.kind == Kind::Timer) {
                EXPECT_EQ(ui.timerInterval(c.id), c.timerMs);
                continue;
            }
            if (!hasWindow(c.kind)) {
                if (c.kind == Kind::MenuItem) {
                    EXPECT_EQ(ui.text(c.id), c.text);
                }
                continue;
            }
            HWND h = hwndOf(c.id);
            ASSERT_TRUE(h);
            EXPECT_EQ(ui.isVisible(c.id), !(c.flags & kHidden));
            EXPECT_EQ(ui.isEnabled(c.id), !(c.flags & kDisabled));
            if (c.kind == Kind::Check || c.kind == Kind::Radio) {
                EXPECT_EQ(ui.isChecked(c.id), (c.flags & kChecked) != 0);
            }
            if (c.text && c.kind != Kind::Combo) {
                EXPECT_EQ(ui.text(c.id), c.text);
            }
            if (c.tooltip) {
                EXPECT_EQ(ui.tooltip(c.id), c.tooltip);
            }
            // What a screen reader announces: the caption, or the tooltip of a symbol.
            if (namedByTooltip(c)) {
                EXPECT_EQ(textOf(h), c.tooltip);
            } else if (c.text && c.kind != Kind::Combo) {
                EXPECT_EQ(textOf(h), c.text);
            }
            if (c.kind == Kind::Combo) {
                EXPECT_EQ(ui.comboCount(c.id), int(storedComboItems(c.id).size()));
            }
        }
        ui.closeWindow(window);
        EXPECT_FALSE(ui.windowHandle(window));
    }
}

// A window dragged from a 100 % monitor onto a 150 % one ends up as one started there.
TEST_F(UiWine, MovedToAnotherScaleItLaysItselfOutAgain) {
    if (runDpi() != kBaseDpi) GTEST_SKIP() << "starts at 100 %";
    for (Ctl window : {Ctl::MainWindow, Ctl::ExclusionListWindow}) {
        SCOPED_TRACE(controlName(window));
        ASSERT_TRUE(ui.createWindow(window));
        HWND top = ui.windowHandle(window);
        ui.setWidth(Ctl::diskRatioBar, 100);  // the drive bar keeps its share
        RECT r;
        GetWindowRect(top, &r);
        RECT suggested = {r.left + 7, r.top + 5, r.left + 7 + scaled(r.right - r.left, 144),
                          r.top + 5 + scaled(r.bottom - r.top, 144)};
        SendMessageA(top, WM_DPICHANGED, MAKEWPARAM(144, 144), LPARAM(&suggested));
        GetWindowRect(top, &r);
        EXPECT_EQ(r.left, suggested.left);
        EXPECT_EQ(r.top, suggested.top);
        ui.setWidth(Ctl::diskRatioBar, 250);
        expectLaidOut(controls(), top, window, 144);
        ui.closeWindow(window);
    }
}

TEST_F(UiWine, ReportListsTakeTheirColumnsFromTheTable) {
    ASSERT_TRUE(ui.createWindow(Ctl::MainWindow));
    ASSERT_TRUE(ui.createWindow(Ctl::ExclusionListWindow));
    for (Ctl list : {Ctl::resultList, Ctl::exclusionList}) {
        HWND h = hwndOf(list);
        ASSERT_TRUE(h);
        std::vector<ListColumn> columns = windowTables().columns(list);
        ASSERT_FALSE(columns.empty());
        for (size_t i = 0; i < columns.size(); ++i) {
            char title[128] = {};
            LVCOLUMNA col = {};
            col.mask = LVCF_TEXT | LVCF_WIDTH;
            col.pszText = title;
            col.cchTextMax = sizeof title;
            ASSERT_TRUE(SendMessageA(h, LVM_GETCOLUMNA, i, LPARAM(&col)));
            EXPECT_STREQ(title, columns[i].title);
            EXPECT_EQ(col.cx, columns[i].width);
        }
        LVCOLUMNA extra = {};
        extra.mask = LVCF_WIDTH;
        EXPECT_FALSE(SendMessageA(h, LVM_GETCOLUMNA, columns.size(), LPARAM(&extra)));
    }
    ui.setColumnTitle(Ctl::resultList, 4, "Path");
    char title[64] = {};
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT;
    col.pszText = title;
    col.cchTextMax = sizeof title;
    SendMessageA(hwndOf(Ctl::resultList), LVM_GETCOLUMNA, 4, LPARAM(&col));
    EXPECT_STREQ(title, "Path");
}

}  // namespace
}  // namespace dv::winetest

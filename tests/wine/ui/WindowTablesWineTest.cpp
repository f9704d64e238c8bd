// Every window comes up exactly as its table describes it.
#include <string>

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

TEST_F(UiWine, EveryControlStandsWhereItsTableSaysInItsStartingState) {
    for (Ctl window : kWindows) {
        const WindowSpec* spec = windowTables().window(window);
        ASSERT_TRUE(spec);
        SCOPED_TRACE(controlName(window));
        ASSERT_TRUE(ui.createWindow(window));
        HWND top = ui.windowHandle(window);
        RECT client;
        GetClientRect(top, &client);
        EXPECT_EQ(client.right, spec->width);
        EXPECT_EQ(client.bottom, spec->height);
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
            RECT r;
            GetWindowRect(h, &r);
            MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.left, c.x);
            EXPECT_EQ(r.top, c.y);
            EXPECT_EQ(r.right - r.left, c.width);
            if (c.kind != Kind::Combo) {
                EXPECT_EQ(r.bottom - r.top, c.height);
            }
            EXPECT_EQ(ui.isVisible(c.id), !(c.flags & kHidden));
            EXPECT_EQ(ui.isEnabled(c.id), !(c.flags & kDisabled));
            if (c.kind == Kind::Check || c.kind == Kind::Radio) {
                EXPECT_EQ(ui.isChecked(c.id), (c.flags & kChecked) != 0);
            }
            if (c.text && c.kind != Kind::Combo) {
                EXPECT_EQ(textOf(h), c.text);
            }
            if (c.tooltip) {
                EXPECT_EQ(ui.tooltip(c.id), c.tooltip);
            }
            if (c.kind == Kind::Combo) {
                EXPECT_EQ(ui.comboCount(c.id), int(storedComboItems(c.id).size()));
            }
        }
        ui.closeWindow(window);
        EXPECT_FALSE(ui.windowHandle(window));
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

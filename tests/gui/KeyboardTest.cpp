// The main window from the keyboard alone: Tab visits every control a user can work
// once, in table order, and comes round again; Space presses the focused button.
#include <algorithm>
#include <vector>

#include "tests/gui/SearchSteps.h"

namespace gui {
namespace {

bool tabStop(dv::Kind k) {
    using dv::Kind;
    return k == Kind::ImageButton || k == Kind::PictureButton || k == Kind::Combo ||
           k == Kind::Radio || k == Kind::Check || k == Kind::Edit || k == Kind::ReportList ||
           k == Kind::CheckList;
}

HWND focusOf(HWND top) {
    GUITHREADINFO info = {sizeof info};
    return GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info) ? info.hwndFocus
                                                                             : nullptr;
}

// Presses Tab on whatever has the focus and waits until it moved to `next`.
bool tabTo(HWND top, HWND next) {
    HWND from = focusOf(top);
    postKey(from ? from : top, VK_TAB);
    return waitUntil([&] { return focusOf(top) == next; }, kShortWait);
}

TEST_F(GuiTest, TabVisitsEveryUsableControlOnceAndSpaceStartsTheSearch) {
    HWND top = startNormal();
    ASSERT_TRUE(top);
    SearchSteps s(top, app().process());
    ASSERT_TRUE(s.ready() && s.choose(testDrive(), 0));
    const dv::WindowSpec& spec = *dv::windowTables().window(Ctl::MainWindow);
    std::vector<HWND> stops;
    for (size_t i = 0; i < spec.controlCount; ++i) {
        const dv::ControlSpec& c = spec.controls[i];
        if (!tabStop(c.kind)) continue;
        HWND h = placed(top, c.id, 0);
        ASSERT_TRUE(h) << dv::controlName(c.id);
        if (IsWindowVisible(h) && IsWindowEnabled(h)) stops.push_back(h);
    }
    ASSERT_GT(stops.size(), 20u);
    for (size_t i = 0; i <= stops.size(); ++i)
        ASSERT_TRUE(tabTo(top, stops[i % stops.size()])) << "stop " << i << " of " << stops.size();

    const size_t start = size_t(std::find(stops.begin(), stops.end(), s.start) - stops.begin());
    ASSERT_LT(start, stops.size());
    for (size_t i = 1; i <= start; ++i) ASSERT_TRUE(tabTo(top, stops[i]));
    EXPECT_TRUE(s.run(kLongWait, VK_SPACE));
}

}  // namespace
}  // namespace gui

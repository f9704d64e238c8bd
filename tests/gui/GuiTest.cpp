#include "tests/gui/GuiTest.h"

#include <cctype>

namespace gui {

namespace {

constexpr int kSplashWidth = 435, kSplashHeight = 294;

bool sitsAt(HWND top, HWND c, const Place& p) {
    RECT r = rectIn(top, c);
    if (r.left != p.x || r.top != p.y || r.right - r.left != p.w) return false;
    return p.h == 0 || r.bottom - r.top == p.h;
}

const char* systemClass(dv::Kind kind) {
    using dv::Kind;
    switch (kind) {
        case Kind::PictureButton:
        case Kind::ImageButton:
        case Kind::Radio:
        case Kind::Check:
        case Kind::GroupBox: return "Button";
        case Kind::Combo: return "ComboBox";
        case Kind::Edit: return "Edit";
        case Kind::ReportList:
        case Kind::CheckList: return "SysListView32";
        case Kind::Progress: return "msctls_progress32";
        case Kind::Panel: return "DustvanePanel";
        default: return "Static";
    }
}

}  // namespace

Place place(Ctl control, bool withText) {
    using dv::Kind;
    const dv::ControlSpec* c = dv::windowTables().control(control);
    if (!c) return {};
    Place p{c->x, c->y, c->width, c->kind == Kind::Combo ? 0 : c->height, nullptr,
            systemClass(c->kind)};
    const bool button = c->kind == Kind::ImageButton || c->kind == Kind::Radio || c->kind == Kind::Check;
    if (c->text && *c->text && (button || withText)) p.caption = c->text;
    if (dv::namedByTooltip(*c)) p.caption = c->tooltip;  // what a screen reader announces
    for (auto* in = dv::windowTables().control(c->parent); in; in = dv::windowTables().control(in->parent)) {
        p.x += in->x;
        p.y += in->y;
    }
    return p;
}

HWND placed(HWND top, const Place& p, DWORD timeoutMs) {
    Find f;
    if (p.cls) f.className(p.cls);
    if (p.caption) f.caption(p.caption);
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND c : findControls(top, f))
                if (sitsAt(top, c, p)) return (found = c) != nullptr;
            return false;
        },
        timeoutMs);
    return found;
}

bool containsNumber(const std::string& text, long long n) {
    for (size_t i = 0; i < text.size();) {
        if (!isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        long long v = 0;
        while (i < text.size() && isdigit(static_cast<unsigned char>(text[i])))
            v = v * 10 + (text[i++] - '0');
        if (v == n) return true;
    }
    return false;
}

bool onlyTestDrives() {
    const std::string drive = testDrive();
    if (drive.size() != 2 || drive[1] != ':') return false;
    const DWORD allowed = (1u << ('C' - 'A')) | (1u << (toupper(drive[0]) - 'A'));
    return (GetLogicalDrives() & ~allowed & ~3u) == 0;
}

void GuiTest::SetUp() {
    clearProgramSettings();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    app_ = std::make_unique<AppUnderTest>(std::string(info->name()).substr(0, 40));
    ASSERT_TRUE(app_->ready()) << app_->error();
}

void GuiTest::TearDown() {
    app_.reset();
    clearProgramSettings();
}

bool GuiTest::waitSplashGone(DWORD* shownMs, DWORD of) {
    const DWORD id = of ? of : pid();
    if (!waitTopWindow(id, nullptr, kSplashWidth, kSplashHeight, kLongWait)) return false;
    const DWORD seen = GetTickCount();
    bool gone = waitUntil(
        [&] { return !findTopWindow(id, nullptr, kSplashWidth, kSplashHeight, true); },
        kLongWait);
    if (shownMs) *shownMs = GetTickCount() - seen;
    return gone;
}

HWND GuiTest::startNormal() { return startNormal(*app_); }

HWND GuiTest::startNormal(AppUnderTest& program) {
    setStartSwitch("NotShow", 1);
    if (!program.start()) return nullptr;
    if (!waitSplashGone(nullptr, program.pid())) return nullptr;
    HWND top = waitTopWindow(program.pid(), "Dustvane", main_window::kWidth,
                             main_window::kHeight, kLongWait);
    // Start-up ends with the window normal and centred; wait until it is no longer minimised.
    if (top) waitUntil([&] { return !IsIconic(top); }, kShortWait);
    return top;
}

}  // namespace gui

// The program's own drawing: smooth shapes, the button looks, and labels that repaint
// cleanly over what lies below them.
#include "platform/win32ui/Artwork.h"
#include "platform/win32ui/Canvas.h"
#include "tests/wine/ui/UiWineEnv.h"

namespace dv::winetest {
namespace {

uint32_t at(const Canvas& c, int x, int y) {
    COLORREF p = GetPixel(c.dc(), x, y);
    return (uint32_t(GetRValue(p)) << 16) | (uint32_t(GetGValue(p)) << 8) | GetBValue(p);
}

TEST(CanvasWine, ShapesCoverTheirInsideWithSmoothEdgesOnly) {
    Canvas c(40, 40);
    ASSERT_TRUE(c.ok());
    c.fill(0x000000);
    c.disc(20, 20, 8, 0xFFFFFF);
    EXPECT_EQ(at(c, 20, 20), 0xFFFFFFu);
    EXPECT_EQ(at(c, 2, 2), 0x000000u);
    uint32_t edge = at(c, 27, 20) & 0xFF;  // the pixel the circle's edge runs through
    EXPECT_GT(edge, 0u);
    EXPECT_LT(edge, 0xFFu);

    // A ring drawn from 0 to 90 degrees (right, then down) leaves the top half alone.
    c.fill(0x000000);
    c.arc(20, 20, 10, 3, 0, 90, 0xFF0000);
    EXPECT_EQ(at(c, 27, 27) >> 16, 0xFFu);
    EXPECT_EQ(at(c, 20, 10), 0x000000u);

    // A polygon fills its inside and nothing beyond its outline.
    const float square[] = {5, 5, 35, 5, 35, 35, 5, 35};
    c.fill(0x000000);
    c.polygon(square, 4, 0x00FF00);
    EXPECT_EQ(at(c, 20, 20), 0x00FF00u);
    EXPECT_EQ(at(c, 38, 20), 0x000000u);
}

TEST(CanvasWine, GradientsRunFromTopToBottom) {
    Canvas c(4, 100);
    c.fillRect(0, 0, 4, 100, {0, 100, 0x000000, 0xFFFFFF});
    EXPECT_LT(at(c, 1, 2) & 0xFF, 0x10u);
    EXPECT_GT(at(c, 1, 97) & 0xFF, 0xF0u);
    EXPECT_EQ(mixRgb(0x000000, 0xFFFFFF, 0.5f), 0x808080u);
}

TEST(ArtworkWine, ButtonLooksDifferAndShowTheirCaption) {
    Canvas c(90, 20);
    ButtonFace face;
    face.backRgb = 0x4689E0;
    face.caption = "Start Search";
    face.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    RECT r = {0, 0, 90, 20};
    uint32_t body[4], ink = 0;
    const ButtonLook looks[] = {ButtonLook::Normal, ButtonLook::Hover, ButtonLook::Pressed,
                                ButtonLook::Disabled};
    for (int i = 0; i < 4; ++i) {
        face.look = looks[i];
        drawImageButton(c.dc(), r, face);
        body[i] = at(c, 3, 14);  // below the caption's left end, inside the border
        if (i == 0)
            for (int x = 10; x < 80; ++x) ink = std::max(ink, 0xFFu - (at(c, x, 10) & 0xFF));
    }
    EXPECT_NE(body[0], body[1]);
    EXPECT_NE(body[0], body[2]);
    EXPECT_NE(body[0], body[3]);
    EXPECT_GT(ink, 0x80u);                 // dark caption pixels on the light body
    EXPECT_EQ(at(c, 0, 0), 0x4689E0u);     // the rounded corner shows what surrounds it

    // The close button turns red under the mouse; the others stay blue-white.
    Canvas small(20, 17);
    RECT sr = {0, 0, 20, 17};
    ButtonFace close;
    close.backRgb = 0x4689E0;
    close.glyph = Glyph::Close;
    close.look = ButtonLook::Hover;
    drawPictureButton(small.dc(), sr, close);
    uint32_t hot = at(small, 3, 8);
    EXPECT_GT(hot >> 16, (hot >> 8) & 0xFF);
    EXPECT_EQ(windowTables().control(Ctl::wizardCloseButton)->glyph, Glyph::Close);
    EXPECT_EQ(windowTables().control(Ctl::exitButton)->glyph, Glyph::Power);
}

TEST_F(UiWine, ALabelOverTheWindowLeavesNoOldTextBehind) {
    ASSERT_TRUE(ui.createWindow(Ctl::MainWindow));
    ui.setText(Ctl::currentFileLabel, std::string(60, 'W'));
    showNow(Ctl::MainWindow);
    HWND label = hwndOf(Ctl::currentFileLabel);
    HDC dc = GetDC(label);
    bool inked = false;
    for (int x = 200; x < 290 && !inked; ++x)
        for (int y = 0; y < 16 && !inked; ++y) inked = GetPixel(dc, x, y) != RGB(0x46, 0x89, 0xE0);
    EXPECT_TRUE(inked);

    ui.setText(Ctl::currentFileLabel, "C:\\");
    showNow(Ctl::MainWindow);
    for (int x = 200; x < 290; ++x)
        for (int y = 0; y < 16; ++y)
            ASSERT_EQ(GetPixel(dc, x, y), RGB(0x46, 0x89, 0xE0)) << x << "," << y;
    ReleaseDC(label, dc);
}

}  // namespace
}  // namespace dv::winetest

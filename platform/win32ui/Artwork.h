// Dustvane's own artwork: push buttons, title-strip buttons, the program mark and the
// splash picture. Everything is drawn off-screen and copied in one step.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/WindowTables.h"

namespace dv {

enum class ButtonLook { Normal, Hover, Pressed, Disabled };
constexpr uint32_t kDefaultInk = 0xFF000000u;

struct ButtonFace {
    ButtonLook look = ButtonLook::Normal;
    bool focused = false;
    uint32_t backRgb = 0;              // what surrounds the button
    uint32_t textRgb = kDefaultInk;    // caption colour (0xRRGGBB), or the look's own
    HFONT font = nullptr;
    std::string caption;
    Glyph glyph = Glyph::None;
    float scale = 1.f;  // the window's DPI / 96: corners, strokes and insets follow it
};

// A push button: a rounded gradient body with the caption (or glyph) over it.
void drawImageButton(HDC dc, const RECT& r, const ButtonFace& face);
// A small title-strip or footer button: a translucent rounded box with a white glyph.
void drawPictureButton(HDC dc, const RECT& r, const ButtonFace& face);
// The program mark (a rounded blue tile with a white sweep and a sparkle).
void drawProgramMark(HDC dc, const RECT& r, uint32_t backRgb);
class Canvas;

// The splash picture at a display scale; `frame` drives its animation (one step per splash
// animation tick). `still` keeps what does not move, drawn at the first frame of each size.
void drawSplash(HDC dc, const RECT& r, int frame, float scale, std::unique_ptr<Canvas>& still);
// How many frames the splash animation has before it repeats.
constexpr int kSplashFrames = 60;

}  // namespace dv

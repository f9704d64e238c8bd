#include "platform/win32ui/Artwork.h"

#include <cmath>
#include <memory>

#include "platform/win32ui/Canvas.h"

namespace dv {

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kNavy = 0x10264D;

struct BodyColours {
    uint32_t top, bottom, border, text;
};

BodyColours bodyOf(ButtonLook look) {
    switch (look) {
        case ButtonLook::Hover: return {0xFFFFFF, 0xCDEBFF, 0x1F74D0, kNavy};
        case ButtonLook::Pressed: return {0xA9C4EC, 0xDCE8FA, 0x163A78, kNavy};
        case ButtonLook::Disabled: return {0xEEF2F7, 0xD3DBE6, 0x8FA3C0, 0x8792A3};
        default: return {0xFBFDFF, 0xC4D8F3, 0x2A5BAA, kNavy};
    }
}

COLORREF ref(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

void drawText(Canvas& c, const std::string& text, HFONT font, uint32_t rgb, RECT r, UINT flags) {
    if (text.empty()) return;
    GdiFlush();
    HGDIOBJ old = font ? SelectObject(c.dc(), font) : nullptr;
    SetTextColor(c.dc(), ref(rgb));
    DrawTextA(c.dc(), text.c_str(), int(text.size()), &r, flags | DT_NOPREFIX);
    if (old) SelectObject(c.dc(), old);
    GdiFlush();
}

HFONT artFont(int px, bool bold, const char* face = "Arial") {
    return CreateFontA(-px, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

// A glyph centred on (cx, cy), scaled to a box of about `size` pixels.
void drawGlyph(Canvas& c, Glyph g, float cx, float cy, float size, uint32_t rgb) {
    float s = size / 10.f;  // glyphs are designed on a 10-unit grid
    float w = std::max(1.5f, 1.7f * s);
    switch (g) {
        case Glyph::Minimise:
            c.line(cx - 3.5f * s, cy + 3 * s, cx + 3.5f * s, cy + 3 * s, w, rgb);
            break;
        case Glyph::Close:
            c.line(cx - 3.2f * s, cy - 3.2f * s, cx + 3.2f * s, cy + 3.2f * s, w, rgb);
            c.line(cx + 3.2f * s, cy - 3.2f * s, cx - 3.2f * s, cy + 3.2f * s, w, rgb);
            break;
        case Glyph::Help:
            c.arc(cx, cy - 1.6f * s, 2.6f * s, w, 180, 60, rgb);
            c.line(cx + 1.3f * s, cy + 0.6f * s, cx, cy + 1.6f * s, w, rgb);
            c.disc(cx, cy + 4.2f * s, w * 0.62f, rgb);
            break;
        case Glyph::About:
            c.disc(cx, cy - 3.6f * s, w * 0.62f, rgb);
            c.line(cx, cy - 0.8f * s, cx, cy + 4 * s, w, rgb);
            break;
        case Glyph::Power:
            c.arc(cx, cy + 0.6f * s, 3.8f * s, w, -50, 230, rgb);
            c.line(cx, cy - 4.4f * s, cx, cy + 0.2f * s, w, rgb);
            break;
        case Glyph::Globe: {
            float r = 4.6f * s, lw = std::max(1.2f, 0.55f * s);
            c.disc(cx, cy, r, 0xE8F4FF, 0.9f);
            c.ellipseOutline(cx, cy, r, r, lw, rgb);
            c.ellipseOutline(cx, cy, r * 0.42f, r, lw, rgb);
            c.line(cx - r, cy, cx + r, cy, lw, rgb);
            c.line(cx - r * 0.85f, cy - r * 0.5f, cx + r * 0.85f, cy - r * 0.5f, lw, rgb, 0.8f);
            c.line(cx - r * 0.85f, cy + r * 0.5f, cx + r * 0.85f, cy + r * 0.5f, lw, rgb, 0.8f);
            break;
        }
        case Glyph::None:
            break;
    }
}

// The program mark, as the program icon shows it: a broom sweeping up a sparkle on a
// blue tile. Coordinates are fractions of the tile's size.
void drawMark(Canvas& c, float x, float y, float s) {
    auto px = [&](float u) { return x + u * s; };
    auto py = [&](float v) { return y + v * s; };
    c.roundRect(px(0.03f), py(0.03f), px(0.97f), py(0.97f), s * 0.2f,
                {py(0.03f), py(0.97f), 0x4896F5, 0x1654B8});
    c.roundRectOutline(px(0.03f), py(0.03f), px(0.97f), py(0.97f), s * 0.2f,
                       std::max(1.f, s * 0.045f), 0x0E3478);

    auto star = [&](float cx, float cy, float outer, float inner) {
        float pts[16];
        for (int i = 0; i < 8; ++i) {
            float a = 1.5708f + i * 0.7854f, r = i % 2 ? inner : outer;
            pts[2 * i] = px(cx + r * std::cos(a));
            pts[2 * i + 1] = py(cy - r * std::sin(a));
        }
        c.polygon(pts, 8, kWhite);
    };
    star(0.27f, 0.27f, 0.17f, 0.045f);
    star(0.60f, 0.80f, 0.09f, 0.025f);

    // The broom lies on the diagonal from the top right to the bottom left.
    const float headX = 0.45f, headY = 0.52f, ux = -0.7071f, uy = 0.7071f, nx = -0.7071f,
                ny = -0.7071f;
    auto broom = [&](float* out, float forward, float side) {
        out[0] = px(headX + ux * forward + nx * side);
        out[1] = py(headY + uy * forward + ny * side);
    };
    float neck[2];
    broom(neck, -0.02f, 0);
    c.line(px(0.80f), py(0.17f), neck[0], neck[1], s * 0.105f, 0x96622C);
    c.line(px(0.80f), py(0.17f), neck[0], neck[1], s * 0.06f, 0xDEAA66);
    float straw[10];
    broom(straw + 0, 0, -0.09f);
    broom(straw + 2, 0, 0.09f);
    broom(straw + 4, 0.27f, 0.18f);
    broom(straw + 6, 0.30f, 0);
    broom(straw + 8, 0.27f, -0.18f);
    c.polygon(straw, 5, 0xFACE48);
    for (float side : {-0.1f, 0.f, 0.1f}) {  // darker streaks along the straw
        float from[2], to[2];
        broom(from, 0.04f, side * 0.6f);
        broom(to, 0.26f, side * 1.5f);
        c.line(from[0], from[1], to[0], to[1], std::max(0.8f, s * 0.025f), 0xCE961E);
    }
    float band[8];
    broom(band + 0, -0.05f, -0.085f);
    broom(band + 2, -0.05f, 0.085f);
    broom(band + 4, 0.03f, 0.095f);
    broom(band + 6, 0.03f, -0.095f);
    c.polygon(band, 4, 0xC83030);
}

// The parts of the splash that do not move, drawn once for each size into `cached`.
// Lengths are those of a 96-DPI display, times `k`.
const Canvas* splashBackground(int w, int h, float k, std::unique_ptr<Canvas>& cached) {
    if (cached && cached->width() == w && cached->height() == h) return cached.get();
    cached = std::make_unique<Canvas>(w, h);
    Canvas& c = *cached;
    if (!c.ok()) return nullptr;
    auto px = [k](float v) { return int(std::lround(v * k)); };
    // The top band is the window colour, so the version label sits on plain ground.
    const int band = px(34);
    c.fill(0x4689E0);
    c.fillRect(0, band, w, h, {float(band), float(h), 0x4689E0, 0x123A8A});
    c.glow(w * 0.2f, h * 0.55f, h * 0.7f, 0x9CCBFF, 0.35f);
    c.arc(w * 0.5f, h * 2.2f, h * 1.75f, 26 * k, 200, 340, kWhite, 0.06f);
    c.arc(w * 0.5f, h * 2.2f, h * 1.62f, 10 * k, 205, 335, kWhite, 0.05f);

    float mark = 92 * k;
    drawMark(c, 34 * k, h * 0.5f - mark / 2 - 14 * k, mark);

    HFONT title = artFont(px(54), true);
    HFONT tag = artFont(px(15), false);
    const int mid = int(h * 0.5f);
    RECT nameBox = {px(146), mid - px(58), w - px(10), mid + px(2)};
    RECT shadow = nameBox;
    OffsetRect(&shadow, px(2), px(2));
    drawText(c, "Dustvane", title, 0x0B2A66, shadow, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    drawText(c, "Dustvane", title, kWhite, nameBox, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    RECT tagBox = {px(150), mid + px(4), w - px(10), mid + px(26)};
    drawText(c, "Junk file cleaner for Windows", tag, 0xD8E8FF, tagBox,
             DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    RECT footBox = {0, h - px(30), w - px(16), h - px(8)};
    drawText(c, "Finding junk files ...", tag, 0xB9D3FA, footBox,
             DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
    DeleteObject(title);
    DeleteObject(tag);
    c.line(34 * k, h - 38.5f * k, w - 16 * k, h - 38.5f * k, k, kWhite, 0.22f);
    return cached.get();
}

// The keyboard focus: a dotted rectangle inside the button's border, dots as large as a
// pixel of a 96-DPI display.
void focusRect(Canvas& c, float k, uint32_t rgb) {
    const int in = std::max(2, int(std::lround(3 * k))), dot = std::max(1, int(std::lround(k)));
    const int x0 = in, y0 = in, x1 = c.width() - in - dot, y1 = c.height() - in - dot;
    if (x1 <= x0 || y1 <= y0) return;
    auto dotAt = [&](int x, int y) { c.fillRect(x, y, x + dot, y + dot, {0, 1, rgb, rgb}); };
    for (int x = x0; x <= x1; x += 2 * dot) dotAt(x, y0), dotAt(x, y1);
    for (int y = y0; y <= y1; y += 2 * dot) dotAt(x0, y), dotAt(x1, y);
}

}  // namespace

void drawImageButton(HDC dc, const RECT& r, const ButtonFace& face) {
    int w = r.right - r.left, h = r.bottom - r.top;
    Canvas c(w, h);
    if (!c.ok()) return;
    c.fill(face.backRgb);
    BodyColours body = bodyOf(face.look);
    const float k = face.scale, in = 0.5f * k;  // k: a pixel of a 96-DPI display
    float rad = std::min(4.f * k, h / 4.5f + in);
    float bottom = h - 3 * in;
    // A soft shadow below, the body, a gloss over its upper half, the border.
    c.roundRect(in, 3 * in, w - in, h - in, rad, {0, float(h), 0x0C2F6B, 0x0C2F6B, 0.35f, 0.35f});
    c.roundRect(in, in, w - in, bottom, rad, {in, bottom, body.top, body.bottom});
    if (face.look != ButtonLook::Pressed && face.look != ButtonLook::Disabled)
        c.roundRect(3 * in, 3 * in, w - 3 * in, 3 * in + (bottom - 3 * in) * 0.5f,
                    std::max(k, rad - k), {3 * in, bottom * 0.5f, kWhite, kWhite, 0.75f, 0.15f});
    c.roundRectOutline(in, in, w - in, bottom, rad, k, body.border);
    if (face.focused) focusRect(c, k, body.text);

    int shift = face.look == ButtonLook::Pressed ? std::max(1, int(std::lround(k))) : 0;
    if (face.glyph != Glyph::None) {
        drawGlyph(c, face.glyph, w / 2.f + shift, (h - 1) / 2.f + shift, std::min(w, h) * 0.9f,
                  0x1E4E9A);
    } else {
        uint32_t textRgb = face.look == ButtonLook::Disabled ? body.text
                           : face.textRgb != kDefaultInk ? face.textRgb
                                                         : body.text;
        const int side = int(std::lround(2 * k));
        RECT box = {side + shift, shift, w - side + shift, h - int(std::lround(k)) + shift};
        drawText(c, face.caption, face.font, textRgb, box,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
    c.blitTo(dc, r.left, r.top);
}

void drawPictureButton(HDC dc, const RECT& r, const ButtonFace& face) {
    int w = r.right - r.left, h = r.bottom - r.top;
    Canvas c(w, h);
    if (!c.ok()) return;
    c.fill(face.backRgb);
    const float k = face.scale, in = 0.5f * k, x1 = w - in, y1 = h - in;
    float rad = 3.5f * k;
    bool close = face.glyph == Glyph::Close;
    switch (face.look) {
        case ButtonLook::Hover:
            if (close)
                c.roundRect(in, in, x1, y1, rad, {0, float(h), 0xF4705F, 0xCF3626});
            else
                c.roundRect(in, in, x1, y1, rad, {0, float(h), kWhite, kWhite, 0.5f, 0.28f});
            c.roundRectOutline(in, in, x1, y1, rad, k, kWhite, 0.9f);
            break;
        case ButtonLook::Pressed:
            c.roundRect(in, in, x1, y1, rad,
                        {0, float(h), close ? 0x9E2216u : 0x0E326Eu, close ? 0xC23526u : 0x1D4E9Eu,
                         0.75f, 0.55f});
            c.roundRectOutline(in, in, x1, y1, rad, k, kWhite, 0.6f);
            break;
        default:
            c.roundRect(in, in, x1, y1, rad, {0, float(h), kWhite, kWhite, 0.3f, 0.1f});
            c.roundRectOutline(in, in, x1, y1, rad, k, kWhite, 0.6f);
            break;
    }
    if (face.focused) focusRect(c, k, kWhite);
    float shift = face.look == ButtonLook::Pressed ? std::round(k) : 0.f;
    uint32_t ink = face.look == ButtonLook::Disabled ? 0xB8CCEA : kWhite;
    drawGlyph(c, face.glyph, w / 2.f + shift, h / 2.f + shift, std::min(w, h) * 0.85f, ink);
    c.blitTo(dc, r.left, r.top);
}

void drawProgramMark(HDC dc, const RECT& r, uint32_t backRgb) {
    int w = r.right - r.left, h = r.bottom - r.top;
    Canvas c(w, h);
    if (!c.ok()) return;
    c.fill(backRgb);
    float s = float(std::min(w, h));
    drawMark(c, (w - s) / 2, (h - s) / 2, s);
    c.blitTo(dc, r.left, r.top);
}

void drawSplash(HDC dc, const RECT& r, int frame, float k, std::unique_ptr<Canvas>& still) {
    int w = r.right - r.left, h = r.bottom - r.top;
    const Canvas* background = splashBackground(w, h, k, still);
    Canvas c(w, h);
    if (!background || !c.ok()) return;
    c.copyFrom(*background);

    // A sparkle sweeps over the name, trailing dust that fades.
    float t = float(frame % kSplashFrames) / kSplashFrames;
    auto pathX = [&](float u) { return 140 * k + u * (w - 150 * k); };
    auto pathY = [&](float u) { return h * 0.5f - (40 + std::sin(u * 3.14159f) * 34) * k; };
    for (int i = 1; i <= 8; ++i) {
        float u = t - i * 0.018f;
        if (u < 0) continue;
        c.disc(pathX(u), pathY(u) + (i % 2 ? 3 : -3) * k, (1.6f - i * 0.12f) * k, 0xFFFFFF,
               0.7f - i * 0.075f);
    }
    c.glow(pathX(t), pathY(t), 16 * k, 0xE6F2FF, 0.5f);
    c.sparkle(pathX(t), pathY(t), 9 * k, 0xFFFFFF);

    // A light runs along the line at the bottom, like a progress sweep.
    const float left = 34 * k, right = w - 16 * k, lineY = h - 38.5f * k;
    float lx = left + t * (w - 50 * k);
    c.glow(lx, lineY, 22 * k, 0xFFFFFF, 0.35f);
    c.line(std::max(left, lx - 30 * k), lineY, std::min(right, lx + 30 * k), lineY, 1.5f * k,
           0xFFFFFF, 0.8f);
    c.blitTo(dc, r.left, r.top);
}

}  // namespace dv
